#pragma once

#include <QWidget>
#include <functional>

class QPainter;
namespace vb { class PictureBox; }

// A transparent layer over the picture on which the capture draws its markers: crosses of one
// screen size at every zoom, never part of the picture's drawings. It follows the picture's
// size and lets the mouse through to it.
class MarkerLayer : public QWidget {
public:
    MarkerLayer(vb::PictureBox& picture, std::function<void(QPainter&)> paint);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(QPainter&)> paint_;
};
