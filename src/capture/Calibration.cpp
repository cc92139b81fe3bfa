#include "capture/Calibration.h"

#include "platform/vb/Convert.h"

#include <cmath>

namespace {

int16_t sign(float v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

}  // namespace

void Calibration::setXmaxYmin(double X, double Y)
{
    xOfXmax_ = X;
    yOfYmin_ = Y;
    xmaxYmin_ = true;
    calibrated_ = false;
}

void Calibration::setXminYmax(double X, double Y)
{
    xOfXmin_ = X;
    yOfYmax_ = Y;
    xminYmax_ = true;
    calibrated_ = false;
}

void Calibration::refineXminYmin(double X, double Y)
{
    xOfXmin_ = (X + xOfXmin_) / 2;
    yOfYmin_ = (Y + yOfYmin_) / 2;
}

void Calibration::refineXmaxYmax(double X, double Y)
{
    xOfXmax_ = (X + xOfXmax_) / 2;
    yOfYmax_ = (Y + yOfYmax_) / 2;
}

void Calibration::clearXmaxYmin()
{
    xmaxYmin_ = false;
    calibrated_ = false;
}

void Calibration::clearXminYmax()
{
    xminYmax_ = false;
    calibrated_ = false;
}

std::optional<Calibration::Frame> Calibration::frame(float W, float H, QString& message) const
{
    const float xOfXmin = float(xOfXmin_), xOfXmax = float(xOfXmax_), yOfYmin = float(yOfYmin_), yOfYmax = float(yOfYmax_);
    // A corner off the picture (typed, or clicked on a picture since replaced by a smaller one)
    // would stretch the frame over what was never scanned.
    const auto onPicture = [](float v, float size) { return v >= 0 && v <= size; };
    if (!onPicture(xOfXmin, W) || !onPicture(xOfXmax, W) || !onPicture(yOfYmin, H) || !onPicture(yOfYmax, H)) {
        message = QStringLiteral("Die Achsenenden liegen nicht auf dem Bild!");
        return std::nullopt;
    }
    Frame f;
    f.OX = sign(xOfXmax - xOfXmin);
    f.OY = static_cast<int16_t>(-sign(yOfYmax - yOfYmin));
    if (f.OX == 0) {
        message = QStringLiteral("XMIN und XMAX liegen auf einer parallelen zur x-Achse!");
        return std::nullopt;
    }
    f.RL = f.OX == 1 ? xOfXmin : xOfXmax;
    f.RR = W - (f.OX == 1 ? xOfXmax : xOfXmin);
    if (f.OY == 0) {
        message = QStringLiteral("YMIN und YMAX liegen auf einer parallelen zur y-Achse!");
        return std::nullopt;
    }
    f.RO = f.OY == 1 ? yOfYmax : yOfYmin;
    f.RU = H - (f.OY == 1 ? yOfYmin : yOfYmax);
    return f;
}

QString Calibration::checkLogarithmicEnds(const Ends& ends, bool logX, bool logY)
{
    const bool badX = logX && (ends.XMIN <= 0 || ends.XMAX <= 0);
    const bool badY = logY && (ends.YMIN <= 0 || ends.YMAX <= 0);
    if (!badX && !badY) return {};
    return QStringLiteral("Bei logarithmischer Teilung müssen die Achsenwerte größer als 0 sein!");
}

float Calibration::rounded(float value)
{
    if (value == 0 || !std::isfinite(value)) return value;
    const double shown = QString::number(static_cast<double>(value), 'g', 7).toDouble();
    const int leading = static_cast<int>(std::floor(std::log10(std::fabs(shown))));
    // Four significant digits need 3 - leading decimals; never fewer than three.
    const int decimals = std::max(3, 3 - leading);
    return static_cast<float>(vb::Round(shown, decimals));
}
