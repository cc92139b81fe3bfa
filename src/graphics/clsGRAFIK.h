#pragma once

#include "graphics/AxisRange.h"
#include "graphics/LabelWriter.h"
#include "graphics/LineClipper.h"
#include "graphics/SingleList.h"
#include "platform/surface/SurfaceColor.h"
#include "platform/surface/SurfaceFont.h"

#include <QPointer>
#include <QScrollBar>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class SessionContext;
namespace vb { class OutputSurface; class Procedure; }

// The frame settings of one diagram as table G0 keeps them.
struct FrameSettings {
    int16_t OX = 0, OY = 0;
    float RL = 0, RR = 0, RO = 0, RU = 0;
    float XMIN = 0, XMAX = 0, YMIN = 0, YMAX = 0;
    float MX = 0, MY = 0, MYMX = 0;
};

// Loads of a segment: component (0 vertical, 1 horizontal of the first family, 2 and 3 the
// same of the second) by end (0 and 1).
using LoadArray = std::array<std::array<float, 2>, 4>;

// The plotting engine: one object draws one diagram on one output surface. It maps the
// diagram's world coordinates (linear or logarithmic, either orientation) to millimetres on
// the surface, draws the scales from the frame settings stored per diagram in G0, and offers
// the drawing operations of the diagrams: text, lines, arrows, symbols, polygons, circles,
// load areas and force symbols.
class clsGRAFIK {
public:
    explicit clsGRAFIK(SessionContext& session);
    ~clsGRAFIK();
    clsGRAFIK(const clsGRAFIK&) = delete;
    clsGRAFIK& operator=(const clsGRAFIK&) = delete;

    // --- properties --------------------------------------------------------------------------
    int32_t EID() const { return eid_; }
    void EID(int32_t id) { eid_ = id; }
    int16_t EIDOBJEKT() const { return eidObjekt_; }
    void EIDOBJEKT(int16_t id) { eidObjekt_ = id; }
    vb::OutputSurface* EOBJEKT() const { return surface_; }
    void EOBJEKT(vb::OutputSurface* surface);
    QScrollBar* EXBALKEN() const { return xBar_; }
    void EXBALKEN(QScrollBar* bar) { xBar_ = bar; }
    QScrollBar* EYBALKEN() const { return yBar_; }
    void EYBALKEN(QScrollBar* bar) { yBar_ = bar; }
    float EXDL() const { return exdl_; }
    void EXDL(float mm) { exdl_ = mm; }
    float EYDO() const { return eydo_; }
    void EYDO(float mm) { eydo_ = mm; }
    float ELX() const { return elx_; }
    void ELX(float mm);
    float ELY() const { return ely_; }
    void ELY(float mm);
    int16_t EAXEX() const { return eaxex_; }
    void EAXEX(int16_t v) { eaxex_ = v; }
    int16_t EAXEY() const { return eaxey_; }
    void EAXEY(int16_t v) { eaxey_ = v; }
    int16_t ESKTX() const { return esktx_; }
    void ESKTX(int16_t v) { esktx_ = v; }
    int16_t ESKTY() const { return eskty_; }
    void ESKTY(int16_t v) { eskty_ = v; }
    bool EBOXMIN() const { return boXmin_; }
    void EBOXMIN(bool v) { boXmin_ = v; }
    bool EBOXMAX() const { return boXmax_; }
    void EBOXMAX(bool v) { boXmax_ = v; }
    bool EBOYMIN() const { return boYmin_; }
    void EBOYMIN(bool v) { boYmin_ = v; }
    bool EBOYMAX() const { return boYmax_; }
    void EBOYMAX(bool v) { boYmax_ = v; }
    const std::vector<float>& ELXMIN() const { return xLists_.MIN; }
    void ELXMIN(std::vector<float> v) { xLists_.MIN = std::move(v); }
    const std::vector<float>& ELYMIN() const { return yLists_.MIN; }
    void ELYMIN(std::vector<float> v) { yLists_.MIN = std::move(v); }
    const std::vector<float>& ELXDIFF() const { return xLists_.DIFF; }
    void ELXDIFF(std::vector<float> v) { xLists_.DIFF = std::move(v); }
    const std::vector<float>& ELYDIFF() const { return yLists_.DIFF; }
    void ELYDIFF(std::vector<float> v) { yLists_.DIFF = std::move(v); }
    const std::vector<int16_t>& ELXIT() const { return xLists_.IT; }
    void ELXIT(std::vector<int16_t> v) { xLists_.IT = std::move(v); }
    const std::vector<int16_t>& ELYIT() const { return yLists_.IT; }
    void ELYIT(std::vector<int16_t> v) { yLists_.IT = std::move(v); }
    // Writing the grid list also sets the label list to it; a different label list is
    // written afterwards.
    const std::vector<int16_t>& ELXGIT() const { return xLists_.GIT; }
    void ELXGIT(std::vector<int16_t> v) { xLists_.ZL = v; xLists_.GIT = std::move(v); }
    const std::vector<int16_t>& ELYGIT() const { return yLists_.GIT; }
    void ELYGIT(std::vector<int16_t> v) { yLists_.ZL = v; yLists_.GIT = std::move(v); }
    const std::vector<int16_t>& ELXZL() const { return xLists_.ZL; }
    void ELXZL(std::vector<int16_t> v) { xLists_.ZL = std::move(v); }
    const std::vector<int16_t>& ELYZL() const { return yLists_.ZL; }
    void ELYZL(std::vector<int16_t> v) { yLists_.ZL = std::move(v); }
    QString ETEXTX() const { return textX_; }
    void ETEXTX(const QString& t) { textX_ = t; }
    QString ETEXTY() const { return textY_; }
    void ETEXTY(const QString& t) { textY_ = t; }
    QString ESKZX() const { return formatX_; }
    void ESKZX(const QString& f) { formatX_ = f; }
    QString ESKZY() const { return formatY_; }
    void ESKZY(const QString& f) { formatY_ = f; }
    float EXYIT() const { return exyit_; }
    void EXYIT(float v);
    int16_t EPTYP() const { return eptyp_; }
    void EPTYP(int16_t v) { eptyp_ = v; }
    // Light grid lines across the frame at the labelled ticks inside it, for a diagram read
    // off by eye; the frame's own edges stay as they are.
    bool lightGrid() const { return lightGrid_; }
    void lightGrid(bool on) { lightGrid_ = on; }

    // --- frame, mapping, pen and font ----------------------------------------------------------
    // The frame settings in use (read from G0 by SKALEN; callers that keep their own frame,
    // and tests, may set them directly).
    const FrameSettings& frame() const { return frame_; }
    void setFrame(const FrameSettings& frame) { frame_ = frame; }
    float scrollOffsetX() const { return scrollX_; }
    float scrollOffsetY() const { return scrollY_; }
    double pixelFactorX() const { return pixelFactorX_; }
    const AxisTicks& xTicks() const { return xTicks_; }
    const AxisTicks& yTicks() const { return yTicks_; }
    // Derived fonts 0 (the surface font saved by TEXT) to 5.
    const vb::SurfaceFont& derivedFont(int i) const { return labels_.derivedFont(i); }
    ClipRect diagramArea() const;
    ClipRect plotFrame() const;

    void LINIENEINSTELLUNGEN(int16_t& LINIENART, float& LINIENBREITE, int32_t& FARBE);
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, int16_t SCHRIFTGROESSE, bool FETT, bool UNTERSTRICHEN,
                              bool KURSIV, int32_t FARBE);
    void KOORDTRANS(float X, float Y, float& XP, float& YP);
    void KOORDTRANSINV(float XP, float YP, float& X, float& Y, int16_t SKTX, int16_t SKTY);

    // --- scales --------------------------------------------------------------------------------
    void SKALEN(int16_t NR, const std::vector<float>* X = nullptr, const std::vector<float>* Y = nullptr);

    // --- text ----------------------------------------------------------------------------------
    void TEXT(float X, float Y, QString TEXT, int16_t KO, int16_t AL, int16_t ARX, int16_t ARY);

    // --- lines, arrows, symbols ----------------------------------------------------------------
    void LINIE(float X1, float Y1, float X2, float Y2, std::optional<vb::OleColor> FB = std::nullopt,
               int16_t BOSK = 0);
    void PFEIL(float XP1, float YP1, float XP2, float YP2);
    void KOTENDREIECK(float X, float Y, float& DH, float RIWI, int16_t GW, int16_t VOLL);
    void GELAENDESCHRAFFUR(float X1, float Y1, float H1, int16_t ANS, float BE, int16_t KO);

    // --- polygon, circle, loads ----------------------------------------------------------------
    void POLYGON(const SingleList& X, const SingleList& Y, int16_t PSIT, int16_t PSTYP, int16_t PNR,
                 const QString& TEXT, int16_t LAGETEXT, int16_t LAGEPFEIL, bool FARBEN,
                 const std::vector<bool>* BOL = nullptr);
    void KREIS(float XM, float YM, float R, float AL1, float AL2, int16_t LAGEPFEIL, bool BOKREISP,
               std::optional<int16_t> KO = std::nullopt);
    void LASTFLAECHEN(const std::vector<float>& X, const std::vector<float>& Y, const LoadArray& P, int16_t IT);
    void SCHNITTKRAFT(float& X1, float& Y1, float& X2, float& Y2, float SHHH, int16_t TYP, int16_t SY);

private:
    void solidPen(float widthMm, int basicColour);
    struct Point {
        double x, y;
    };
    struct AxisSide;

    vb::OutputSurface& surface() const;
    static vb::Procedure trap(const QString& title, const QString& prefix = QStringLiteral("VB-Fehler: "));

    // 4.1
    void readActiveRecord(SessionContext& session);
    Point toDevice(double X, double Y) const;
    void MASSSTAB(FrameSettings& f) const;

    // 4.2
    bool readFrame(bool& ok);
    void toLogUnits();
    bool readScale();
    void writeRanges();
    void determineRanges(int16_t NR, const std::vector<float>& X, const std::vector<float>& Y);
    void coupleScales();
    void placeScrollBars();
    float scrollOffset(QScrollBar* bar, double available, double needed, double margins, bool horizontal);
    bool scrollBarVisible() const;
    void drawAxis(bool vertical);
    AxisSide xAxisSide() const;
    AxisSide yAxisSide() const;
    static QString logLabel(float position, const QString& format);

    // 4.4
    void clipLine(double x1, double y1, double x2, double y2, std::optional<vb::OleColor> colour, int16_t BOSK);
    void arrowHead(double x1, double y1, double x2, double y2);
    void polar(const Point& from, double angle, double length, Point& to, bool draw);

    // 4.5
    void drawLineForm(const std::vector<Point>& P, const Point& ref, const std::vector<bool>* BOL);
    void drawSymbols(const std::vector<Point>& P, int16_t PSIT, int16_t PSTYP);
    void drawNumbers(const std::vector<Point>& P, int16_t PNR);
    void drawLabel(const std::vector<Point>& P, const QString& text, int16_t LAGETEXT);
    void drawArrows(const std::vector<Point>& P, int16_t LAGEPFEIL);
    static std::vector<int> selectedPoints(int n, int16_t every);

    // 4.6
    void drawCircleDecorations(const Point& c, double r, double start, double end, int sign, double length,
                               int16_t LAGEPFEIL);
    void arcHead(const Point& c, double r, double angle, double direction, double length);

    SessionContext& session_;
    vb::OutputSurface* surface_ = nullptr;
    QPointer<QScrollBar> xBar_, yBar_;
    int32_t eid_ = 0;
    int16_t eidObjekt_ = 11;
    float exdl_ = 0, eydo_ = 0, elx_ = 0, ely_ = 0;
    int16_t eaxex_ = 1, eaxey_ = 1, esktx_ = 0, eskty_ = 0;
    bool boXmin_ = false, boXmax_ = false, boYmin_ = false, boYmax_ = false;
    AxisLists xLists_, yLists_;
    QString textX_, textY_;
    QString formatX_ = QStringLiteral("####0"), formatY_ = QStringLiteral("####0");
    int16_t exyit_ = 0;
    int16_t eptyp_ = 0;
    bool lightGrid_ = false;

    FrameSettings frame_;
    float scrollX_ = 0, scrollY_ = 0;
    double pixelFactorX_ = 0, pixelFactorY_ = 0;
    AxisTicks xTicks_, yTicks_;
    LabelWriter labels_;
};
