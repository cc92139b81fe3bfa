// Text: the label's point in device, diagram-relative or world coordinates, and the
// visibility rule; the layout itself is the label writer's.
#include "graphics/clsGRAFIK.h"

#include "graphics/PlotMath.h"
#include "platform/ui/Procedure.h"

void clsGRAFIK::TEXT(float X, float Y, QString TEXT, int16_t KO, int16_t AL, int16_t ARX, int16_t ARY)
{
    auto p = trap(QStringLiteral("Text"));
    p.step([&] {
        if (TEXT.isEmpty()) return;
        double x = X, y = Y;
        if (KO == 1) {
            const Point d = toDevice(esktx_ == 1 ? PlotMath::LOG10(X) : X, eskty_ == 1 ? PlotMath::LOG10(Y) : Y);
            x = d.x;
            y = d.y;
        } else if (KO == 2) {
            x += exdl_ + scrollX_;
            y += eydo_ + scrollY_;
        }
        // A label is written whole or not at all: inside the frame (world coordinates) or the
        // diagram area, widened by 1 mm.
        ClipRect bounds = KO == 1 ? plotFrame() : diagramArea();
        bounds.left -= 1, bounds.right += 1, bounds.top -= 1, bounds.bottom += 1;
        labels_.write(x, y, TEXT, AL, ARX, ARY, &bounds);
    });
}
