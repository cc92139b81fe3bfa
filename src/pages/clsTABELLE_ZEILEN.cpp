// The table renderer's rows: header cells with their merges, body and statistics cells with
// formats and alignments, the scrolled window of body rows, and the column statistics.
#include "pages/clsTABELLE.h"

#include "graphics/PointSymbol.h"
#include "platform/surface/OutputSurface.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Format.h"
#include "platform/vb/VbError.h"
#include "platform/vb/VbLocale.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace {

const vb::Value& cell(const clsTABELLE::Values& X, int c, int32_t r)
{
    static const vb::Value empty;
    const auto& column = X[static_cast<std::size_t>(c)];
    return r < static_cast<int32_t>(column.size()) ? column[static_cast<std::size_t>(r)] : empty;
}

}  // namespace

void clsTABELLE::drawHeaderRows(const Values& X, const Block& b, int columns)
{
    for (int32_t j = b.first; j <= b.last; ++j) {
        const double y = b.top + erz_ + ezh_ + (j - b.first) * step();
        int c = 0;
        while (c < columns) {
            // The cell reaches over every boundary whose merge covers this header row.
            int end = c;
            while (end + 1 < columns && j < listEntry(elgitleer_, end)) ++end;
            const double left = columnLeft(c), width = columnLeft(end + 1) - left;
            labels_.TEXT(left + width / 2, y - 1.5, vb::Format(cell(X, c, j)), 1, 1);
            c = end + 1;
        }
    }
}

void clsTABELLE::drawRows(const Values& X, const Block& b, int columns)
{
    for (int32_t r = b.first; r <= b.last; ++r) {
        const double y = b.top + erz_ + ezh_ + (r - b.first) * step();
        for (int c = 0; c < columns; ++c) drawCell(cell(X, c, r), c, y);
    }
}

void clsTABELLE::drawCell(const vb::Value& value, int c, double y)
{
    const double xc = columnLeft(c), w = elsb_[static_cast<std::size_t>(c)];
    const QString fmt = format(c);
    if (fmt == QLatin1String("SYMBOL")) {
        PointSymbol::draw(surface(), vb::CInt(value), xc + w / 2, y - 1);
        return;
    }
    const bool ownText = c < static_cast<int>(cellText_.size()) && cellText_[static_cast<std::size_t>(c)];
    const QString text = ownText ? cellText_[static_cast<std::size_t>(c)](value) : vb::Format(value, fmt);
    switch (listEntry(ela_, c)) {
    case 1: labels_.TEXT(xc + w / 2, y - 1, text, 1, 1); break;
    case 2: labels_.TEXT(xc + w - 1.5, y - 1, text, 2, 1); break;
    case 3: labels_.TEXT(decimalX(text, c), y - 1, text, 0, 1); break;
    default: labels_.TEXT(xc + 1.5, y - 1, text, 0, 1); break;
    }
}

double clsTABELLE::decimalX(const QString& text, int c) const
{
    // The text starts so far left of the column's middle that its decimal mark (the
    // session's, as the number was formatted) lands on the same x in every row; the format's
    // own point position moves that x a little.
    const double xc = columnLeft(c), w = elsb_[static_cast<std::size_t>(c)];
    const QString fmt = format(c);
    const int p = static_cast<int>(fmt.indexOf(QLatin1Char('.'))) + 1;
    const double L = fmt.size();
    const int mark = static_cast<int>(text.indexOf(vb::VbLocale::decimalSeparator()));
    const double wd = mark < 0 ? 0 : surface().TextWidth(text.left(mark + 1));
    // Without a format there is no point position to move by.
    const double shift = L == 0 ? 0 : (L / 2 - p) * (w / 2 - 1.5) / L;
    return xc + w / 2 - wd - shift;
}

void clsTABELLE::selectBodyRows(int32_t n, double top)
{
    eez_ = 0;
    elz_ = n - 1;
    if (!bar_) return;
    const vb::OutputSurface& s = surface();
    if (s.kind() == vb::OutputSurface::Kind::Printer) {
        // The printout shows the rows the screen shows: as many as fit the bar's height, from
        // the bar's position.
        // The row height counts as the screen had it: a font measured on the printer is a
        // little taller or shorter than on the screen, and would shift the window.
        if (bar_->isHidden()) return;
        const double unitsPerPixel = 25.4 / bar_->logicalDpiY() / mmPerUnitY_;
        const double screenRow =
            autoRowHeight_ ? QFontMetricsF(s.qFont(s.Font()), bar_.data()).height() * unitsPerPixel : ezh_;
        scrollWindow(n, rowStepsFitting(bar_->height() * unitsPerPixel, screenRow));
        return;
    }
    const double available = s.ScaleHeight() - eru_ - top;
    if (bar_->value() != 0) {
        scrollWindow(n, rowStepsFitting(available, ezh_));
        return;
    }
    const double wholeBody = 2 * erz_ + (n - 1) * step() + ezh_;
    if (s.ScaleHeight() > eydo_ + ero_ + headerHeight_ + wholeBody + eru_) {
        bar_->hide();
        return;
    }
    placeBar();
    elz_ = std::min(rowStepsFitting(available, ezh_), n - 1);
}

int32_t clsTABELLE::rowStepsFitting(double height, double rowHeight) const
{
    // Rows first..first+k fit when the block's frame around them does.
    const double rowStep = rowHeight * eza_;
    if (rowStep <= 0) vb::raise(vb::errDivisionByZero);
    return std::max(0, static_cast<int32_t>(std::floor((height - 2 * erz_ - rowHeight) / rowStep)));
}

void clsTABELLE::placeBar()
{
    const vb::OutputSurface& s = surface();
    // Beside the table and below its header, down to the bottom margin; the table area's
    // offset counts, so the bar stays with a table that does not start at the corner.
    const double top = eydo_ + ero_ + headerHeight_;
    const double left = exdl_ + erl_ + tableWidth(static_cast<int>(elsb_.size()));
    const double height = s.ScaleHeight() - top - eru_;
    const auto px = [](double units, double origin, double factor) { return static_cast<int>(std::lround((units - origin) * factor)); };
    bar_->setGeometry(px(left, pixels_.left, pixels_.factorX), px(top, pixels_.top, pixels_.factorY),
                      px(5, 0, pixels_.factorX), px(height, 0, pixels_.factorY));
    bar_->setRange(0, 10000);
    bar_->setPageStep(2000);
    bar_->setSingleStep(300);
    bar_->show();
}

void clsTABELLE::scrollWindow(int32_t n, int32_t m)
{
    const int span = bar_->maximum() - bar_->minimum();
    if (span == 0) vb::raise(vb::errDivisionByZero);
    const double fraction = vb::Round(static_cast<double>(bar_->value()) / span, 3);
    eez_ = std::max<int32_t>(0, static_cast<int32_t>(std::nearbyint(fraction * (n - 1 - m))));
    elz_ = std::min(eez_ + m, n - 1);
}

void clsTABELLE::computeStatistics(const Values& X, int columns, int32_t n)
{
    const vb::Value none(QStringLiteral("-"));
    mean_.assign(static_cast<std::size_t>(columns), none);
    deviation_ = variation_ = mean_;
    // An empty body has nothing to average: its statistics stay "-".
    if (n == 0) return;
    for (int c = 0; c < columns; ++c) {
        if (listEntry(elmw_, c) != 1) continue;
        double sum = 0, squares = 0;
        for (int32_t r = 0; r < n; ++r) {
            const double v = vb::CDbl(cell(X, c, r));
            sum += v;
            squares += v * v;
        }
        const double mean = sum / n;
        const double radicand = squares - n * mean * mean;
        const double deviation = radicand > 0 && n > 1 ? std::sqrt(radicand / (n - 1)) : 0;
        const auto i = static_cast<std::size_t>(c);
        mean_[i] = vb::Value(mean);
        deviation_[i] = vb::Value(deviation);
        // A mean of 0 gives no ratio to speak of: 0, not a division by zero at every redraw.
        variation_[i] = vb::Value(mean == 0 ? 0.0 : deviation / mean);
    }
}

void clsTABELLE::fillStatistics(Values& X, int columns) const
{
    const vb::Value none(QStringLiteral("-"));
    for (int c = 0; c < columns; ++c) {
        if (listEntry(elmw_, c) != 1) continue;
        const auto i = static_cast<std::size_t>(c);
        const vb::Value* stats[] = {i < mean_.size() ? &mean_[i] : &none, i < deviation_.size() ? &deviation_[i] : &none,
                                    i < variation_.size() ? &variation_[i] : &none};
        auto& column = X[i];
        for (std::size_t k = 0; k < 3 && k < column.size(); ++k) column[k] = *stats[k];
    }
}
