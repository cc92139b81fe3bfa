// End to end: a generated scan with known world coordinates is calibrated and clicked in scan
// pixel positions, through the picture's display transform and its mouse events, as a user
// (or a script) would; every stored value must lie within half a scan pixel of the truth:
// on straight scans clicked on the true pixel, and on turned or slanted ones clicked beside it.
#include "CaptureFixture.h"
#include "SyntheticScan.h"

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

// Clicks on the picture through its own mouse events, the page forwarding them as it does.
class Clicking : public CaptureFixture {
protected:
    void send(QEvent::Type type, const QPointF& scanPixel, Qt::MouseButtons held, Qt::KeyboardModifiers keys)
    {
        const QPointF at = picture->scanToWidget(scanPixel);
        QMouseEvent e(type, at, picture->mapToGlobal(at), Qt::LeftButton, held, keys);
        QApplication::sendEvent(picture, &e);
    }
    void click(const QPointF& scanPixel, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        send(QEvent::MouseButtonPress, scanPixel, Qt::LeftButton, keys);
        send(QEvent::MouseMove, scanPixel + QPointF(3, 3), Qt::LeftButton, keys);
        send(QEvent::MouseMove, scanPixel, Qt::LeftButton, keys);
        send(QEvent::MouseButtonRelease, scanPixel, Qt::NoButton, keys);
    }
    void drag(const QPointF& from, const QPointF& to)
    {
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::NoModifier);
        send(QEvent::MouseMove, to, Qt::LeftButton, Qt::NoModifier);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton, Qt::NoModifier);
    }
    frmVELOR& openForClicks()
    {
        frmVELOR& w = openWithPicture();
        // The page's part: moves with the left button held and releases go to the capture window.
        QObject::connect(picture, &vb::PictureBox::MouseMove, &w, [&w](int button, int, double x, double y) {
            if (button & 1) w.MAUSKOORD(x, y);
        });
        QObject::connect(picture, &vb::PictureBox::MouseUp, &w, [&w](int button, int, double x, double y) {
            if (button == 1) w.KLICK(x, y);
        });
        return w;
    }
    // The window on `scan` (0 … 100, 0 … 50) with its two main corners clicked beside the truth.
    frmVELOR& openWithTwoCorners(const SyntheticScan& scan)
    {
        addPicture(QStringLiteral("scan.png"), scan.image());
        frmVELOR& w = openForClicks();
        typeEnds(w, QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("0"), QStringLiteral("50"));
        w.optAUSWAHL_Click(frmVELOR::XmaxYmin);
        click(scan.scan(1, 0) + QPointF(1.5, -1));
        w.optAUSWAHL_Click(frmVELOR::XminYmax);
        click(scan.scan(0, 1) + QPointF(-1, 1.5));
        return w;
    }
    std::vector<std::pair<double, double>> storedPoints()
    {
        std::vector<std::pair<double, double>> out;
        db::Recordset rs(QStringLiteral("SELECT PX, PY FROM G2_2 WHERE IDOBJEKT = 11 ORDER BY PKTNR"), session().cnnX);
        for (; !rs.IsEOF(); rs.MoveNext()) out.emplace_back(vb::CDbl(rs.field(0)), vb::CDbl(rs.field(1)));
        return out;
    }
};

class Accuracy : public Clicking, public ::testing::WithParamInterface<AccuracyCase> {
protected:
    QImage scan() const
    {
        const AccuracyCase& c = GetParam();
        QImage image(scanWidth, scanHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        // Drawn as printed and scanned: each mark centred where it belongs, not on a pixel's
        // corner as an aliased disc is.
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 3));
        p.drawRect(QRectF(QPointF(c.x.pixelOfMin, c.y.pixelOfMin), QPointF(c.x.pixelOfMax, c.y.pixelOfMax)));
        p.setBrush(Qt::black);
        for (const auto& [wx, wy] : c.points) p.drawEllipse(QPointF(c.x.toPixel(wx), c.y.toPixel(wy)), 4, 4);
        return image;
    }
};

TEST_P(Accuracy, StoredValuesLieWithinHalfAScanPixel)
{
    const AccuracyCase& c = GetParam();
    exec(qPrintable(QStringLiteral("UPDATE E2 SET LOGX = %1, LOGY = %2").arg(c.x.log ? 1 : 0).arg(c.y.log ? 1 : 0)));
    addPicture(QStringLiteral("scan.png"), scan());
    frmVELOR& w = openForClicks();
    picture->zoomBy(c.zoom, QPointF(300, 200));
    typeEnds(w, c.x.text(c.x.min), c.x.text(c.x.max), c.y.text(c.y.min), c.y.text(c.y.max));
    w.optAUSWAHL_Click(frmVELOR::XmaxYmin);
    click({c.x.pixelOfMax, c.y.pixelOfMin});
    w.optAUSWAHL_Click(frmVELOR::XminYmax);
    click({c.x.pixelOfMin, c.y.pixelOfMax});
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    ASSERT_TRUE(w.calibration().isCalibrated()) << messageTexts().join(" | ").toStdString();
    for (const auto& [wx, wy] : c.points) click({c.x.toPixel(wx), c.y.toPixel(wy)});
    w.cmdOK_Click();
    ASSERT_TRUE(messageTexts().isEmpty()) << messageTexts().join(" | ").toStdString();

    const auto stored = storedPoints();
    ASSERT_EQ(stored.size(), c.points.size());
    double worst = 0;
    for (size_t i = 0; i < stored.size(); ++i) {
        const auto [wx, wy] = c.points[i];
        const auto [px, py] = stored[i];
        EXPECT_LE(std::fabs(px - wx), c.x.halfPixel(wx)) << "x " << wx << " stored " << px;
        EXPECT_LE(std::fabs(py - wy), c.y.halfPixel(wy)) << "y " << wy << " stored " << py;
        worst = std::max({worst, std::fabs(px - wx) / c.x.halfPixel(wx), std::fabs(py - wy) / c.y.halfPixel(wy)});
    }
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

// --- turned and slanted scans, clicked beside the truth --------------------------------------------------

struct TurnedCase {
    const char* name;
    ScanLook look;
    ScanAxes axes;
    double zoom;
};

class TurnedAccuracy : public Clicking, public ::testing::WithParamInterface<TurnedCase> {
protected:
    QString text(double v) const { return vb::CStr(vb::Value(static_cast<float>(v))); }
};

// The four corners and every marker clicked one to two scan pixels off: the corners snap to
// the frame lines' crossings, the map follows the scan's turn and slant, the points snap to
// the markers' centres.
TEST_P(TurnedAccuracy, ClicksBesideTheTruthGiveValuesWithinHalfAScanPixel)
{
    const TurnedCase& c = GetParam();
    exec(qPrintable(QStringLiteral("UPDATE E2 SET LOGX = %1, LOGY = %2").arg(c.axes.logX ? 1 : 0).arg(c.axes.logY ? 1 : 0)));
    const SyntheticScan scan(c.look);
    addPicture(QStringLiteral("scan.png"), scan.image());
    frmVELOR& w = openForClicks();
    picture->zoomBy(c.zoom, QPointF(300, 200));
    typeEnds(w, text(c.axes.x(0)), text(c.axes.x(1)), text(c.axes.y(0)), text(c.axes.y(1)));
    const QPointF offsets[] = {{2, -1}, {-1.5, 1.5}, {1, 2}, {-2, -1}, {0, 2}, {1.5, 0}};
    const QPointF corners[] = {{1, 0}, {0, 1}, {0, 0}, {1, 1}};  // in the options' order
    for (int i = 0; i < 4; ++i) {
        w.optAUSWAHL_Click(i);
        click(scan.scan(corners[i].x(), corners[i].y()) + offsets[i]);
    }
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    ASSERT_TRUE(w.calibration().isCalibrated()) << messageTexts().join(" | ").toStdString();
    const auto truth = SyntheticScan::curvePoints();
    for (size_t i = 0; i < truth.size(); ++i) click(scan.scan(truth[i].x(), truth[i].y()) + offsets[i]);
    w.cmdOK_Click();
    ASSERT_TRUE(messageTexts().isEmpty()) << messageTexts().join(" | ").toStdString();

    const auto stored = storedPoints();
    ASSERT_EQ(stored.size(), truth.size());
    double worst = 0;
    for (size_t i = 0; i < stored.size(); ++i) {
        // In page pixels: the frame is 1400 x 1000 of them, about as many as on the scan.
        const double ex = std::fabs(c.axes.fx(stored[i].first) - truth[i].x()) * 1400;
        const double ey = std::fabs(c.axes.fy(stored[i].second) - truth[i].y()) * 1000;
        EXPECT_LE(ex, 0.5) << "point " << i << " x " << stored[i].first;
        EXPECT_LE(ey, 0.5) << "point " << i << " y " << stored[i].second;
        worst = std::max({worst, ex, ey});
    }
    std::cout << "[ accuracy ] " << c.name << ": worst error " << worst << " scan pixel\n";
}

INSTANTIATE_TEST_SUITE_P(
    Capture, TurnedAccuracy,
    ::testing::Values(TurnedCase{"TurnedTwoDegreesLinear", {.degrees = 2}, {}, 1},
                      TurnedCase{"TurnedBackLogBothNoisyJpegZoomed", {.degrees = -2, .noise = 6, .jpegQuality = 75}, {true, true}, 2.5},
                      TurnedCase{"KeystoneDownwardOpenCircles",
                                 {.degrees = 0.8, .keystone = 0.04, .lineWidth = 2, .blurPasses = 1, .downward = true,
                                  .marker = ScanLook::OpenCircle},
                                 {false, true},
                                 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Snapping is the default, for clicks and for dropped points; Alt held or the check box off
// leave a click where it is, and the check box is remembered for the next window.
TEST_F(Clicking, AltOrTheCheckBoxOffLeaveTheClickWhereItIs)
{
    const SyntheticScan scan({});
    addPicture(QStringLiteral("scan.png"), scan.image());
    frmVELOR& w = openForClicks();
    picture->zoomBy(3, QPointF(300, 200));  // a drag of a few scan pixels is a drag on the screen
    EXPECT_TRUE(w.chkEINRASTEN->isChecked());
    typeEnds(w, QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("0"), QStringLiteral("50"));
    w.optAUSWAHL_Click(frmVELOR::XmaxYmin);
    click(scan.scan(1, 0));
    w.optAUSWAHL_Click(frmVELOR::XminYmax);
    click(scan.scan(0, 1));
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    // Each marked point clicked 2 px above its marker (0.1 in y).
    const auto truth = SyntheticScan::curvePoints();
    const auto beside = [&](size_t i) { return scan.scan(truth[i].x(), truth[i].y()) + QPointF(0, -2); };
    click(beside(0));
    click(beside(1), Qt::AltModifier);
    w.chkEINRASTEN->click();
    click(beside(2));
    w.chkEINRASTEN->click();
    drag(beside(2), beside(2) + QPointF(-1.5, 3.5));  // dropped beside the marker, the point snaps
    w.chkEINRASTEN->click();
    w.cmdOK_Click();
    const auto stored = storedPoints();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_NEAR(stored[0].second, truth[0].y() * 50, 0.02);
    EXPECT_NEAR(stored[1].second, truth[1].y() * 50 + 0.1, 0.02);
    EXPECT_NEAR(stored[2].second, truth[2].y() * 50, 0.02);
    window.reset();
    frmVELOR& again = open();
    EXPECT_FALSE(again.chkEINRASTEN->isChecked());
    again.chkEINRASTEN->click();  // the other tests snap
}

// A third corner clicked after the points turns the map: the window shows the skew and the
// corners' residuals, the points follow their pixels once asked; the corner is an edit like
// any other, undone and redone, and the map comes back from the stored clicks when the window
// opens again.
TEST_F(Clicking, AThirdCornerTurnsTheMapForThePointsTakenAndIsKeptWithTheCapture)
{
    const SyntheticScan scan({.degrees = 1.5});
    frmVELOR& w = openWithTwoCorners(scan);
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    const auto truth = SyntheticScan::curvePoints();
    for (size_t i = 0; i < 3; ++i) click(scan.scan(truth[i].x(), truth[i].y()) + QPointF(1, -1));
    // The worst error of the points taken, in page pixels.
    const auto worst = [&](frmVELOR& window) {
        double out = 0;
        const auto& points = window.model().curves().front().points;
        for (size_t i = 0; i < points.size(); ++i)
            out = std::max({out, std::fabs(points[i].x / 100 - truth[i].x()) * 1400, std::fabs(points[i].y / 50 - truth[i].y()) * 1000});
        return out;
    };
    const double straight = worst(w);
    EXPECT_GT(straight, 2);
    w.optAUSWAHL_Click(frmVELOR::XminYmin);
    click(scan.scan(0, 0) + QPointF(1, 2));
    TestEnvironment::ui().answer(vb::vbYes);
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    EXPECT_EQ(messageTexts(),
              QStringList{"Die Kalibrierung hat sich geändert. Sollen die Werte aller angeklickten Punkte neu berechnet werden?"});
    EXPECT_EQ(w.pixelMap()->model(), PixelMap::Model::Affine);
    EXPECT_LE(worst(w), 0.5);
    const QString fit = w.lblPASSUNG->text();
    EXPECT_EQ(fit, QStringLiteral("Schräglage 1,50°, Restfehler 0,00 / 0,00 / 0,00 Pixel"));
    w.cmdRUECK->click();  // the values
    w.cmdRUECK->click();  // the corner
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    EXPECT_EQ(w.pixelMap()->model(), PixelMap::Model::AxisAligned);
    EXPECT_EQ(worst(w), straight);
    w.cmdVOR->click();
    w.cmdVOR->click();
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    EXPECT_LE(worst(w), 0.5);
    w.cmdOK_Click();

    TestEnvironment::ui().clear();
    window.reset();
    frmVELOR& again = openForClicks();
    EXPECT_EQ(again.pixelMap()->model(), PixelMap::Model::Affine);
    EXPECT_EQ(again.lblPASSUNG->text(), fit);
    EXPECT_LE(worst(again), 0.5);
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join(" | ").toStdString();
}

// Axis ticks beyond the corners: each is a click with its one typed value (a value that is no
// number, or a cancelled box, adds nothing), undone like a corner, fitted with the corners at
// POLYGONE so that a mistyped one shows in the residuals, and stored with its value alone.
TEST_F(Clicking, AClickedTickJoinsTheFitWithItsOneValueAndIsStoredWithIt)
{
    const SyntheticScan scan({.degrees = 1.5});
    frmVELOR& w = openWithTwoCorners(scan);
    w.optAUSWAHL_Click(frmVELOR::XminYmin);
    click(scan.scan(0, 0) + QPointF(1, 2));
    TestEnvironment::ui().clear();
    const QString askX = QStringLiteral("Wert des Teilstrichs auf der x-Achse:"), askY = QStringLiteral("Wert des Teilstrichs auf der y-Achse:");
    const QString notANumber = QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!");
    w.optAUSWAHL_Click(frmVELOR::TickX);
    TestEnvironment::ui().type(QStringLiteral("60"));  // the tick of 50
    click(scan.scan(0.5, 0) + QPointF(-1, 1));
    w.optAUSWAHL_Click(frmVELOR::TickY);
    TestEnvironment::ui().type(QStringLiteral("zwanzig"));
    click(scan.scan(0, 0.4) + QPointF(1, 1));
    click(scan.scan(0, 0.4) + QPointF(1, 1));  // the box cancelled
    EXPECT_EQ(messageTexts(), (QStringList{askX, askY, notANumber, askY}));
    ASSERT_EQ(w.model().clicks().size(), 4u);
    EXPECT_EQ(w.model().clicks().back().kind, frmVELOR::TickX);
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    EXPECT_EQ(w.lblPASSUNG->text().count(QStringLiteral(" / ")), 3) << w.lblPASSUNG->text().toStdString();
    EXPECT_TRUE(w.lblPASSUNG->text().endsWith(QStringLiteral(": Wert oder Ecke prüfen!"))) << w.lblPASSUNG->text().toStdString();

    w.cmdRUECK->click();
    EXPECT_EQ(w.model().clicks().size(), 3u);
    w.optAUSWAHL_Click(frmVELOR::TickX);
    TestEnvironment::ui().type(QStringLiteral("50"));
    click(scan.scan(0.5, 0) + QPointF(-1, 1));
    w.optAUSWAHL_Click(frmVELOR::TickY);
    TestEnvironment::ui().type(QStringLiteral("20"));
    click(scan.scan(0, 0.4) + QPointF(1, 1));
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    // Every reference shows its residual, each within a pixel of the scan's true geometry.
    const QString fit = w.lblPASSUNG->text();
    EXPECT_TRUE(fit.startsWith(QStringLiteral("Schräglage 1,5"))) << fit.toStdString();
    EXPECT_EQ(fit.count(QStringLiteral(" / ")), 4) << fit.toStdString();
    EXPECT_FALSE(fit.contains(QStringLiteral("prüfen"))) << fit.toStdString();
    const QPointF truth = SyntheticScan::curvePoints().front();
    click(scan.scan(truth.x(), truth.y()) + QPointF(1, -1));
    const CapturePoint& taken = w.model().curves().front().points.front();
    EXPECT_LE(std::fabs(taken.x / 100 - truth.x()) * 1400, 0.5);
    EXPECT_LE(std::fabs(taken.y / 50 - truth.y()) * 1000, 0.5);
    w.cmdOK_Click();
    QStringList ticks;
    db::Recordset rs(QStringLiteral("SELECT ART || ' ' || IFNULL(WX, '-') || ' ' || IFNULL(WY, '-') FROM E5 WHERE ART >= 5 ORDER BY LFDNR"),
                     session().cnnX);
    for (; !rs.IsEOF(); rs.MoveNext()) ticks << vb::CStr(rs.field(0));
    EXPECT_EQ(ticks, (QStringList{QStringLiteral("5 50.0 -"), QStringLiteral("6 - 20.0")}));
}

}  // namespace
