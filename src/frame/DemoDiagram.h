#pragma once

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QString>

// The sample scan of the demo project: a printed diagram (settlement over load for three
// soil samples) rendered by us, then turned a fraction of a degree, blurred and stained a
// little, so that it calibrates and captures like a real scanned page.
class DemoDiagram {
public:
    // The clean diagram as it would have been printed.
    static QImage render(int width, int height);
    // The same diagram as a scanner would have returned it.
    static QImage scanned(int width, int height);
    static bool save(const QString& path);

    // A second scan, straight (not turned) and lossless, whose frame and curves are known to
    // the pixel: 2000 x 1400 pixels; x from 0 at pixel centre 250.5 to 100 at 1850.5, y from 0
    // at pixel centre 1150.5 up to 50 at 150.5; curve "Probe A" is y = 5 + 0.4 x, curve
    // "Probe B" is y = 45 - 0.004 (x - 50)^2, each marked by a cross at x = 0, 25, 50, 75, 100.
    static QImage straight();
    static bool saveStraight(const QString& path);
    // A report of two A4 pages as a vector PDF: text on the first, the straight diagram on the
    // second, its scan pixels at 300 dpi shifted by reportOffset() (the example of a scan
    // that comes as a PDF page).
    static bool saveReport(const QString& path);
    static QPointF reportOffset() { return {240, 600}; }
    // Where a diagram value lies on the straight scan (scan pixels, 0,0 the top-left corner).
    static QPointF straightPixel(double x, double y);
    static double curveA(double x) { return 5 + 0.4 * x; }
    static double curveB(double x) { return 45 - 0.004 * (x - 50) * (x - 50); }

    // A third scan, straight and lossless, on a logarithmic y axis (vapour pressures over
    // temperature): 2000 x 1400 pixels; x from 0 at pixel centre 250.5 to 100 at 1850.5, y
    // from 10^-4 at pixel centre 1150.5 up to 10^3 at 170.5, 140 pixels a decade; curve
    // "Stoff A" is log10 y = -3 + 0.05 x, curve "Stoff B" is log10 y = -3.8 + 0.09 x -
    // 0.0003 x^2, each marked by a cross at x = 0, 25, 50, 75, 100.
    static QImage logarithmic();
    static bool saveLogarithmic(const QString& path);
    static QPointF logarithmicPixel(double x, double y);
    static double vapourA(double x);
    static double vapourB(double x);

    // A fourth scan: the straight one's diagram turned by 1.5 degrees counter-clockwise about
    // the page's middle (pixel 1000, 700), lossless, its points marked by filled discs
    // ("Probe A") and open squares ("Probe B") instead of crosses; a calibration needs three
    // or four corners, and clicks beside the marks snap to their centres.
    static QImage turned();
    static bool saveTurned(const QString& path);
    static QPointF turnedPixel(double x, double y);
};
