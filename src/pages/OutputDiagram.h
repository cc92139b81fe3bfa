#pragma once

#include "data/AxisTitles.h"
#include "data/PolygonPoint.h"
#include "pages/DiagramLegend.h"
#include "pages/DrawTarget.h"

#include <cstdint>
#include <memory>
#include <vector>

class SessionContext;
class clsGRAFIK;
namespace vb { class Procedure; }

// Diagram 11 of the output page: the record's polygons on scaled axes with light grid lines
// at the labelled ticks, each curve with its own marker and, for several groups, a legend of
// their names. The frame comes from the diagram's settings in G0; a new evaluation first
// copies the record's calibration into them. Coordinates of a logarithmic axis are drawn as
// their decimal logarithms; points that have none (0 or less) break their polygon's line there.
class OutputDiagram {
public:
    static constexpr int16_t kDiagram = 11;

    OutputDiagram(SessionContext& session, int32_t id);
    ~OutputDiagram();

    // The record's calibration (E2) into the diagram's settings with the page's fixed margins.
    // A logarithmic axis whose stored end is 0 or less (ticked after the capture) starts at
    // the smallest positive coordinate of `points` on it instead.
    void copyRecordFrame(vb::Procedure& p, const PolygonPoints& points);
    // Draws the axes and the polygons with a new engine on `target`, the diagram area at the
    // target's corner and of its size.
    void draw(vb::Procedure& p, const DrawTarget& target, const PolygonPoints& points);

    // The record's axis titles, as the last drawing wrote them.
    const AxisTitles& titles() const { return titles_; }
    // The engine of the last drawing.
    clsGRAFIK* engine() const { return engine_.get(); }
    // The diagram's values at a position on the picture (in its millimetres), by the last
    // drawing's axes: the values themselves on a logarithmic axis, not their logarithms.
    void valuesAt(double x, double y, float& X, float& Y) const;
    // Points left out of the last drawing because a logarithmic axis has no place for them.
    int pointsOffAxis() const { return offAxis_; }
    // Tells the user how many points the last drawing left out, if any (one message).
    void reportPointsOffAxis(bool german) const;

private:
    static void positiveEnds(float& low, float& high, const PolygonPoints& points, double PolygonPoint::*coordinate);
    void readAxisTypes();
    void setAxes(const PolygonPoints& points);
    // Candidates, scale type and label format of one axis by its stored scale type.
    void setAxis(bool xAxis, int16_t LOG, double low, double high);
    // Each curve's marker by point, and the legend's rows when the record has several groups.
    static std::vector<int16_t> curveMarkers(const PolygonPoints& points,
                                             std::vector<DiagramLegend::Entry>& legend);
    void drawPolygons(const PolygonPoints& points);

    SessionContext& session_;
    int32_t id_;
    std::unique_ptr<clsGRAFIK> engine_;
    int16_t LOGX_ = 0, LOGY_ = 0;
    AxisTitles titles_;
    int offAxis_ = 0;
};
