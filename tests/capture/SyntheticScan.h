#pragma once

#include <QImage>
#include <QPointF>
#include <QTransform>
#include <vector>

// A diagram printed on a page and scanned with known geometry: a frame from x = 0 … 100 and
// y = 0 … 50 (decades 1 … 10^5 and 10^-2 … 10^3 on logarithmic axes), tick labels, one curve
// with markers on it; the page then turned, tilted, blurred, grained, JPEG-compressed as asked.
// Every drawn feature's true scan position is known through `toScan`.
struct ScanLook {
    double degrees = 0;       // turned counter-clockwise on the screen
    double keystone = 0;      // the top edge this share narrower than the bottom
    double lineWidth = 3;     // frame and curve, page pixels
    double blurPasses = 0;    // [1 2 1] passes over the scan
    int noise = 0;            // +- grey levels of grain
    int jpegQuality = 0;      // 0: lossless
    bool grey = false;        // a grey-scale scan
    bool colour = false;      // the curve and markers in colour on a yellowed page
    bool downward = false;    // y grows downwards on the page
    enum Marker { None, FilledDisc, OpenCircle, FilledSquare, OpenSquare } marker = FilledDisc;
};

// The generated diagram's axes: x 0 … 100 or 1 … 10^5, y 0 … 50 or 10^-2 … 10^3, and where a
// value lies in fractions of the frame.
struct ScanAxes {
    bool logX = false, logY = false;
    double x(double f) const;
    double y(double f) const;
    double fx(double x) const;
    double fy(double y) const;
};

class SyntheticScan {
public:
    explicit SyntheticScan(const ScanLook& look);

    const QImage& image() const { return image_; }
    // Page pixel of a diagram position (fractions of the frame: 0,0 XMIN/YMIN, 1,1 XMAX/YMAX).
    QPointF page(double fx, double fy) const;
    // Scan pixel of a page pixel.
    QPointF toScan(const QPointF& pagePixel) const { return transform_.map(pagePixel); }
    QPointF scan(double fx, double fy) const { return toScan(page(fx, fy)); }
    // The frame's corners: XMIN/YMIN, XMAX/YMIN, XMAX/YMAX, XMIN/YMAX.
    std::vector<QPointF> corners() const;
    // Curve points (fractions of the frame), each marked when the look has markers.
    static std::vector<QPointF> curvePoints();
    // Where a label's text stands on the scan (its middle).
    QPointF labelAt() const { return toScan(labelPage_); }

private:
    ScanLook look_;
    QTransform transform_;
    QPointF labelPage_;
    QImage image_;
};
