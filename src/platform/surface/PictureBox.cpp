#include "platform/surface/PictureBox.h"

#include "platform/widgets/KeyState.h"

#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace vb {

namespace {

constexpr double inchesPerMetre = 39.37007874015748;
// The closest zoom shows one scan pixel as this many widget pixels.
constexpr double closestPixel = 16;
constexpr double zoomStep = 1.25;
// The loupe: its side in widget pixels, its distance from the pointer, and how many widget
// pixels one scan pixel takes in it at least.
constexpr int loupeSide = 180;
constexpr int loupeGap = 24;
constexpr double loupePixel = 6;
constexpr int scanAllocationLimitMB = 1024;

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
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
    // Scaled drawing is fast only from these formats; a scan in another one (grey, indexed,
    // one bit) is converted once here instead of at every repaint.
    if (!background_.isNull() && background_.format() != QImage::Format_RGB32 &&
        background_.format() != QImage::Format_ARGB32_Premultiplied)
        background_.convertTo(background_.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                            : QImage::Format_RGB32);
    halves_.clear();
    fitPicture();
    fitView();
}

namespace {

qint64 bytesPerPixel(QImage::Format format)
{
    const int bits = format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
    return std::max(1, bits / 8);
}

}  // namespace

bool PictureBox::LoadPicture(const QString& path)
{
    // Qt refuses pictures above 128 MB by default; a 600 dpi A4 scan needs 140 MB, one at
    // 1200 dpi 560 MB. The limit stays as a guard against files that only claim a size.
    if (QImageReader::allocationLimit() < scanAllocationLimitMB) QImageReader::setAllocationLimit(scanAllocationLimitMB);
    loadFailure_ = LoadFailure::None;
    if (!QFileInfo(path).isFile()) {
        loadFailure_ = LoadFailure::Missing;
        return false;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    QImage picture = reader.read();
    if (!picture.isNull()) {
        Picture(picture);
        return true;
    }
    // A file whose header no reader understands is no picture; one that claims more pixels
    // than the memory limit allows is too large; the rest is damaged.
    if (reader.error() == QImageReader::UnsupportedFormatError || !size.isValid()) loadFailure_ = LoadFailure::NotAPicture;
    else if (qint64(size.width()) * size.height() * bytesPerPixel(reader.imageFormat()) > qint64(QImageReader::allocationLimit()) * 1024 * 1024)
        loadFailure_ = LoadFailure::TooLarge;
    else loadFailure_ = LoadFailure::Unreadable;
    return false;
}

int PictureBox::pictureLimitMB() { return std::max(QImageReader::allocationLimit(), scanAllocationLimitMB); }

qsizetype PictureBox::pictureBytes() const
{
    qsizetype bytes = background_.sizeInBytes();
    if (fitted_.constBits() != background_.constBits()) bytes += fitted_.sizeInBytes();
    for (const QImage& half : halves_) bytes += half.sizeInBytes();
    return bytes;
}

// --- view ------------------------------------------------------------------------------------------

double PictureBox::fitScale() const
{
    if (background_.isNull()) return 1;
    return std::min({1.0, double(width()) / background_.width(), double(height()) / background_.height()});
}

void PictureBox::fitPicture()
{
    const double s = fitScale();
    if (background_.isNull() || s >= 1) {
        fitted_ = background_;
        return;
    }
    fitted_ = background_.scaled(std::max(1, qRound(background_.width() * s)), std::max(1, qRound(background_.height() * s)),
                                 Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QTransform PictureBox::viewTransform() const
{
    return QTransform(zoom_, 0, 0, zoom_, pan_.x(), pan_.y());
}

QPointF PictureBox::scanToWidget(const QPointF& scanPixel) const { return scanPixel * fitScale() * zoom_ + pan_; }

QPointF PictureBox::widgetToScan(const QPointF& widgetPixel) const
{
    return (widgetPixel - pan_) / zoom_ / fitScale();
}

QPointF PictureBox::widgetToScale(const QPointF& widgetPixel) const { return toScale((widgetPixel - pan_) / zoom_); }

QPointF PictureBox::scaleToScan(const QPointF& scale) const
{
    const QPointF pixel((scale.x() - ScaleLeft()) * pixelsPerUnitX(), (scale.y() - ScaleTop()) * pixelsPerUnitY());
    return pixel / fitScale();
}

QPointF PictureBox::scanToScale(const QPointF& scanPixel) const { return toScale(scanPixel * fitScale()); }

void PictureBox::zoomBy(double factor, const QPointF& anchor)
{
    const double closest = std::max(1.0, closestPixel / fitScale());
    const double zoom = std::clamp(zoom_ * factor, 1.0, closest);
    pan_ = anchor - (anchor - pan_) * (zoom / zoom_);
    zoom_ = zoom;
    clampPan();
    update();
}

void PictureBox::panBy(const QPointF& widgetPixels)
{
    pan_ += widgetPixels;
    clampPan();
    update();
}

void PictureBox::fitView()
{
    zoom_ = 1;
    pan_ = QPointF();
    update();
}

void PictureBox::clampPan()
{
    pan_.setX(std::clamp(pan_.x(), width() * (1 - zoom_), 0.0));
    pan_.setY(std::clamp(pan_.y(), height() * (1 - zoom_), 0.0));
}

void PictureBox::showLoupe(std::optional<QPointF> widgetPixel)
{
    loupeAt_ = widgetPixel;
    update();
}

void PictureBox::loupeMark(std::optional<QPointF> scanPixel)
{
    loupeMark_ = scanPixel;
    update();
}

const QImage& PictureBox::sourceFor(double scale)
{
    if (scale <= fitScale() * 1.0001) return fitted_;
    const int halvings = scale >= 1 ? 0 : static_cast<int>(std::floor(std::log2(1 / scale)));
    while (static_cast<int>(halves_.size()) < halvings) {
        const QImage& finer = halves_.empty() ? background_ : halves_.back();
        halves_.push_back(finer.scaled(std::max(1, finer.width() / 2), std::max(1, finer.height() / 2),
                                       Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return halvings == 0 ? background_ : halves_[static_cast<size_t>(halvings - 1)];
}

// In the picture's own pixels (the view transform is set): the scan fills the rectangle the
// fit scale gives it, drawn from the copy whose resolution is just above what the view needs.
void PictureBox::paintScan(QPainter& p)
{
    if (background_.isNull()) return;
    if (zoom_ == 1) {
        p.drawImage(0, 0, fitted_);
        return;
    }
    const double s = fitScale();
    const QImage& source = sourceFor(s * zoom_ * devicePixelRatioF());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(0, 0, background_.width() * s, background_.height() * s), source, QRectF(source.rect()));
}

void PictureBox::paintLoupe(QPainter& p, const QPointF& at)
{
    const double magnification = std::max(loupePixel, 2 * fitScale() * zoom_);
    QRectF box(at.x() + loupeGap, at.y() - loupeGap - loupeSide, loupeSide, loupeSide);
    if (box.right() > width()) box.moveRight(at.x() - loupeGap);
    if (box.top() < 0) box.moveTop(at.y() + loupeGap);
    const QPointF centre = box.center();
    const QPointF scan = widgetToScan(at);
    p.save();
    p.setClipRect(box);
    p.fillRect(box, toQColor(backColor_));
    // Scan pixels as squares (no smoothing), so a corner is hit to the pixel.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setTransform(QTransform::fromTranslate(centre.x(), centre.y()).scale(magnification, magnification).translate(-scan.x(), -scan.y()));
    p.drawImage(0, 0, background_);
    const double s = fitScale();
    p.setTransform(QTransform::fromTranslate(centre.x(), centre.y())
                       .scale(magnification / s, magnification / s)
                       .translate(-scan.x() * s, -scan.y() * s));
    p.drawImage(0, 0, layer_);
    p.resetTransform();
    p.setPen(QPen(QColor(220, 0, 0), 1));
    p.drawLine(QPointF(box.left(), centre.y()), QPointF(box.right(), centre.y()));
    p.drawLine(QPointF(centre.x(), box.top()), QPointF(centre.x(), box.bottom()));
    if (loupeMark_) {
        const QPointF mark = centre + (*loupeMark_ - scan) * magnification;
        p.setPen(QPen(QColor(0, 150, 0), 2));
        p.setRenderHint(QPainter::Antialiasing);
        p.drawEllipse(mark, 6, 6);
        p.drawPoint(mark);
    }
    p.setClipping(false);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.restore();
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
    p.drawImage(0, 0, fitted_);
    p.drawImage(0, 0, layer_);
    return out;
}

void PictureBox::paintEvent(QPaintEvent*)
{
    endPainting();
    QPainter p(this);
    p.fillRect(rect(), toQColor(backColor_));
    p.setTransform(viewTransform());
    paintScan(p);
    p.drawImage(0, 0, layer_);
    p.resetTransform();
    if (borderStyle_ == 1) {
        p.setPen(QColor(64, 64, 64));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (loupeAt_ && !background_.isNull()) paintLoupe(p, *loupeAt_);
    if (background_.isNull() && !placeholder_.isEmpty()) {
        p.setPen(QColor(110, 110, 110));
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, placeholder_);
    }
}

void PictureBox::PlaceholderText(const QString& text)
{
    placeholder_ = text;
    update();
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
    fitPicture();
    clampPan();
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
    const QPointF at = widgetToScale(event->position());
    (this->*signal)(button, shiftState(event->modifiers()), at.x(), at.y());
}

void PictureBox::trackLoupe(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) showLoupe(event->position());
    else if (loupeAt_) showLoupe(std::nullopt);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) dragFrom_ = event->position();
    trackLoupe(event);
    emitMouse(&PictureBox::MouseDown, event, mouseButtons(event->button()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    if (dragFrom_ && (event->buttons() & Qt::MiddleButton)) {
        panBy(event->position() - *dragFrom_);
        dragFrom_ = event->position();
    }
    trackLoupe(event);
    emitMouse(&PictureBox::MouseMove, event, mouseButtons(event->buttons()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) dragFrom_.reset();
    trackLoupe(event);
    emitMouse(&PictureBox::MouseUp, event, mouseButtons(event->button()));
    if (rect().contains(event->position().toPoint())) emit Click();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    emitMouse(&PictureBox::MouseDown, event, mouseButtons(event->button()));
    emit DblClick();
}

void PictureBox::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) zoomBy(std::pow(zoomStep, delta.y() / 120.0), event->position());
    else if (zoom_ > 1 && (event->modifiers() & Qt::ShiftModifier)) panBy(QPointF(delta.y(), 0));
    else if (zoom_ > 1) panBy(QPointF(delta.x(), delta.y()));
    else return event->ignore();
    event->accept();
}

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Plus: zoomBy(zoomStep); break;
    case Qt::Key_Minus: zoomBy(1 / zoomStep); break;
    case Qt::Key_0: fitView(); break;
    default: QWidget::keyPressEvent(event); return;
    }
}

}  // namespace vb
