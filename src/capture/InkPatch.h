#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <vector>

// A small window of a scan read as ink: how much darker than the paper each pixel is (in
// brightness, which JPEG keeps at full resolution, unlike its colours). The paper's level is the
// window's own, so a yellowed page or a grey scan reads the same. `weight` is the ink above
// the paper's grain; being the ink minus a constant, a stroke's profile stays as symmetric as
// it was printed, so its centroid is its centre.
// Positions are scan pixels (0,0 the top-left corner of the top-left pixel).
class InkPatch {
public:
    InkPatch(const QImage& scan, const QRect& area);

    int width() const { return area_.width(); }
    int height() const { return area_.height(); }
    bool empty() const { return area_.isEmpty(); }
    // Some pixel stands out from the paper at all.
    bool hasInk() const { return peak_ > 0; }

    double weight(int ix, int iy) const { return weight_[static_cast<size_t>(iy * area_.width() + ix)]; }
    // Ink strong enough to be a stroke, not a stain.
    bool isInk(int ix, int iy) const { return ink_[static_cast<size_t>(iy * area_.width() + ix)] >= strong_; }
    // Ink of a stroke or of its soft edge: where a stroke's profile begins and ends.
    bool isEdge(int ix, int iy) const { return ink_[static_cast<size_t>(iy * area_.width() + ix)] >= edge_; }
    // `weight` between pixel centres (0 outside the window), at a scan position.
    double weightAt(const QPointF& scan) const;

    // Scan position of a pixel's centre, and the pixel under a scan position.
    QPointF centre(int ix, int iy) const { return {area_.left() + ix + 0.5, area_.top() + iy + 0.5}; }
    QPointF local(const QPointF& scan) const { return scan - QPointF(area_.left(), area_.top()); }

private:
    QRect area_;
    std::vector<float> ink_, weight_;
    float peak_ = 0, strong_ = 0, edge_ = 0;
};
