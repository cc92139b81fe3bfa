#include "platform/surface/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace vb {

namespace {

constexpr double inchesPerMetre = 39.37007874015748;

int mouseButtons(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    layer_ = blankLayer(size());
    resetScale();
}

PictureBox::~PictureBox() { endPainting(); }

double PictureBox::dpiX() const { return logicalDpiX(); }
double PictureBox::dpiY() const { return logicalDpiY(); }

QImage PictureBox::blankLayer(const QSize& size) const
{
    QImage layer(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    // Fonts given in points must come out at the screen's size on the layer too.
    layer.setDotsPerMeterX(qRound(logicalDpiX() * inchesPerMetre));
    layer.setDotsPerMeterY(qRound(logicalDpiY() * inchesPerMetre));
    return layer;
}

QPainter& PictureBox::painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&layer_);
        painter_->setRenderHint(QPainter::TextAntialiasing);
    }
    return *painter_;
}

void PictureBox::endPainting()
{
    PainterSurface::flush();
    painter_.reset();
}

void PictureBox::flush() { endPainting(); }

void PictureBox::drawn() { update(); }

void PictureBox::Picture(const QImage& picture)
{
    background_ = picture;
    update();
}

bool PictureBox::LoadPicture(const QString& path)
{
    QImage picture;
    if (!picture.load(path)) return false;
    Picture(picture);
    return true;
}

void PictureBox::BackColor(OleColor colour)
{
    backColor_ = colour;
    update();
}

void PictureBox::BorderStyle(int style)
{
    borderStyle_ = style;
    update();
}

void PictureBox::Cls()
{
    discardPending();
    painter_.reset();
    layer_.fill(Qt::transparent);
    OutputSurface::Cls();
    update();
}

QImage PictureBox::image()
{
    endPainting();
    QImage out(layer_.size(), QImage::Format_RGB32);
    out.setDotsPerMeterX(layer_.dotsPerMeterX());
    out.setDotsPerMeterY(layer_.dotsPerMeterY());
    out.fill(toQColor(backColor_));
    QPainter p(&out);
    p.drawImage(0, 0, background_);
    p.drawImage(0, 0, layer_);
    return out;
}

void PictureBox::paintEvent(QPaintEvent*)
{
    endPainting();
    QPainter p(this);
    p.fillRect(rect(), toQColor(backColor_));
    p.drawImage(0, 0, background_);
    p.drawImage(0, 0, layer_);
    if (borderStyle_ == 1) {
        p.setPen(QColor(64, 64, 64));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureBox::resize(int width, int height)
{
    QWidget::resize(width, height);
    syncLayer();
}

void PictureBox::syncLayer()
{
    if (layer_.size() == size().expandedTo(QSize(1, 1))) return;
    endPainting();
    // The drawings stay where they were; a larger picture gets more empty layer.
    QImage layer = blankLayer(size());
    QPainter p(&layer);
    p.drawImage(0, 0, layer_);
    p.end();
    layer_ = layer;
    resetScale();
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    syncLayer();
    QWidget::resizeEvent(event);
}

QPointF PictureBox::toScale(const QPointF& pixel) const
{
    const double fx = pixelsPerUnitX(), fy = pixelsPerUnitY();
    return {ScaleLeft() + (fx == 0 ? 0 : pixel.x() / fx), ScaleTop() + (fy == 0 ? 0 : pixel.y() / fy)};
}

void PictureBox::emitMouse(void (PictureBox::*signal)(int, int, double, double), QMouseEvent* event, int button)
{
    const QPointF at = toScale(event->position());
    (this->*signal)(button, shiftState(event->modifiers()), at.x(), at.y());
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    emitMouse(&PictureBox::MouseDown, event, mouseButtons(event->button()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    emitMouse(&PictureBox::MouseMove, event, mouseButtons(event->buttons()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    emitMouse(&PictureBox::MouseUp, event, mouseButtons(event->button()));
    if (rect().contains(event->position().toPoint())) emit Click();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    emitMouse(&PictureBox::MouseDown, event, mouseButtons(event->button()));
    emit DblClick();
}

}  // namespace vb
