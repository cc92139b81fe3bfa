// The header overlay: the two header lines of every visible column, written with the label
// markup on the picture that lies over the grid's header row.
#include "grid/clsFLX.h"

#include "grid/HeaderText.h"
#include "platform/surface/PictureBox.h"
#include "platform/ui/Procedure.h"
#include "platform/widgets/FlexGrid.h"

#include <QColor>

namespace {
constexpr double kTwipsPerMm = 56.7;
}

void clsFLX::BESCHRIFTEN()
{
    if (!pic_ || !flx_ || lst1_.empty()) return;
    auto p = trap(QStringLiteral("MSFlexGrid / Beschriften"));
    std::vector<int> visible;
    p.step([&] {
        for (int c = 0; c < flx_->Cols(); ++c)
            if (flx_->ColIsVisible(c)) visible.push_back(c);
        const double gridWidth = flx_->toTwips(flx_->width());
        double width = 0;
        bool overflow = false;
        for (int c : visible) {
            if (width + flx_->ColWidth(c) > gridWidth) {
                overflow = true;
                break;
            }
            width += flx_->ColWidth(c);
        }
        if (overflow) {
            // Leave the vertical scroll bar uncovered when there is one.
            const bool allRows = flx_->RowIsVisible(flx_->FixedRows()) && flx_->RowIsVisible(flx_->Rows() - 1);
            width = gridWidth - (allRows ? kTwipsPerMm : 5.5 * kTwipsPerMm);
        }
        const double height = flx_->RowHeight(0);
        pic_->resize(flx_->toPixels(static_cast<int>(width)), flx_->toPixels(static_cast<int>(height)));
        const QColor fixed = flx_->BackColorFixed();
        pic_->BackColor(vb::RGB(fixed.red(), fixed.green(), fixed.blue()));
        pic_->Cls();
    });
    p.step([&] {
        const HeaderText writer(fonts_);
        const QColor ink = flx_->ForeColor();
        pic_->ForeColor(vb::RGB(ink.red(), ink.green(), ink.blue()));
        pic_->Font(fonts_[0]);
        const double gridWidth = flx_->toTwips(flx_->width());
        const double half = flx_->RowHeight(0) / 2.0;
        double x = kTwipsPerMm;
        for (int c : visible) {
            const double w = flx_->ColWidth(c);
            writer.writeCentred(*pic_, x + w / 2, 0, header1Of(c));
            if (!lst2_.empty() && c < static_cast<int>(lst2_.size())) writer.writeCentred(*pic_, x + w / 2, half, lst2_[static_cast<size_t>(c)]);
            x += w;
            if (x > gridWidth) break;
        }
        pic_->flush();
    });
    p.step([&] { applyAlignment(); });
}
