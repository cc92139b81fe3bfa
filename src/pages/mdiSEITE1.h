#pragma once

#include "pages/PageWindow.h"
#include "data/PolygonPoint.h"

#include <memory>
#include <vector>

class OutputDiagram;
class QScrollBar;

// The output page: the active record's polygons redrawn to scale (picture 11) beside a
// table of all their points (picture 12), framed by header and footer. The same routines
// draw the page on the printer.
class mdiSEITE1 : public PageWindow {
    Q_OBJECT
public:
    explicit mdiSEITE1(ShellWindow& shell, QWidget* parent = nullptr);
    ~mdiSEITE1() override;

    void Form_Load() override;
    void reload() override;
    void BILD11(const DrawTarget& page) override;
    void BILD12(const DrawTarget& page);
    void DRUCKEN() override;
    void KONTEXT(bool HBOKF, bool HBOKFS, vb::OleColor FARBEMDI, vb::OleColor FARBEPIC) override;

    void picBILD11_MouseDown(int button, int shift, double x, double y);
    void picBILD11_MouseMove(int button, int shift, double x, double y);
    void vscBILD12_Change();

    const PolygonPoints& points() const { return points_; }

    vb::PictureBox* picBILD11;
    vb::PictureBox* picBILD12;
    QScrollBar* vscBILD12;

protected:
    void Form_Unload() override;

private:
    void setProgress(int value);
    void drawAll();
    // Says how many points a logarithmic axis had no place for: once per evaluation and
    // after the diagram dialog changed the diagram.
    void reportPointsOffAxis();

    std::unique_ptr<OutputDiagram> diagram_;
    PolygonPoints points_;
    bool drawingTable_ = false;
};
