#include "pages/DiagramLegend.h"

#include "graphics/PointSymbol.h"
#include "graphics/clsGRAFIK.h"
#include "platform/surface/OutputSurface.h"

#include <QRectF>
#include <algorithm>

namespace {

// Millimetres: the box stands this far inside the frame's corner; rows, the marker's column
// and the gap between marker and name.
constexpr double kInset = 2, kRow = 3.5, kMarkerColumn = 4, kPadding = 1.5;

}  // namespace

void DiagramLegend::draw(clsGRAFIK& engine, const std::vector<Entry>& entries, const std::vector<QPointF>& points)
{
    if (entries.empty() || !engine.EOBJEKT()) return;
    vb::OutputSurface& s = *engine.EOBJEKT();
    double widest = 0;
    for (const Entry& e : entries) widest = std::max(widest, s.TextWidth(e.name));
    const double width = kMarkerColumn + widest + kPadding, height = kRow * static_cast<double>(entries.size()) + 1;
    const ClipRect f = engine.plotFrame();
    const QRectF corners[] = {
        {f.right - kInset - width, f.top + kInset, width, height},      // top right
        {f.left + kInset, f.top + kInset, width, height},               // top left
        {f.right - kInset - width, f.bottom - kInset - height, width, height},  // bottom right
        {f.left + kInset, f.bottom - kInset - height, width, height},   // bottom left
    };
    const auto hidden = [&](const QRectF& box) {
        return std::count_if(points.begin(), points.end(), [&](const QPointF& p) { return box.contains(p); });
    };
    const QRectF box = *std::min_element(std::begin(corners), std::end(corners),
                                         [&](const QRectF& a, const QRectF& b) { return hidden(a) < hidden(b); });
    s.Box(box.left(), box.top(), box.right(), box.bottom(), vb::RGB(255, 255, 255), true);
    s.Box(box.left(), box.top(), box.right(), box.bottom());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const double y = box.top() + 0.5 + kRow * (static_cast<double>(i) + 0.5);
        PointSymbol::draw(s, entries[i].marker, box.left() + kMarkerColumn / 2, y);
        engine.TEXT(static_cast<float>(box.left() + kMarkerColumn), static_cast<float>(y), entries[i].name, 0, 0, 0, 1);
    }
}
