#pragma once

#include "capture/CaptureModel.h"
#include "capture/Calibration.h"
#include "capture/PixelMap.h"
#include "data/DiagramFrame.h"
#include "data/StoredCapture.h"
#include "data/PointCapture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <QPainter>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class MarkerLayer;
class PictureImport;
class PointGrid;
class QDropEvent;
class QKeyEvent;
class ShellWindow;
class clsGRAFIK;
namespace vb { class PictureBox; }

// The capture tool window: beside the input page it lists the project's pictures, loads the
// chosen one into the page's picture, calibrates the diagram from two clicked corners (or
// three or four, for a turned or slanted scan) and turns every click on the picture into a
// point of the capture model; clicks snap to the frame's corners and to the curves' marks.
// It opens on what the record has stored (scan, calibration, points), shows the points in
// the grid and as markers over the scan, and lets them be moved, deleted and undone. It is
// bound to the page's picture when it opens and reaches the main window only through
// ShellWindow.
class frmVELOR : public QWidget, public PointCapture {
    Q_OBJECT
public:
    // The options are also the kinds of the reference clicks: the corners and the axis ticks,
    // which carry only their x or only their y value.
    enum Option : int { XmaxYmin = 0, XminYmax = 1, XminYmin = 2, XmaxYmax = 3, POLYGONE = 4, TickX = 5, TickY = 6 };

    frmVELOR(ShellWindow& shell, vb::PictureBox& picture, QWidget* owner);
    ~frmVELOR() override;

    QGroupBox* fraEINGABE = nullptr;
    std::array<QRadioButton*, 7> optAUSWAHL{};
    QGroupBox* fraVORGABEN = nullptr;
    QCheckBox* chkLOGX = nullptr;
    QCheckBox* chkLOGY = nullptr;
    QLabel* lblXMIN = nullptr;
    QLineEdit* txtXMIN = nullptr;
    QLabel* lblXMAX = nullptr;
    QLineEdit* txtXMAX = nullptr;
    QLabel* lblYMIN = nullptr;
    QLineEdit* txtYMIN = nullptr;
    QLabel* lblYMAX = nullptr;
    QLineEdit* txtYMAX = nullptr;
    QLabel* lblMYMX = nullptr;
    QLineEdit* txtMYMX = nullptr;
    QLabel* lblTITEL = nullptr;
    QLineEdit* txtXTITEL = nullptr;
    QLineEdit* txtYTITEL = nullptr;
    QGroupBox* fraGRAFIK = nullptr;
    QLabel* lblDATEI = nullptr;
    QComboBox* cboGRAFIK = nullptr;
    // What to do next, under the options.
    QLabel* lblSCHRITT = nullptr;
    QWidget* fraSCHALTFLAECHEN = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdABBRECHEN = nullptr;
    QPushButton* cmdRUECK = nullptr;
    QPushButton* cmdVOR = nullptr;
    QPushButton* cmdKURVE = nullptr;
    QLabel* lblPOSITION = nullptr;
    QCheckBox* chkEINRASTEN = nullptr;
    QLabel* lblPASSUNG = nullptr;
    PointGrid* fraVELOR = nullptr;

    // --- what the page calls ------------------------------------------------------------------
    void MAUSKOORD(double X, double Y) override;
    void KLICK(double X, double Y) override;
    bool closeCapture() override;
    // Unstored points are stored (Ja), discarded (Nein) or keep the window open (Abbrechen).
    bool queryClose();

    // --- event procedures -----------------------------------------------------------------------
    void Form_Load();
    void cboGRAFIK_Click();
    void optAUSWAHL_Click(int index);
    void ZUSTAND();
    void cmdOK_Click();
    void cmdABBRECHEN_Click();
    void cmdKURVE_Click();
    // The left button went down on the picture (millimetres): on a marker it takes that point.
    void picture_MouseDown(double X, double Y);
    // The pointer over the picture (millimetres): the read-out and the keyboard's position.
    void picture_MouseMove(double X, double Y);

    int selectedOption() const;
    const Calibration& calibration() const { return calibration_; }
    // The map from scan pixels to values, fitted to the corners and ticks when POLYGONE calibrated.
    const std::optional<PixelMap>& pixelMap() const { return map_; }
    CaptureModel& model() { return model_; }
    // The point whose marker lies within a few screen pixels of a widget position.
    std::optional<PointRef> markerAt(const QPointF& widgetPixel) const;
    // The position the arrow keys move and Enter clicks, in scan pixels.
    QPointF keyboardPixel() const { return cursor_; }
    int16_t IDOBJEKT() const { return idObjekt_; }
    QString pictureFolder() const { return folder_; }
    clsGRAFIK& engine() { return *engine_; }

signals:
    // The window closed (by OK, Cancel or the page); its owner lets go of it.
    void closed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Why the chosen picture could not be loaded, in the words of this window.
    QString loadFailureText() const;
    void createWidgets();
    void layoutWidgets();
    void wire();
    void fillPictureList();
    QString otherFileEntry() const;
    PictureImport importer() const;
    void chooseOtherFile();
    void takePicture(const QString& name);
    bool handleDrop(QDropEvent* event);
    static bool isPaste(const QKeyEvent* key);
    bool pasteImage();
    void readAxisKinds();
    // Writes the log boxes into the record's E2 when they differ from it; false when a write failed.
    bool storeAxisKinds();
    void setUpEngine();
    void setBoxes(bool xmin, bool xmax, bool ymin, bool ymax, bool mymx, bool grid);
    void calibrate();
    void drawScales(const Calibration::Ends& ends);
    void fitMap(const Calibration::Ends& ends);
    void showFit();
    void drawTurnedFrame(const Calibration::Ends& ends);
    // Where a click at a scan pixel snaps to: the frame's corner for a corner option (for a
    // tick option the crossing of the tick, or its grid line, with the axis), a
    // curve's marker or line for POLYGONE; none when nothing is near, snapping is off or Alt
    // is held.
    std::optional<QPointF> snappedPixel(const QPointF& pixel, int option) const;
    // The boxes as numbers; a box that is not a number shows the message and gives nothing.
    std::optional<float> boxValue(QLineEdit* box);
    std::optional<Calibration::Ends> typedEnds();
    using FrameValue = std::optional<float> DiagramFrame::*;
    bool storeCorner(FrameValue xField, QLineEdit* xBox, FrameValue yField, QLineEdit* yBox);
    bool writeFrame(const Calibration::Frame& frame, const Calibration::Ends& ends);
    bool checkEnds();
    // An axis tick clicked at `pixel`: its one value is asked for; nothing is added without a number.
    void addTick(int kind, const QPointF& pixel);
    void clickAt(const QPointF& pixel, std::optional<PointRef> marker, bool snap);
    std::vector<PointRef> selection() const;
    void markCorners();
    bool handleKey(QObject* watched, QKeyEvent* key);
    bool handlePictureKey(QKeyEvent* key);
    void moveKeyboardPixel(const QPointF& by);
    void showPosition(const QPointF& pixel);
    // The calibrations in millimetres (the frame) and in scan pixels (the values), replayed
    // from the model's reference clicks.
    void replayClicks();
    void updateValueMap();
    bool choosePicture(const QString& name);
    void loadStored();
    void writeCapture();
    void paintMarker(QPainter& p, PointRef ref) const;
    std::optional<QRectF> markerArea(const CapturePoint& point) const;
    void paintMarkers(QPainter& p, const QRectF& area) const;
    void paintSelection(QPainter& p) const;
    void addMarker(PointRef ref);
    std::optional<QPointF> markerPixel(const CapturePoint& point) const;
    void drawCrosses();
    void updateUndoButtons();
    // Every marker drawn anew; or only those in `area` and where a point left.
    void redrawMarkers();
    void redrawMarkersIn(std::optional<QRectF> area);
    void keepG0();
    void restoreG0();
    void finish();

    ShellWindow& shell_;
    QPointer<vb::PictureBox> picture_;
    CaptureModel model_;
    Calibration calibration_;
    // The record the window captures for: the active one when it opened.
    int32_t recordId_ = 0;
    // The map fitted to the corners' clicks.
    std::optional<PixelMap> map_;
    bool altHeld_ = false;
    // The ends the calibration was last made with.
    std::optional<Calibration::Ends> ends_;
    // The scan in the picture, and what the record remembered of its capture.
    QString scan_;
    StoredCapture::Head head_;
    QPointF cursor_;
    std::optional<QPointF> lastClick_;
    std::optional<PointRef> pressedMarker_;
    QPointF pressedAt_;
    QPointer<MarkerLayer> markers_;
    // Where the marker of a point that is moving or going was drawn.
    std::optional<QRectF> leftArea_;
    std::unique_ptr<clsGRAFIK> engine_;
    QString folder_;
    // The folder the file dialog opens in.
    QString lastFolder_ = QDir::homePath();
    int16_t sprache_ = 3;
    int16_t idObjekt_ = 0;
    // The row of G0 as it was when the window opened (none: there was no row).
    std::optional<DiagramFrame> g0Before_;
    bool releaseEndsDoubleClick_ = false;
    bool storing_ = false;
    bool finished_ = false;
};
