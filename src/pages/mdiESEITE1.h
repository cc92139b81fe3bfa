#pragma once

#include "pages/PageWindow.h"

class PointCapture;

// The input page: one large picture on which the capture window loads the scanned diagram,
// is calibrated and takes the clicked points. The page routes the picture's mouse to the
// capture window while the capture marker is set, and when it closes it copies the
// calibration and the stored polygons from the working tables into the record.
class mdiESEITE1 : public PageWindow {
    Q_OBJECT
public:
    explicit mdiESEITE1(ShellWindow& shell, QWidget* parent = nullptr);
    ~mdiESEITE1() override;

    void Form_Load() override;
    void reload() override;
    void BILD11(const DrawTarget& page) override;
    void DRUCKEN() override;
    void KONTEXT(bool HBOKF, bool HBOKFS, vb::OleColor FARBEMDI, vb::OleColor FARBEPIC) override;

    void picBILD11_DblClick();
    void picBILD11_MouseDown(int button, int shift, double x, double y);
    void picBILD11_MouseMove(int button, int shift, double x, double y);
    void picBILD11_MouseUp(int button, int shift, double x, double y);

    // The capture window working on the picture; null while none is open.
    PointCapture* capture() const { return capture_; }
    // Whether the capture window stored into the working tables during the page's life.
    bool captureStored() const { return stored_; }
    // Points the capture stored in an earlier run that never reached the record (the program
    // ended between OK and closing the page): offered for taking over, else discarded.
    void offerUntakenCapture();

    vb::PictureBox* picBILD11;

protected:
    // Closes the capture window first, then copies into the record; either may refuse.
    bool Form_QueryUnload() override;
    void Form_Unload() override;

private:
    bool captureMarked() const;
    void clearMarker();
    // The calibration of diagram 11 into "E2" and, after a store, the polygons into "E3" in
    // place of the record's old ones; all or nothing. False after a failure (reported).
    bool copyIntoRecord();

    PointCapture* capture_ = nullptr;
    bool stored_ = false;
    // Only a calibration made in this page becomes the record's: G0 holds other frames too
    // (a view zoomed with the diagram dialog, an evaluation's copy).
    bool calibrated_ = false;
    bool openingRelease_ = false;
};
