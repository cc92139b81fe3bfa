#pragma once

#include "capture/CaptureModel.h"
#include "data/PolygonPoint.h"
#include "grid/clsFLX.h"
#include "platform/widgets/FlexGrid.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class SessionContext;
namespace vb { class FlexGrid; class PictureBox; }

// The point grid of the capture window (frame fraVELOR): a view of the capture model, one row
// per point with its group label, polygon number, point number and values, and below them the
// row that takes a point typed by hand or names the next curve. Edits in the grid (cells,
// paste) become the model's commands; inserting and removing rows are the model's own. It
// stores the model's curves as the diagram's polygons through the record store.
class PointGrid : public QFrame {
    Q_OBJECT
public:
    enum Column : int { GRUPPE = 0, POLYNR = 1, PKTNR = 2, X = 3, Y = 4 };

    PointGrid(SessionContext& session, CaptureModel& model, QWidget* parent = nullptr);
    ~PointGrid() override;

    vb::FlexGrid* msgFLX = nullptr;
    QLineEdit* txtFLX = nullptr;
    vb::PictureBox* picFLX = nullptr;
    QPushButton* cmdH = nullptr;
    QPushButton* cmdW = nullptr;
    QPushButton* cmdK = nullptr;
    QPushButton* cmdE = nullptr;

    clsFLX& flx() { return flx_; }

    // Renumbers: the first row is polygon 0, point 0; empty group and polygon cells carry down;
    // a row whose polygon differs from the row above starts at point 0.
    void PUNKTNUMMERN();
    // The grid as the rows now read becomes the model (after an edit in the grid). False,
    // with the message, when a value cell holds no number: the grid shows the model again.
    bool takeEdits();
    // The model's points in the grid again, and its next row.
    void showModel();
    // A value as the grid shows it: rounded for reading, the model keeps it whole.
    static QString shown(double value);

    // The points of the selected rows; the row of a point selected (highlighted).
    std::vector<PointRef> selectedPoints() const;
    void selectPoint(PointRef ref);

    // Captured or typed points that OK has not stored yet.
    bool hasUnstoredPoints() const;

    // Stores the model's curves as the polygons of diagram IDOBJEKT (see the .cpp for the
    // rules). False, with one message shown, when a value is missing or a write failed;
    // nothing is then changed. The caller marks the model stored once its unit of work is.
    bool store(int16_t IDOBJEKT);

    // Grid events (public so that the window's tests fire them as the widgets would).
    void msgFLX_DblClick();
    void msgFLX_KeyPress(int key);
    void msgFLX_Click();
    void msgFLX_MouseDown(float x);
    void msgFLX_MouseUp();
    void msgFLX_Scroll();
    void msgFLX_MouseMove(float x);
    void txtFLX_KeyPress(int key);
    void cmdH_Click();
    void cmdW_Click();
    void cmdK_Click();
    void cmdE_Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void configure();
    void layoutWidgets();
    void wire();
    void watchModel();
    void showRow(int row, const QString& group, int polygon, int point, const CapturePoint* p);
    void showNextRow();
    void renumberFrom(PointRef ref);
    bool readPolygons(PolygonPoints& points) const;

    SessionContext& session_;
    CaptureModel& model_;
    clsFLX flx_;
    // The record the grid captures for: the active one when the grid was made.
    int32_t recordId_ = 0;
};
