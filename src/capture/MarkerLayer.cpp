#include "capture/MarkerLayer.h"

#include "platform/surface/PictureBox.h"

#include <QEvent>
#include <QPainter>

MarkerLayer::MarkerLayer(vb::PictureBox& picture, std::function<void(QPainter&)> paint)
    : QWidget(&picture), paint_(std::move(paint))
{
    setObjectName(QStringLiteral("markers"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(picture.rect());
    picture.installEventFilter(this);
    show();
}

void MarkerLayer::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint_(p);
}

bool MarkerLayer::eventFilter(QObject* watched, QEvent* event)
{
    // Whenever the picture repaints (a zoom, a pan) its children repaint with it.
    if (event->type() == QEvent::Resize) setGeometry(static_cast<QWidget*>(watched)->rect());
    return QWidget::eventFilter(watched, event);
}
