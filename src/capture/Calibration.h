#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The calibration of a scanned diagram, without widgets: where on the picture (millimetres
// from its top-left corner, y downwards) the axis ends were clicked, and the plot frame the
// graphics engine needs to map the picture back to world values. The two main corners fix
// the frame; the two other corners refine it, each click there taking the mean of the stored
// position and the new one, so a slightly skewed scan is averaged over the corners.
class Calibration {
public:
    // Orientation and margins of the plot frame inside a picture of W x H millimetres.
    struct Frame {
        int16_t OX = 0, OY = 0;
        float RL = 0, RR = 0, RO = 0, RU = 0;
    };

    // The world values of the axis ends as typed.
    struct Ends {
        float XMIN = 0, XMAX = 0, YMIN = 0, YMAX = 0;
    };

    // The corner "XMAX / YMIN" and the corner "XMIN / YMAX".
    void setXmaxYmin(double X, double Y);
    void setXminYmax(double X, double Y);
    // The refining corners "XMIN / YMIN" and "XMAX / YMAX".
    void refineXminYmin(double X, double Y);
    void refineXmaxYmax(double X, double Y);

    // Choosing a main corner's option again forgets that it was clicked.
    void clearXmaxYmin();
    void clearXminYmax();
    bool hasXmaxYmin() const { return xmaxYmin_; }
    bool hasXminYmax() const { return xminYmax_; }
    bool hasBothCorners() const { return xmaxYmin_ && xminYmax_; }

    double xOfXmin() const { return xOfXmin_; }
    double xOfXmax() const { return xOfXmax_; }
    double yOfYmin() const { return yOfYmin_; }
    double yOfYmax() const { return yOfYmax_; }

    // The frame for a picture of W x H mm, or the message (title "HINWEIS") when a corner
    // lies off the picture or the main corners share an x or a y position.
    std::optional<Frame> frame(float W, float H, QString& message) const;

    // The message when a logarithmic axis has an end that is not positive (empty if fine).
    static QString checkLogarithmicEnds(const Ends& ends, bool logX, bool logY);

    // A captured value as the grid shows and stores it: rounded half to even to three
    // decimals or to four significant digits, whichever keeps more. A tie is judged on the
    // single's own decimal form (seven digits), as the number is shown.
    static float rounded(float value);

    // The frame last computed and stored completely; clicks capture points only while one is.
    bool isCalibrated() const { return calibrated_; }
    void setCalibrated(bool calibrated) { calibrated_ = calibrated; }

private:
    // Kept whole: the values of clicked points follow from them (the frame takes singles).
    double xOfXmin_ = 0, xOfXmax_ = 0, yOfYmin_ = 0, yOfYmax_ = 0;
    bool xmaxYmin_ = false, xminYmax_ = false;
    bool calibrated_ = false;
};
