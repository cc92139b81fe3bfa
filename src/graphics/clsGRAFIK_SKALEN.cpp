// Scales: the diagram's world window from G0 and the data, the scale, scroll bars and axes.
#include "graphics/clsGRAFIK.h"

#include "data/clsDATEN.h"
#include "graphics/AxisLabel.h"
#include "graphics/PlotMath.h"
#include "platform/surface/OutputSurface.h"
#include "platform/ui/Procedure.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Format.h"

#include <cmath>

namespace {

// The colour of the light grid lines: visible on paper, but below every curve.
const vb::OleColor kLightGrid = vb::RGB(200, 200, 200);

}  // namespace

// Where an axis line lies and which way its ticks and labels go.
struct clsGRAFIK::AxisSide {
    double row = 0;   // device y of the x axis line, device x of the y axis line
    int s = 1;        // tick direction: +1 down (right), -1 up (left)
    int16_t code = 0; // label alignment across the axis (ARY of TEXT)
};

void clsGRAFIK::SKALEN(int16_t NR, const std::vector<float>* X, const std::vector<float>* Y)
{
    // A missing list counts as the single value 0.
    const std::vector<float> xs = X && !X->empty() ? *X : std::vector<float>{0.0f};
    const std::vector<float> ys = Y && !Y->empty() ? *Y : std::vector<float>{0.0f};
    auto p = trap(QStringLiteral("Skalen"), QStringLiteral("VB-Fehler:"));
    bool ok = false;
    p.step([&] { readFrame(ok); });
    if (!ok || p.cancelled()) return;
    p.step([&] { determineRanges(NR, xs, ys); });
    p.step([&] { coupleScales(); });
    p.step([&] { writeRanges(); });
    if (NR == 1 || NR == 2 || p.cancelled()) return;
    // From here on a logarithmic axis works in log units; without them it has no mapping, and
    // nothing is drawn rather than a diagram of other values.
    bool logUnits = false;
    p.step([&] {
        toLogUnits();
        logUnits = true;
    });
    if (!logUnits || p.cancelled()) return;
    ok = false;
    p.step([&] { ok = readScale(); });
    if (!ok || p.cancelled()) return;
    p.step([&] { placeScrollBars(); });
    if (scrollBarVisible()) return;
    p.step([&] { drawAxis(false); });
    p.step([&] { drawAxis(true); });
}

bool clsGRAFIK::readFrame(bool& ok)
{
    clsDATEN dat(session_);
    dat.ETABELLE(QStringLiteral("G0"));
    dat.ESPIDW(eid_);
    const IndexPairs idx{QStringLiteral("IDOBJEKT"), vb::Value(eidObjekt_)};
    FrameSettings& f = frame_;
    ok = dat.DTVI(QStringLiteral("OX"), f.OX, idx) && dat.DTVI(QStringLiteral("OY"), f.OY, idx) &&
         dat.DTVS(QStringLiteral("RL"), f.RL, idx) && dat.DTVS(QStringLiteral("RR"), f.RR, idx) &&
         dat.DTVS(QStringLiteral("RO"), f.RO, idx) && dat.DTVS(QStringLiteral("RU"), f.RU, idx) &&
         dat.DTVS(QStringLiteral("XMIN"), f.XMIN, idx) && dat.DTVS(QStringLiteral("XMAX"), f.XMAX, idx) &&
         dat.DTVS(QStringLiteral("YMIN"), f.YMIN, idx) && dat.DTVS(QStringLiteral("YMAX"), f.YMAX, idx);
    return ok;
}

void clsGRAFIK::toLogUnits()
{
    if (esktx_ == 1) {
        frame_.XMIN = static_cast<float>(PlotMath::axisLog(frame_.XMIN));
        frame_.XMAX = static_cast<float>(PlotMath::axisLog(frame_.XMAX));
    }
    if (eskty_ == 1) {
        frame_.YMIN = static_cast<float>(PlotMath::axisLog(frame_.YMIN));
        frame_.YMAX = static_cast<float>(PlotMath::axisLog(frame_.YMAX));
    }
}

bool clsGRAFIK::readScale()
{
    clsDATEN dat(session_);
    dat.ETABELLE(QStringLiteral("G0"));
    dat.ESPIDW(eid_);
    const IndexPairs idx{QStringLiteral("IDOBJEKT"), vb::Value(eidObjekt_)};
    FrameSettings& f = frame_;
    if (!dat.DTVS(QStringLiteral("MYMX"), f.MYMX, idx) || !dat.DTVS(QStringLiteral("MX"), f.MX, idx) ||
        !dat.DTVS(QStringLiteral("MY"), f.MY, idx))
        return false;
    if (f.MX != 0 && f.MY != 0) return true;
    MASSSTAB(f);
    dat.DVTS(QStringLiteral("MX"), f.MX, idx);
    dat.DVTS(QStringLiteral("MY"), f.MY, idx);
    return true;
}

void clsGRAFIK::determineRanges(int16_t NR, const std::vector<float>& X, const std::vector<float>& Y)
{
    if (xLists_.isList())
        AxisRange::SKALENBEREICH(NR, boXmin_, boXmax_, esktx_, X, frame_.XMIN, frame_.XMAX, xLists_, xTicks_);
    if (yLists_.isList())
        AxisRange::SKALENBEREICH(NR, boYmin_, boYmax_, eskty_, Y, frame_.YMIN, frame_.YMAX, yLists_, yTicks_);
}

void clsGRAFIK::coupleScales()
{
    // One millimetre stands for the same world span on both axes.
    FrameSettings& f = frame_;
    const std::vector<float> none{0.0f};
    if (exyit_ == 1) {
        f.YMAX = static_cast<float>(f.YMIN + PlotMath::divide((f.XMAX - f.XMIN) * (ely_ - f.RO - f.RU), elx_ - f.RL - f.RR));
        if (yLists_.isList())
            AxisRange::SKALENBEREICH(0, false, false, eskty_, none, f.YMIN, f.YMAX, yLists_, yTicks_);
    } else if (exyit_ == 2) {
        f.XMAX = static_cast<float>(PlotMath::divide((f.YMAX - f.YMIN) * (elx_ - f.RL - f.RR), ely_ - f.RO - f.RU) + f.XMIN);
        if (xLists_.isList())
            AxisRange::SKALENBEREICH(0, false, false, esktx_, none, f.XMIN, f.XMAX, xLists_, xTicks_);
    }
}

void clsGRAFIK::writeRanges()
{
    if (!(boXmin_ || boXmax_ || boYmin_ || boYmax_)) return;
    clsDATEN dat(session_);
    dat.ETABELLE(QStringLiteral("G0"));
    dat.ESPIDW(eid_);
    const IndexPairs idx{QStringLiteral("IDOBJEKT"), vb::Value(eidObjekt_)};
    if (boXmin_) dat.DVTS(QStringLiteral("XMIN"), frame_.XMIN, idx);
    if (boXmax_) dat.DVTS(QStringLiteral("XMAX"), frame_.XMAX, idx);
    if (boYmin_) dat.DVTS(QStringLiteral("YMIN"), frame_.YMIN, idx);
    if (boYmax_) dat.DVTS(QStringLiteral("YMAX"), frame_.YMAX, idx);
}

void clsGRAFIK::placeScrollBars()
{
    const FrameSettings& f = frame_;
    const double neededX = PlotMath::divide(f.XMAX - f.XMIN, f.MX);
    const double neededY = PlotMath::divide(f.YMAX - f.YMIN, f.MY);
    const bool printer = surface().kind() == vb::OutputSurface::Kind::Printer;
    const double availableX = printer ? elx_ : elx_ * 1.01 - f.RL - f.RR;
    const double availableY = printer ? ely_ : ely_ * 1.01 - f.RO - f.RU;
    if (xBar_) scrollX_ = scrollOffset(xBar_, availableX, neededX, f.RL + f.RR, true);
    if (yBar_) scrollY_ = scrollOffset(yBar_, availableY, neededY, f.RO + f.RU, false);
}

float clsGRAFIK::scrollOffset(QScrollBar* bar, double available, double needed, double margins, bool horizontal)
{
    vb::OutputSurface& s = surface();
    if (s.kind() == vb::OutputSurface::Kind::Picture) {
        if (available > needed) {
            bar->setValue(0);
            bar->hide();
        } else {
            // Along the bottom (right) edge of the picture, 5 mm thick.
            const double w = s.ScaleWidth(), h = s.ScaleHeight();
            const double left = horizontal ? 0 : w - 5, top = horizontal ? h - 5 : 0;
            const double width = horizontal ? w - 5 : 5, height = horizontal ? 5 : h - 5;
            const QPointF at = s.toPixels(s.ScaleLeft() + left, s.ScaleTop() + top);
            bar->setGeometry(qRound(at.x()), qRound(at.y()), qRound(width * s.pixelsPerUnitX()),
                             qRound(height * s.pixelsPerUnitY()));
            bar->setRange(0, 10000);
            const int large = PlotMath::toInt((1 - (needed - available) / needed) * 10000);
            bar->setPageStep(large);
            bar->setSingleStep(PlotMath::toInt(large / 50.0));
            bar->show();
        }
    }
    if (bar->value() == 0) return 0;
    return static_cast<float>(vb::Round(bar->value() / 10000.0, 3) * (available - needed - margins));
}

bool clsGRAFIK::scrollBarVisible() const
{
    return (xBar_ && !xBar_->isHidden()) || (yBar_ && !yBar_->isHidden());
}

QString clsGRAFIK::logLabel(float position, const QString& format)
{
    const double value = std::pow(10.0, static_cast<double>(position));
    QString text = AxisLabel::text(value, AxisLabel::decimals(value), format);
    if (text.endsWith(QLatin1Char('.')) || text.endsWith(QLatin1Char(','))) text.chop(1);
    return text;
}

clsGRAFIK::AxisSide clsGRAFIK::xAxisSide() const
{
    const double y0 = toDevice(frame_.XMIN, frame_.YMIN).y, y1 = toDevice(frame_.XMAX, frame_.YMAX).y;
    const double top = std::min(y0, y1), bottom = std::max(y0, y1);
    if (eaxex_ == 1) return {bottom, 1, 0};
    if (eaxex_ == -1) return {top, -1, 2};
    if (eaxex_ < 2) return {top + eaxex_, -1, 2};  // moved from the upper edge, outwards when negative
    return {bottom + eaxex_, 1, 0};                // moved below the lower edge
}

clsGRAFIK::AxisSide clsGRAFIK::yAxisSide() const
{
    const double x0 = toDevice(frame_.XMIN, frame_.YMIN).x, x1 = toDevice(frame_.XMAX, frame_.YMAX).x;
    const double left = std::min(x0, x1), right = std::max(x0, x1);
    if (eaxey_ == 1) return {left, -1, 2};
    if (eaxey_ == -1) return {right, 1, 0};
    if (eaxey_ >= 2) return {left + eaxey_, -1, 2};
    return {right + eaxey_, 1, 0};
}

// Both axes are drawn alike: "along" is the device coordinate that runs with the axis, "across"
// the one that runs away from it (y for the x axis, x for the y axis).
void clsGRAFIK::drawAxis(bool vertical)
{
    if ((vertical ? eaxey_ : eaxex_) == 0) return;
    const Point c0 = toDevice(frame_.XMIN, frame_.YMIN), c1 = toDevice(frame_.XMAX, frame_.YMAX);
    const AxisSide a = vertical ? yAxisSide() : xAxisSide();
    const AxisTicks& t = vertical ? yTicks_ : xTicks_;
    const int16_t scaleType = vertical ? eskty_ : esktx_;
    const QString& format = vertical ? formatY_ : formatX_;
    const auto along = [&](double value) { return vertical ? toDevice(frame_.XMIN, value).y : toDevice(value, frame_.YMIN).x; };
    const auto line = [&](double along0, double across0, double along1, double across1,
                          std::optional<vb::OleColor> colour = std::nullopt) {
        if (vertical) LINIE(across0, along0, across1, along1, colour, 1);
        else LINIE(along0, across0, along1, across1, colour, 1);
    };
    const auto text = [&](double alongAt, double acrossAt, const QString& s) {
        if (vertical) TEXT(acrossAt, alongAt, s, 0, 90, 1, a.code);
        else TEXT(alongAt, acrossAt, s, 0, 0, 1, a.code);
    };
    // Grid lines cross the whole frame, in the order the frame corners give them.
    const double gridFrom = vertical ? c0.x : c1.y, gridTo = vertical ? c1.x : c0.y;
    const double start = vertical ? c0.y : c0.x, end = vertical ? c1.y : c1.x;

    line(start, a.row, end, a.row);
    // Every label of a linear axis shows the places of its lower end and of its step: the
    // ticks are sums of singles, and their last digits are noise. A step is a short number
    // (a candidate span by a tick count), three digits tell it apart from that noise.
    constexpr int kStepDigits = 3;
    int places = t.tickCount >= 0 ? AxisLabel::decimals(t.ticks[0]) : 0;
    if (t.tickCount >= 1)
        places = std::max(places, AxisLabel::decimals(double(t.ticks[1]) - t.ticks[0], kStepDigits));
    int nextGrid = 0, nextLabel = 0;
    for (int i = 0; i <= t.tickCount; ++i) {
        const double at = along(t.ticks[i]);
        line(at, a.row, at, a.row + 1.5 * a.s);
        if (scaleType != 0) continue;
        const bool gridHere = t.gridCount != 0 && i == nextGrid;
        if (gridHere) {
            line(at, gridFrom, at, gridTo);
            nextGrid += PlotMath::toInt(static_cast<double>(t.tickCount) / t.gridCount);
        }
        if (t.labelCount != 0 && i == nextLabel) {
            if (lightGrid_ && !gridHere) line(at, gridFrom, at, gridTo, kLightGrid);
            text(at, a.row + 2 * a.s, AxisLabel::text(t.ticks[i], places, format));
            nextLabel += PlotMath::toInt(static_cast<double>(t.tickCount) / t.labelCount);
        }
    }
    if (scaleType == 1 && t.tickCount >= 0) {
        for (int j = 0; t.gridCount != 0 && j <= t.positionCount; ++j) {
            const double at = along(t.positions[j]);
            const bool inside = j > 0 && j < t.positionCount;
            line(at, gridFrom, at, gridTo, lightGrid_ && inside ? std::optional(kLightGrid) : std::nullopt);
        }
        for (int j = 0; t.labelCount != 0 && t.labelCount == t.gridCount && j <= t.positionCount; ++j)
            text(along(t.positions[j]), a.row + 2 * a.s, logLabel(t.positions[j], format));
    }
    const double distance = (t.labelCount > 1 || scaleType == 1) ? 6 : 2;
    text((start + end) / 2, a.row + distance * a.s, vertical ? textY_ : textX_);
}
