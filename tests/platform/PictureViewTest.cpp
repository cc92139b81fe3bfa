#include "platform/surface/PictureBox.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

// A scan four times the picture's width: a red pixel at (800, 300), a blue one at (0, 0).
class PictureView : public ::testing::Test {
protected:
    void SetUp() override
    {
        picture.resize(400, 300);
        picture.ScaleMode(vb::OutputSurface::vbMillimeters);
        QImage scan(1600, 600, QImage::Format_RGB32);
        scan.fill(Qt::white);
        scan.setPixelColor(800, 300, Qt::red);
        scan.setPixelColor(0, 0, Qt::blue);
        picture.Picture(scan);
        picture.show();
    }
    double mmPerPixel() const { return 25.4 / picture.logicalDpiX(); }

    vb::PictureBox picture;
};

TEST_F(PictureView, ALargeScanIsShownWholeScaledToFitTopLeft)
{
    EXPECT_DOUBLE_EQ(picture.fitScale(), 0.25);
    const QImage shown = picture.image();
    EXPECT_EQ(shown.size(), QSize(400, 300));
    EXPECT_GT(qBlue(shown.pixel(0, 0)), qRed(shown.pixel(0, 0)));
    EXPECT_EQ(shown.pixelColor(200, 200), QColor(Qt::white));  // below the scan: the back colour
    // A small picture is never enlarged.
    picture.Picture(QImage(100, 50, QImage::Format_RGB32));
    EXPECT_DOUBLE_EQ(picture.fitScale(), 1.0);
}

TEST_F(PictureView, MousePositionsFollowTheViewInTheSameMillimetres)
{
    QSignalSpy down(&picture, &vb::PictureBox::MouseDown);
    const QPointF red(800.5, 300.5);
    for (double zoom : {1.0, 4.0, 9.0}) {
        picture.fitView();
        picture.zoomBy(zoom, QPointF(120, 80));
        const QPointF at = picture.scanToWidget(red);
        EXPECT_NEAR(picture.widgetToScan(at).x(), red.x(), 1e-9);
        QMouseEvent press(QEvent::MouseButtonPress, at, picture.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(&picture, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, picture.mapToGlobal(at), Qt::LeftButton, {}, {});
        QApplication::sendEvent(&picture, &release);
        // Whatever the zoom, the same scan point is the same millimetre position.
        EXPECT_NEAR(down.last()[2].toDouble(), red.x() * 0.25 * mmPerPixel(), 1e-9) << zoom;
        EXPECT_NEAR(down.last()[3].toDouble(), red.y() * 0.25 * mmPerPixel(), 1e-9) << zoom;
    }
}

TEST_F(PictureView, ZoomKeepsTheAnchorAndPanStaysOnThePicture)
{
    const QPointF anchor(100, 60);
    const QPointF scanUnder = picture.widgetToScan(anchor);
    picture.zoomBy(3, anchor);
    EXPECT_NEAR(picture.scanToWidget(scanUnder).x(), anchor.x(), 1e-9);
    EXPECT_NEAR(picture.scanToWidget(scanUnder).y(), anchor.y(), 1e-9);
    picture.panBy(QPointF(1e6, -1e6));
    EXPECT_DOUBLE_EQ(picture.viewTransform().dx(), 0);
    EXPECT_DOUBLE_EQ(picture.viewTransform().dy(), -300 * 2);
    picture.zoomBy(1e6);
    EXPECT_DOUBLE_EQ(picture.zoom(), 16 / 0.25);  // one scan pixel at most 16 widget pixels
    picture.zoomBy(1e-6);
    EXPECT_DOUBLE_EQ(picture.zoom(), 1);
}

TEST_F(PictureView, KeysWheelAndMiddleButton)
{
    picture.setFocus();
    QTest::keyClick(&picture, Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(picture.zoom(), 1.25);
    QTest::keyClick(&picture, Qt::Key_0);
    EXPECT_DOUBLE_EQ(picture.zoom(), 1);
    QWheelEvent wheel(QPointF(50, 50), picture.mapToGlobal(QPointF(50, 50)), {}, QPoint(0, 240), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&picture, &wheel);
    EXPECT_DOUBLE_EQ(picture.zoom(), 1.25 * 1.25);
    const double dx = picture.viewTransform().dx();
    QTest::mousePress(&picture, Qt::MiddleButton, {}, QPoint(200, 150));
    QMouseEvent move(QEvent::MouseMove, QPointF(180, 150), picture.mapToGlobal(QPointF(180, 150)), Qt::NoButton,
                     Qt::MiddleButton, {});
    QApplication::sendEvent(&picture, &move);
    QTest::mouseRelease(&picture, Qt::MiddleButton, {}, QPoint(180, 150));
    EXPECT_DOUBLE_EQ(picture.viewTransform().dx(), dx - 20);
}

// While the left button is held, the loupe shows the scan pixel under the pointer several
// times enlarged, though the view shows a quarter of a pixel for it.
TEST_F(PictureView, TheLoupeShowsFullResolutionWhileTheLeftButtonIsHeld)
{
    const QPoint at = picture.scanToWidget(QPointF(800.5, 300.5)).toPoint();
    QTest::mousePress(&picture, Qt::LeftButton, {}, at);
    ASSERT_TRUE(picture.loupe().has_value());
    const QImage shot = picture.grab().toImage();
    int red = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ++red;
        }
    EXPECT_GE(red, 6 * 6);
    QTest::mouseRelease(&picture, Qt::LeftButton, {}, at);
    EXPECT_FALSE(picture.loupe().has_value());
}

TEST_F(PictureView, PicturesOfAnyReadableFormatAndNothingElse)
{
    QTemporaryDir dir;
    QImage grey(64, 32, QImage::Format_Grayscale8);
    grey.fill(128);
    ASSERT_TRUE(grey.save(dir.filePath("grey.tif")));
    ASSERT_TRUE(picture.LoadPicture(dir.filePath("grey.tif")));
    EXPECT_EQ(picture.Picture().format(), QImage::Format_RGB32);
    EXPECT_EQ(picture.Picture().size(), QSize(64, 32));
    QFile bad(dir.filePath("scan.jpg"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is no picture");
    bad.close();
    EXPECT_FALSE(picture.LoadPicture(dir.filePath("scan.jpg")));
    EXPECT_EQ(picture.loadFailure(), vb::PictureBox::LoadFailure::NotAPicture);
    EXPECT_EQ(picture.Picture().size(), QSize(64, 32));

    // Deleted between listing and choosing.
    EXPECT_FALSE(picture.LoadPicture(dir.filePath("weg.png")));
    EXPECT_EQ(picture.loadFailure(), vb::PictureBox::LoadFailure::Missing);
    // A colour picture whose header claims 30,000 x 30,000 pixels: more than the memory limit.
    QFile huge(dir.filePath("riesig.ppm"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write("P6\n30000 30000\n255\n");
    huge.write(QByteArray(1000, '\x80'));
    huge.close();
    EXPECT_FALSE(picture.LoadPicture(dir.filePath("riesig.ppm")));
    EXPECT_EQ(picture.loadFailure(), vb::PictureBox::LoadFailure::TooLarge);
    ASSERT_TRUE(picture.LoadPicture(dir.filePath("grey.tif")));
    EXPECT_EQ(picture.loadFailure(), vb::PictureBox::LoadFailure::None);
}

}  // namespace

// A 600 dpi A4 scan is larger than what Qt reads by default (128 MB).
TEST(PictureBox, ReadsAScanOfSixHundredDpi)
{
    QTemporaryDir dir;
    QImage scan(7016, 4961, QImage::Format_RGB32);
    scan.fill(Qt::white);
    ASSERT_TRUE(scan.save(dir.filePath("a4.jpg"), "JPEG", 50));
    scan = QImage();
    vb::PictureBox picture;
    picture.resize(907, 472);
    ASSERT_TRUE(picture.LoadPicture(dir.filePath("a4.jpg")));
    EXPECT_EQ(picture.Picture().size(), QSize(7016, 4961));
    // The scan is held once, its shown copy is small.
    EXPECT_LT(picture.pictureBytes(), qsizetype(7016) * 4961 * 4 + 50'000'000);
}

// An empty picture says what to do on the screen; a print or screen copy of it stays blank,
// and a loaded scan replaces the hint.
TEST(PictureBox, PlaceholderShowsOnTheScreenOnlyWhileNoScanIsLoaded)
{
    vb::PictureBox picture;
    picture.resize(400, 200);
    picture.PlaceholderText(QStringLiteral("Doppelklick: Diagramm laden"));
    picture.show();
    const auto darkPixels = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 160;
        return n;
    };
    EXPECT_GT(darkPixels(picture.grab().toImage()), 50);
    EXPECT_EQ(darkPixels(picture.image()), 0);
    QImage scan(40, 20, QImage::Format_RGB32);
    scan.fill(Qt::white);
    picture.Picture(scan);
    EXPECT_EQ(darkPixels(picture.grab().toImage()), 0);
}
