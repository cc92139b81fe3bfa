#pragma once

#include <QPixmap>

// The program's logo, drawn rather than shipped so that it is sharp at any size: a curve
// on a diagram grid with a capture cross on it.
class Logo {
public:
    static QPixmap pixmap(int size);
};
