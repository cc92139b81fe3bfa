#pragma once

#include "platform/surface/PainterSurface.h"

#include <QImage>
#include <QWidget>
#include <memory>

class QPainter;

namespace vb {

// The screen picture: a background picture with a persistent drawing layer over it.
// Drawings survive repaints and resizes; Cls clears them and leaves the background.
// Mouse events are reported in the picture's current scale (millimetres in scale mode 6).
class PictureBox : public QWidget, public PainterSurface {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    Kind kind() const override { return Kind::Picture; }

    // The background picture, shown unscaled at the top-left corner.
    void Picture(const QImage& picture);
    const QImage& Picture() const { return background_; }
    bool LoadPicture(const QString& path);

    // 0 none, 1 a thin frame around the picture (on the screen only, not in image()).
    void BorderStyle(int style);
    int BorderStyle() const { return borderStyle_; }

    void BackColor(OleColor colour);
    OleColor BackColor() const { return backColor_; }

    QString Tag() const { return tag_; }
    void Tag(const QString& tag) { tag_ = tag; }
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

private:
    void endPainting();
    QImage blankLayer(const QSize& size) const;
    QPointF toScale(const QPointF& pixel) const;
    void emitMouse(void (PictureBox::*signal)(int, int, double, double), QMouseEvent* event, int button);

    QImage background_;
    QImage layer_;
    std::unique_ptr<QPainter> painter_;
    OleColor backColor_ = RGB(255, 255, 255);
    int borderStyle_ = 0;
    QString tag_;
};

}  // namespace vb
