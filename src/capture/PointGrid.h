#pragma once

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

// The point grid of the capture window (frame fraVELOR): one row per captured point with its
// group label, polygon number, point number and world coordinates. It wires the grid's events
// to the grid object, keeps the numbers consistent after every change (PUNKTNUMMERN) and
// stores the rows as the diagram's polygons through the record store.
class PointGrid : public QFrame {
    Q_OBJECT
public:
    enum Column : int { GRUPPE = 0, POLYNR = 1, PKTNR = 2, X = 3, Y = 4 };

    PointGrid(SessionContext& session, QWidget* parent = nullptr);
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

    // Writes a captured point into the current row.
    void setCurrentPoint(float x, float y);
    // A click on the picture has recorded the current row: on the last row, Enter on its last
    // cell appends the row that takes the next point.
    void advanceAfterClick();

    // Captured or typed points that OK has not stored yet.
    bool hasUnstoredPoints() const;

    // Stores the rows of diagram IDOBJEKT (see the .cpp for the rules). False, with one
    // message shown, when a cell is not a number or a write failed; nothing is then changed.
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
    // The grid's content as one text, to tell whether it changed since the last store.
    QString snapshot() const;
    // The rows to store: the last row is left out when its X cell is empty.
    int lastStoredRow() const;
    bool readPolygons(PolygonPoints& points) const;

    SessionContext& session_;
    clsFLX flx_;
    // The record the grid captures for: the active one when the grid was made.
    int32_t recordId_ = 0;
    QString stored_;
};
