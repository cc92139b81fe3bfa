#include "pages/OutputDiagram.h"

#include "data/RecordStore.h"
#include "data/clsDATEN.h"
#include "graphics/clsGRAFIK.h"
#include "pages/AxisCandidates.h"
#include "pages/DiagramLegend.h"
#include "platform/surface/OutputSurface.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"

#include <algorithm>
#include <cmath>

namespace {

const IndexPairs& diagram()
{
    static const IndexPairs idx{QStringLiteral("IDOBJEKT"), vb::Value(OutputDiagram::kDiagram)};
    return idx;
}

// An orientation is 1 or -1; anything else (a record evaluated before its calibration) is
// the usual orientation, not a mirror.
int16_t orientation(int16_t o) { return o == -1 ? int16_t(-1) : int16_t(1); }

// The range the candidates must cover on one axis: the stored ends and every point.
struct Range {
    double low, high;
    void include(double v)
    {
        low = std::min(low, v);
        high = std::max(high, v);
    }
};

}  // namespace

OutputDiagram::OutputDiagram(SessionContext& session, int32_t id) : session_(session), id_(id) {}

OutputDiagram::~OutputDiagram() = default;

void OutputDiagram::copyRecordFrame(vb::Procedure& p, const PolygonPoints& points)
{
    clsDATEN e2(session_), g0(session_);
    e2.ETABELLE(QStringLiteral("E2"));
    e2.ESPIDW(id_);
    g0.ETABELLE(QStringLiteral("G0"));
    g0.ESPIDW(id_);
    for (const char* name : {"OX", "OY"}) {
        p.step([&] {
            int16_t o = 1;
            e2.DTVI(QString::fromLatin1(name), o);
            g0.DVTI(QString::fromLatin1(name), orientation(o), diagram());
        });
    }
    p.step([&] { readAxisTypes(); });
    const auto copyEnds = [&](const char* lowName, const char* highName, bool logarithmic, double PolygonPoint::*coordinate) {
        p.step([&] {
            float low = 0, high = 0;
            e2.DTVS(QString::fromLatin1(lowName), low);
            e2.DTVS(QString::fromLatin1(highName), high);
            if (logarithmic) positiveEnds(low, high, points, coordinate);
            g0.DVTS(QString::fromLatin1(lowName), low, diagram());
            g0.DVTS(QString::fromLatin1(highName), high, diagram());
        });
    };
    copyEnds("XMIN", "XMAX", LOGX_ == 1, &PolygonPoint::x);
    copyEnds("YMIN", "YMAX", LOGY_ == 1, &PolygonPoint::y);
    p.step([&] {
        float v = 0;
        e2.DTVS(QStringLiteral("MYMX"), v);
        g0.DVTS(QStringLiteral("MYMX"), v, diagram());
    });
    const std::pair<const char*, float> fixed[] = {{"MX", 0}, {"MY", 0}, {"RL", 11}, {"RR", 8}, {"RU", 11}, {"RO", 8}};
    for (const auto& [name, value] : fixed)
        p.step([&] { g0.DVTS(QString::fromLatin1(name), value, diagram()); });
}

// A logarithmic axis has no place for an end of 0 or less: such an end becomes the smallest
// positive coordinate of the points, or a thousandth of the other end without one.
void OutputDiagram::positiveEnds(float& low, float& high, const PolygonPoints& points, double PolygonPoint::*coordinate)
{
    float& lower = low <= high ? low : high;
    float& upper = low <= high ? high : low;
    if (lower > 0) return;
    float smallest = 0;
    for (const PolygonPoint& pt : points) {
        const auto v = static_cast<float>(pt.*coordinate);
        if (v > 0 && (smallest == 0 || v < smallest)) smallest = v;
    }
    if (upper <= 0) upper = smallest > 0 ? smallest * 10 : 10;
    lower = smallest > 0 && smallest < upper ? smallest : upper / 1000;
}

void OutputDiagram::valuesAt(double x, double y, float& X, float& Y) const
{
    engine_->KOORDTRANSINV(static_cast<float>(x), static_cast<float>(y), X, Y, LOGX_ == 1 ? 1 : 0, LOGY_ == 1 ? 1 : 0);
}

void OutputDiagram::readAxisTypes()
{
    clsDATEN e2(session_);
    e2.ETABELLE(QStringLiteral("E2"));
    e2.ESPIDW(id_);
    LOGX_ = 0;
    LOGY_ = 0;
    e2.DTVI(QStringLiteral("LOGX"), LOGX_);
    e2.DTVI(QStringLiteral("LOGY"), LOGY_);
}

void OutputDiagram::setAxes(const PolygonPoints& points)
{
    clsDATEN g0(session_);
    g0.ETABELLE(QStringLiteral("G0"));
    g0.ESPIDW(id_);
    float XMIN = 0, XMAX = 0, YMIN = 0, YMAX = 0;
    g0.DTVS(QStringLiteral("XMIN"), XMIN, diagram());
    g0.DTVS(QStringLiteral("XMAX"), XMAX, diagram());
    g0.DTVS(QStringLiteral("YMIN"), YMIN, diagram());
    g0.DTVS(QStringLiteral("YMAX"), YMAX, diagram());
    Range x{std::min(XMIN, XMAX), std::max(XMIN, XMAX)}, y{std::min(YMIN, YMAX), std::max(YMIN, YMAX)};
    for (const PolygonPoint& pt : points) {
        x.include(static_cast<float>(pt.x));
        y.include(static_cast<float>(pt.y));
    }

    setAxis(true, LOGX_, x.low, x.high);
    setAxis(false, LOGY_, y.low, y.high);
}

void OutputDiagram::setAxis(bool xAxis, int16_t LOG, double low, double high)
{
    clsGRAFIK& e = *engine_;
    if (xAxis) {
        e.EBOXMIN(false);
        e.EBOXMAX(false);
        e.EAXEX(1);
        e.ETEXTX(titles_.x);
    } else {
        e.EBOYMIN(false);
        e.EBOYMAX(false);
        e.EAXEY(1);
        e.ETEXTY(titles_.y);
    }
    if (LOG != 0 && LOG != 1) return;  // an unknown scale type sets no lists
    const AxisLists lists = LOG == 0 ? AxisCandidates::linear(low, high) : AxisCandidates::logarithmic(low, high);
    const QString format = LOG == 0 ? QStringLiteral("0.0##") : QStringLiteral("0.0####");
    if (xAxis) {
        e.ESKTX(LOG);
        AxisCandidates::applyX(e, lists);
        e.ESKZX(format);
    } else {
        e.ESKTY(LOG);
        AxisCandidates::applyY(e, lists);
        e.ESKZY(format);
    }
}

void OutputDiagram::draw(vb::Procedure& p, const DrawTarget& target, const PolygonPoints& points)
{
    p.step([&] {
        engine_ = std::make_unique<clsGRAFIK>(session_);
        engine_->EID(id_);
        engine_->EIDOBJEKT(kDiagram);
    });
    if (!engine_) return;
    p.step([&] {
        engine_->EOBJEKT(&target.surface);
        engine_->EXDL(target.XDL);
        engine_->EYDO(target.YDO);
        if (target.size) {
            engine_->ELX(static_cast<float>(target.size->width()));
            engine_->ELY(static_cast<float>(target.size->height()));
        }
    });
    p.step([&] { readAxisTypes(); });
    p.step([&] { titles_ = RecordStore(session_).axisTitles(id_); });
    p.step([&] { setAxes(points); });
    p.step([&] {
        engine_->lightGrid(true);
        engine_->SKALEN(0);
        int16_t style = 0;
        float width = 0;
        int32_t colour = 0;
        engine_->LINIENEINSTELLUNGEN(style, width, colour);
        engine_->SCHRIFTEINSTELLUNGEN(QString(), 7, false, false, false, 0);
    });
    p.step([&] { drawPolygons(points); });
}

std::vector<int16_t> OutputDiagram::curveMarkers(const PolygonPoints& points,
                                                 std::vector<DiagramLegend::Entry>& legend)
{
    // The curves in turn take a circle, a box, a triangle, a cross, a dot and a star.
    static constexpr int16_t kMarkers[] = {4, 2, 5, 0, 3, 6};
    const auto marker = [](std::size_t i) { return kMarkers[i % std::size(kMarkers)]; };
    QStringList groups;
    for (const PolygonPoint& pt : points)
        if (!groups.contains(pt.group)) groups << pt.group;
    legend.clear();
    // With several groups a curve is known by its group (the legend names them); otherwise
    // every polygon is a curve of its own.
    const bool byGroup = groups.size() > 1;
    if (byGroup)
        for (qsizetype g = 0; g < groups.size(); ++g)
            legend.push_back({groups[g], marker(static_cast<std::size_t>(g))});
    std::vector<int16_t> markers(points.size());
    std::size_t polygon = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0 && points[i].polygon != points[i - 1].polygon) ++polygon;
        markers[i] = marker(byGroup ? static_cast<std::size_t>(groups.indexOf(points[i].group)) : polygon);
    }
    return markers;
}

void OutputDiagram::drawPolygons(const PolygonPoints& points)
{
    // More markers than this on one curve would blot it out: every so many points then.
    constexpr std::size_t kMostMarkers = 25;
    offAxis_ = 0;
    std::vector<DiagramLegend::Entry> legend;
    const std::vector<int16_t> markers = curveMarkers(points, legend);
    std::vector<float> xs, ys;
    std::vector<QPointF> drawn;
    int16_t marker = 0;
    const auto drawRun = [&] {
        const std::size_t n = xs.size();
        if (n > 0) {
            // A single point has no line, but its marker.
            const int16_t every = n == 1 ? int16_t(-1) : static_cast<int16_t>(std::min(n, kMostMarkers));
            engine_->POLYGON(SingleList(xs), SingleList(ys), every, marker, 0, QString(), 0, 0, false);
        }
        for (std::size_t i = 0; i < n; ++i) {
            float xp = 0, yp = 0;
            engine_->KOORDTRANS(xs[i], ys[i], xp, yp);
            drawn.emplace_back(xp, yp);
        }
        xs.clear();
        ys.clear();
    };
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PolygonPoint& pt = points[i];
        if (i > 0 && pt.polygon != points[i - 1].polygon) drawRun();
        marker = markers[i];
        // The coordinates are drawn in the single precision they are stored with.
        const float x = static_cast<float>(pt.x), y = static_cast<float>(pt.y);
        const bool offX = LOGX_ == 1 && !(x > 0), offY = LOGY_ == 1 && !(y > 0);
        if (offX || offY) {
            ++offAxis_;
            drawRun();  // the line breaks at a point that has no place on the axis
            continue;
        }
        xs.push_back(LOGX_ == 1 ? std::log10(x) : x);
        ys.push_back(LOGY_ == 1 ? std::log10(y) : y);
    }
    drawRun();
    DiagramLegend::draw(*engine_, legend, drawn);
}

void OutputDiagram::reportPointsOffAxis(bool german) const
{
    if (offAxis_ == 0) return;
    const QString text =
        german ? QStringLiteral("%1 Punkt(e) mit Werten \u2264 0 haben auf der logarithmischen Achse keinen Platz "
                                "und werden nicht gezeichnet.")
                     .arg(offAxis_)
               : QStringLiteral("%1 point(s) with values \u2264 0 have no place on the logarithmic axis and are not "
                                "drawn.")
                     .arg(offAxis_);
    vb::MsgBox(text, vb::vbInformation, QStringLiteral("Bild 11"));
}
