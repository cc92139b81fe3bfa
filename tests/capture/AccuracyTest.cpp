// End to end: a generated scan with known world coordinates is calibrated and clicked in scan
// pixel positions, through the picture's display transform and its mouse events, as a user
// (or a script) would; every stored value must lie within half a scan pixel of the truth.
#include "CaptureFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <iostream>

namespace {

// One axis of the generated diagram: the scan pixels of its two ends and their values.
struct Axis {
    double pixelOfMin, pixelOfMax;
    double min, max;
    bool log;

    double toPixel(double v) const
    {
        const double t = log ? (std::log10(v) - std::log10(min)) / (std::log10(max) - std::log10(min)) : (v - min) / (max - min);
        return pixelOfMin + t * (pixelOfMax - pixelOfMin);
    }
    // Half a scan pixel's worth of world units at v.
    double halfPixel(double v) const
    {
        const double perPixel = (log ? std::log10(max / min) : max - min) / std::fabs(pixelOfMax - pixelOfMin);
        return log ? v * (std::pow(10.0, perPixel / 2) - 1) : perPixel / 2;
    }
    QString text(double v) const { return vb::CStr(vb::Value(static_cast<float>(v))); }
};

struct AccuracyCase {
    const char* name;
    Axis x, y;
    std::vector<std::pair<double, double>> points;  // world values
    double zoom;
};

constexpr int scanWidth = 2400, scanHeight = 1250;

class Accuracy : public CaptureFixture, public ::testing::WithParamInterface<AccuracyCase> {
protected:
    QImage scan() const
    {
        const AccuracyCase& c = GetParam();
        QImage image(scanWidth, scanHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setPen(QPen(Qt::black, 3));
        p.drawRect(QRectF(QPointF(c.x.pixelOfMin, c.y.pixelOfMin), QPointF(c.x.pixelOfMax, c.y.pixelOfMax)));
        p.setBrush(Qt::black);
        for (const auto& [wx, wy] : c.points) p.drawEllipse(QPointF(c.x.toPixel(wx), c.y.toPixel(wy)), 4, 4);
        return image;
    }

    void send(QEvent::Type type, const QPointF& scanPixel, Qt::MouseButtons held)
    {
        const QPointF at = picture->scanToWidget(scanPixel);
        QMouseEvent e(type, at, picture->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(picture, &e);
    }
    void click(const QPointF& scanPixel)
    {
        send(QEvent::MouseButtonPress, scanPixel, Qt::LeftButton);
        send(QEvent::MouseMove, scanPixel + QPointF(3, 3), Qt::LeftButton);
        send(QEvent::MouseMove, scanPixel, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, scanPixel, Qt::NoButton);
    }
};

TEST_P(Accuracy, StoredValuesLieWithinHalfAScanPixel)
{
    const AccuracyCase& c = GetParam();
    exec(qPrintable(QStringLiteral("UPDATE E2 SET LOGX = %1, LOGY = %2").arg(c.x.log ? 1 : 0).arg(c.y.log ? 1 : 0)));
    addPicture(QStringLiteral("scan.png"), scan());
    frmVELOR& w = openWithPicture();
    // The page's part: moves with the left button held and releases go to the capture window.
    QObject::connect(picture, &vb::PictureBox::MouseMove, &w, [&w](int button, int, double x, double y) {
        if (button & 1) w.MAUSKOORD(static_cast<float>(x), static_cast<float>(y));
    });
    QObject::connect(picture, &vb::PictureBox::MouseUp, &w, [&w](int button, int, double x, double y) {
        if (button == 1) w.KLICK(static_cast<float>(x), static_cast<float>(y));
    });
    picture->zoomBy(c.zoom, QPointF(300, 200));
    w.txtXMIN->setText(c.x.text(c.x.min));
    w.txtXMAX->setText(c.x.text(c.x.max));
    w.txtYMIN->setText(c.y.text(c.y.min));
    w.txtYMAX->setText(c.y.text(c.y.max));
    w.optAUSWAHL_Click(frmVELOR::XmaxYmin);
    click({c.x.pixelOfMax, c.y.pixelOfMin});
    w.optAUSWAHL_Click(frmVELOR::XminYmax);
    click({c.x.pixelOfMin, c.y.pixelOfMax});
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    ASSERT_TRUE(w.calibration().isCalibrated()) << messageTexts().join(" | ").toStdString();
    for (const auto& [wx, wy] : c.points) click({c.x.toPixel(wx), c.y.toPixel(wy)});
    w.cmdOK_Click();
    ASSERT_TRUE(messageTexts().isEmpty()) << messageTexts().join(" | ").toStdString();

    db::Recordset rs(QStringLiteral("SELECT PX, PY FROM G2_2 WHERE IDOBJEKT = 11 ORDER BY PKTNR"), session().cnnX);
    double worst = 0;
    for (const auto& [wx, wy] : c.points) {
        ASSERT_FALSE(rs.IsEOF());
        const double px = vb::CDbl(rs.field(0)), py = vb::CDbl(rs.field(1));
        EXPECT_LE(std::fabs(px - wx), c.x.halfPixel(wx)) << "x " << wx << " stored " << px;
        EXPECT_LE(std::fabs(py - wy), c.y.halfPixel(wy)) << "y " << wy << " stored " << py;
        worst = std::max({worst, std::fabs(px - wx) / c.x.halfPixel(wx), std::fabs(py - wy) / c.y.halfPixel(wy)});
        rs.MoveNext();
    }
    EXPECT_TRUE(rs.IsEOF());
    // In halves of a scan pixel: the figure the closing note reports.
    std::cout << "[ accuracy ] " << c.name << ": worst error " << worst / 2 << " scan pixel\n";
}

INSTANTIATE_TEST_SUITE_P(
    Capture, Accuracy,
    ::testing::Values(
        AccuracyCase{"LinearRightUp", {180.5, 2250.5, 0, 1000, false}, {1120.5, 90.5, 0, 50, false},
                     {{0.5, 0.25}, {137.25, 12.5}, {500, 25}, {777.7, 49.9}, {999, 3.3}}, 1},
        AccuracyCase{"LinearLeftDownSmall", {2250.5, 180.5, -5, 5, false}, {90.5, 1120.5, 0, 0.01, false},
                     {{-4.99, 0.00001}, {-1.2345, 0.0012}, {0, 0.005}, {3.21, 0.0099}}, 1},
        AccuracyCase{"LogBoth", {100, 2300, 0.0001, 100, true}, {1200, 50, 1, 1e6, true},
                     {{0.00013, 1.7}, {0.0123, 456}, {1, 10000}, {42.5, 987654}}, 1},
        AccuracyCase{"LogLeftLargeLinearZoomed", {2300, 100, 1, 1000, true}, {1200, 50, 200000, 900000, false},
                     {{1.5, 250000}, {31.6, 600000}, {999, 899000}}, 3.5}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
