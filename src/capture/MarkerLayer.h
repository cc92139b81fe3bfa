#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QPainter;
namespace vb { class PictureBox; }

// A transparent layer over the picture on which the capture draws its markers: crosses of one
// screen size at every zoom, never part of the picture's drawings. It follows the picture's
// size and lets the mouse through to it.
//
// The markers are drawn once into an image of the layer and kept there; a new marker is
// drawn into that image alone, and a marker that moves or goes is redrawn with the markers
// around it, so that a click costs the same beside ten points as beside ten thousand. The
// image is drawn anew when the view changes (zoom, pan, size). What follows the selection is
// drawn over it at every paint.
class MarkerLayer : public QWidget {
public:
    using Paint = std::function<void(QPainter&)>;
    // Draws the markers that reach into an area of the layer.
    using PaintIn = std::function<void(QPainter&, const QRectF& area)>;

    // `markers` draws the markers, `overlay` the marks of the selection.
    MarkerLayer(vb::PictureBox& picture, PaintIn markers, Paint overlay);

    // One more marker, drawn by `marker` into the kept image.
    void add(const Paint& marker);
    // The kept image is drawn anew within `areas` (where markers moved or went).
    void redrawIn(const std::vector<QRectF>& areas);
    // Every marker is drawn anew at the next paint.
    void invalidate();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Where the view puts the scan: two scan points on the layer, its size and pixel ratio.
    struct View {
        QPointF origin, unit;
        QSize size;
        qreal ratio = 1;
        bool operator==(const View&) const = default;
    };
    View view() const;
    bool kept() const { return keptView_ && *keptView_ == view(); }
    void drawAll();

    vb::PictureBox& picture_;
    PaintIn markers_;
    Paint overlay_;
    QImage image_;
    std::optional<View> keptView_;
};
