#pragma once

#include "platform/surface/PainterSurface.h"

#include <QImage>
#include <QTransform>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace vb {

// The screen picture: a background picture with a persistent drawing layer over it.
// Drawings survive repaints and resizes; Cls clears them and leaves the background.
// Mouse events are reported in the picture's current scale (millimetres in scale mode 6).
//
// A scan is shown whole: scaled down to fit the picture (never enlarged), aspect ratio kept,
// at the top-left corner. The picture's own coordinate space (its scale, the drawing layer)
// stays the same whatever scan is loaded; zoom and pan are a view transform over it, so mouse
// positions still arrive in the same millimetres, only finer. Ctrl+wheel, + and - zoom, the
// middle button drags, 0 fits again. While the left button is held a loupe beside the pointer
// shows the scan around it at full resolution, enlarged, with a cross-hair.
class PictureBox : public QWidget, public PainterSurface {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    Kind kind() const override { return Kind::Picture; }

    // The background picture (the scan at full resolution), shown scaled to fit.
    void Picture(const QImage& picture);
    const QImage& Picture() const { return background_; }
    // Reads any picture format Qt reads; false (the picture unchanged) when it cannot, and
    // loadFailure() says why.
    bool LoadPicture(const QString& path);
    enum class LoadFailure { None, Missing, TooLarge, NotAPicture, Unreadable };
    LoadFailure loadFailure() const { return loadFailure_; }
    // The most memory a picture may take, in MB.
    static int pictureLimitMB();
    // Memory held for the picture: the scan and its scaled copies.
    qsizetype pictureBytes() const;

    // --- view ------------------------------------------------------------------------------------
    // Widget pixels per scan pixel when the whole scan is shown (at most 1).
    double fitScale() const;
    double zoom() const { return zoom_; }
    // Zooms by `factor` keeping the point under `anchor` (widget pixels) in place.
    void zoomBy(double factor, const QPointF& anchor);
    void zoomBy(double factor) { zoomBy(factor, QPointF(width() / 2.0, height() / 2.0)); }
    void panBy(const QPointF& widgetPixels);
    void fitView();
    // The view: the picture's own pixels (scale and drawings) to widget pixels.
    QTransform viewTransform() const;
    // A scan position in pixels (0,0 the top-left corner of the top-left pixel) on the widget,
    // and a widget position in the picture's scale: the way every mouse position takes.
    QPointF scanToWidget(const QPointF& scanPixel) const;
    QPointF widgetToScale(const QPointF& widgetPixel) const;
    QPointF widgetToScan(const QPointF& widgetPixel) const;
    // A position in the picture's scale (millimetres in scale mode 6) on the scan, and back.
    QPointF scaleToScan(const QPointF& scale) const;
    QPointF scanToScale(const QPointF& scanPixel) const;
    // The loupe over a widget position (none: hidden); the mouse sets it while the left
    // button is held.
    void showLoupe(std::optional<QPointF> widgetPixel);
    std::optional<QPointF> loupe() const { return loupeAt_; }
    // A mark in the loupe at a scan position (none: no mark): where the click held now will
    // take effect, when that is not under the cross-hair.
    void loupeMark(std::optional<QPointF> scanPixel);
    std::optional<QPointF> loupeMark() const { return loupeMark_; }

    // 0 none, 1 a thin frame around the picture (on the screen only, not in image()).
    void BorderStyle(int style);
    int BorderStyle() const { return borderStyle_; }

    void BackColor(OleColor colour);
    OleColor BackColor() const { return backColor_; }

    QString Tag() const { return tag_; }
    void Tag(const QString& tag) { tag_ = tag; }
    // A hint shown in the middle while no scan is loaded (on the screen only, not in image()).
    void PlaceholderText(const QString& text);
    QString PlaceholderText() const { return placeholder_; }
    QString ToolTipText() const { return toolTip(); }
    void ToolTipText(const QString& text) { setToolTip(text); }

    void Cls() override;
    void flush() override;

    // Background and drawings as one image (screen copies, the gallery).
    QImage image();

    // Resizing a hidden widget sends no resize event; the drawing layer and the scale must
    // follow at once all the same.
    void resize(int width, int height);
    void resize(const QSize& size) { resize(size.width(), size.height()); }

signals:
    // Buttons: 1 left, 2 right, 4 middle; shift: 1 shift, 2 control, 4 alt.
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void Click();
    void DblClick();

protected:
    QSizeF pixelSize() const override { return QSizeF(layer_.size()); }
    void syncLayer();
    double dpiX() const override;
    double dpiY() const override;
    QPaintDevice* metricsDevice() const override { return const_cast<QImage*>(&layer_); }
    QPainter& painter() override;
    void drawn() override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    LoadFailure loadFailure_ = LoadFailure::None;
    void endPainting();
    QImage blankLayer(const QSize& size) const;
    QPointF toScale(const QPointF& pixel) const;
    void fitPicture();
    void clampPan();
    // The smallest stored copy of the scan with at least `scale` of its resolution.
    const QImage& sourceFor(double scale);
    void paintScan(QPainter& p);
    void paintLoupe(QPainter& p, const QPointF& at);
    void trackLoupe(QMouseEvent* event);
    void emitMouse(void (PictureBox::*signal)(int, int, double, double), QMouseEvent* event, int button);

    QImage background_;
    // The scan scaled to fit, and halved copies made when a zoom first needs them.
    QImage fitted_;
    std::vector<QImage> halves_;
    double zoom_ = 1;
    QPointF pan_;
    std::optional<QPointF> loupeAt_;
    std::optional<QPointF> loupeMark_;
    std::optional<QPointF> dragFrom_;
    QImage layer_;
    std::unique_ptr<QPainter> painter_;
    OleColor backColor_ = RGB(255, 255, 255);
    int borderStyle_ = 0;
    QString tag_;
    QString placeholder_;
};

}  // namespace vb
