#include "capture/MarkerLayer.h"

#include "platform/surface/PictureBox.h"

#include <QEvent>
#include <QPainter>

MarkerLayer::MarkerLayer(vb::PictureBox& picture, PaintIn markers, Paint overlay)
    : QWidget(&picture), picture_(picture), markers_(std::move(markers)), overlay_(std::move(overlay))
{
    setObjectName(QStringLiteral("markers"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(picture.rect());
    picture.installEventFilter(this);
    show();
}

MarkerLayer::View MarkerLayer::view() const
{
    return {picture_.scanToWidget(QPointF(0, 0)), picture_.scanToWidget(QPointF(1, 1)), size(), devicePixelRatioF()};
}

void MarkerLayer::add(const Paint& marker)
{
    if (kept()) {
        QPainter p(&image_);
        marker(p);
    }
    update();
}

void MarkerLayer::redrawIn(const std::vector<QRectF>& areas)
{
    if (kept()) {
        QPainter p(&image_);
        for (const QRectF& area : areas) {
            p.setCompositionMode(QPainter::CompositionMode_Clear);
            p.fillRect(area, Qt::transparent);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            p.save();
            p.setClipRect(area);
            markers_(p, area);
            p.restore();
        }
    }
    update();
}

void MarkerLayer::invalidate()
{
    keptView_.reset();
    update();
}

void MarkerLayer::drawAll()
{
    const View v = view();
    image_ = QImage(v.size * v.ratio, QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(v.ratio);
    image_.fill(Qt::transparent);
    QPainter p(&image_);
    markers_(p, QRectF(rect()));
    keptView_ = v;
}

void MarkerLayer::paintEvent(QPaintEvent*)
{
    if (!kept()) drawAll();
    QPainter p(this);
    p.drawImage(QPointF(0, 0), image_);
    overlay_(p);
}

bool MarkerLayer::eventFilter(QObject* watched, QEvent* event)
{
    // Whenever the picture repaints (a zoom, a pan) its children repaint with it.
    if (event->type() == QEvent::Resize) setGeometry(static_cast<QWidget*>(watched)->rect());
    return QWidget::eventFilter(watched, event);
}
