// Pictures of the capture for a look by eye: written only when VELOR_SCREENSHOT_DIR names a
// folder. A calibrated diagram with its scales and crosses, the capture window beside it, and
// the loupe over a zoomed view.
#include "CaptureFixture.h"

#include <QPainter>
#include <QTest>
#include <cmath>

namespace {

// A printed diagram as a 600 dpi scanner returns it: far larger than the picture.
QImage diagram()
{
    QImage scan(5200, 2700, QImage::Format_RGB32);
    scan.fill(QColor(248, 246, 240));
    QPainter p(&scan);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(500, 300, 4300, 2000);
    p.setPen(QPen(QColor(160, 160, 160), 4));
    for (int i = 0; i <= 10; ++i) {
        p.drawLine(QPointF(frame.left() + i * 430, frame.top()), QPointF(frame.left() + i * 430, frame.bottom()));
        p.drawLine(QPointF(frame.left(), frame.top() + i * 200), QPointF(frame.right(), frame.top() + i * 200));
    }
    p.setPen(QPen(Qt::black, 10));
    p.drawRect(frame);
    QPolygonF curve;
    for (int i = 0; i <= 100; ++i)
        curve << QPointF(frame.left() + i * 43, frame.bottom() - 1900 * (1 - std::exp(-i / 25.0)));
    p.setPen(QPen(Qt::black, 12));
    p.drawPolyline(curve);
    return scan;
}

TEST_F(CaptureFixture, CalibratedPageAndLoupePictures)
{
    const QString folder = qEnvironmentVariable("VELOR_SCREENSHOT_DIR");
    if (folder.isEmpty()) GTEST_SKIP() << "VELOR_SCREENSHOT_DIR not set";
    owner.resize(picture->geometry().right() + 420, picture->geometry().bottom() + 40);
    addPicture(QStringLiteral("Kurve.jpg"), diagram());
    frmVELOR& w = openWithPicture();
    w.move(owner.mapToGlobal(QPoint(picture->geometry().right() + 10, 20)));
    auto mm = [&](double px, double py) { return picture->widgetToScale(picture->scanToWidget({px, py})); };
    w.txtXMIN->setText(QStringLiteral("0"));
    w.txtXMAX->setText(QStringLiteral("100"));
    w.txtYMIN->setText(QStringLiteral("0"));
    w.txtYMAX->setText(QStringLiteral("1"));
    w.optAUSWAHL_Click(frmVELOR::XmaxYmin);
    w.KLICK(mm(4800, 2300).x(), mm(4800, 2300).y());
    w.optAUSWAHL_Click(frmVELOR::XminYmax);
    w.KLICK(mm(500, 300).x(), mm(500, 300).y());
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    for (int i = 0; i <= 100; i += 10) {
        const QPointF at = mm(500 + i * 43, 2300 - 1900 * (1 - std::exp(-i / 25.0)));
        w.KLICK(at.x(), at.y());
    }
    ASSERT_TRUE(messageTexts().isEmpty()) << messageTexts().join(" | ").toStdString();
    QImage page(owner.width() + w.width() + 20, std::max(owner.height(), w.height() + 40), QImage::Format_RGB32);
    page.fill(QColor(200, 200, 200));
    {
        QPainter p(&page);
        p.drawPixmap(0, 0, owner.grab());
        p.drawPixmap(picture->geometry().right() + 20, 20, w.grab());
    }
    page.save(folder + QStringLiteral("/capture-calibrated.png"));

    picture->zoomBy(2.5, picture->scanToWidget({500 + 40 * 43, 2300 - 1900 * (1 - std::exp(-40 / 25.0))}));
    const QPoint at = picture->scanToWidget({500 + 50 * 43, 2300 - 1900 * (1 - std::exp(-50 / 25.0))}).toPoint();
    QTest::mousePress(picture, Qt::LeftButton, {}, at);
    picture->grab().save(folder + QStringLiteral("/capture-loupe.png"));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, at);
}

}  // namespace
