// The table renderer: surface, pen and font, the blocks with their frames and rules, the
// title and the footnote. Cells, scrolling and statistics are in clsTABELLE_ZEILEN.cpp.
#include "pages/clsTABELLE.h"

#include "graphics/PenSettings.h"
#include "graphics/SurfaceMeasure.h"
#include "platform/surface/OutputSurface.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/VbError.h"

#include <QObject>
#include <algorithm>
#include <numeric>

void clsTABELLE::EOBJEKT(vb::OutputSurface* surface)
{
    surface_ = surface;
    labels_.surface(surface);
    if (!surface) return;
    pixels_ = SurfaceMeasure::of(*surface);
    mmPerUnitY_ = SurfaceMeasure::of(*surface, vb::OutputSurface::vbMillimeters).factorY;
    labels_.SCHRIFTEINSTELLUNGEN(QString(), 0, false, false, false, 0);
}

vb::OutputSurface& clsTABELLE::surface() const
{
    if (!surface_) vb::raise(vb::errObjectNotSet);
    return *surface_;
}

QString clsTABELLE::surfaceName() const
{
    if (const auto* o = dynamic_cast<const QObject*>(surface_)) return o->objectName();
    if (surface_ && surface_->kind() == vb::OutputSurface::Kind::Printer) return QStringLiteral("Printer");
    return QString();
}

void clsTABELLE::LINIENEINSTELLUNGEN(int16_t& LINIENART, float& LINIENBREITE, int32_t& FARBE)
{
    vb::Procedure p(QStringLiteral("VB-Error "), QStringLiteral("Linieneinstellungen"));
    p.step([&] { PenSettings::apply(surface(), pixels_.factorX, LINIENART, LINIENBREITE, FARBE); });
}

void clsTABELLE::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, int16_t SCHRIFTGROESSE, bool FETT,
                                      bool UNTERSTRICHEN, bool KURSIV, int32_t FARBE)
{
    labels_.SCHRIFTEINSTELLUNGEN(SCHRIFTART, SCHRIFTGROESSE, FETT, UNTERSTRICHEN, KURSIV, FARBE);
}

int16_t clsTABELLE::listEntry(const std::vector<int16_t>& list, int c) const
{
    // A list shorter than the table (or not given) means 0 for the columns it does not reach.
    return c < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(c)] : 0;
}

QString clsTABELLE::format(int c) const
{
    return c < static_cast<int>(elformat_.size()) ? elformat_[static_cast<std::size_t>(c)] : QString();
}

void clsTABELLE::setCellText(int column, CellText text)
{
    if (column >= static_cast<int>(cellText_.size())) cellText_.resize(static_cast<std::size_t>(column) + 1);
    cellText_[static_cast<std::size_t>(column)] = std::move(text);
}

double clsTABELLE::tableWidth(int columns) const
{
    return std::accumulate(elsb_.begin(), elsb_.begin() + columns, 0.0);
}

double clsTABELLE::columnLeft(int c) const { return exdl_ + erl_ + tableWidth(c); }

void clsTABELLE::TABELLE(Values& X, int16_t POSITION)
{
    if (elsb_.empty()) {
        vb::Ui::instance().MsgBox(QStringLiteral("Angabe der Spaltenbreiten in Objekt ") + surfaceName() +
                                      QStringLiteral(" fehlt !"),
                                  vb::vbExclamation, QStringLiteral("Tabelle"));
        return;
    }
    vb::Procedure p(QStringLiteral("VB-Error: "), QStringLiteral("Tabelle"));
    const int columns = static_cast<int>(std::min(elsb_.size(), X.size()));
    int32_t n = 0;
    for (const auto& column : X) n = std::max(n, static_cast<int32_t>(column.size()));
    Block b;
    b.x0 = exdl_ + erl_;
    b.last = n - 1;
    p.step([&] {
        if (ezh_ > 0) return;
        ezh_ = static_cast<float>(surface().TextHeight(QStringLiteral("X")));
        autoRowHeight_ = true;
    });
    p.step([&] {
        switch (POSITION) {
        case 0: b.top = eydo_ + ero_; break;
        case 1:
            b.top = eydo_ + ero_ + headerHeight_;
            computeStatistics(X, columns, n);
            selectBodyRows(n, b.top);
            b.first = eez_;
            b.last = elz_;
            break;
        default:
            b.top = eydo_ + ero_ + headerHeight_ + bodyHeight_;
            fillStatistics(X, columns);
            break;
        }
        b.height = 2 * erz_ + (b.last - b.first) * step() + ezh_;
        (POSITION == 0 ? headerHeight_ : POSITION == 1 ? bodyHeight_ : statisticsHeight_) = b.height;
    });
    p.step([&] { drawFrame(b, columns); });
    p.step([&] {
        if (POSITION == 0) drawHeaderRules(b, columns, n);
        else drawBodyRules(b, columns);
    });
    p.step([&] {
        if (POSITION == 0) drawHeaderRows(X, b, columns);
        else drawRows(X, b, columns);
    });
}

void clsTABELLE::drawFrame(const Block& b, int columns)
{
    surface().Box(b.x0, b.top, b.x0 + tableWidth(columns), b.top + b.height);
}

void clsTABELLE::drawHeaderRules(const Block& b, int columns, int headerRows)
{
    vb::OutputSurface& s = surface();
    const double bottom = b.top + b.height;
    for (int c = 0; c + 1 < columns; ++c) {
        const int merged = listEntry(elgitleer_, c);
        if (merged >= headerRows && headerRows > 0) continue;  // merged over the whole header
        const double x = columnLeft(c + 1);
        // Below the first `merged` rows only: from the gap between that row and the next.
        const double from = merged <= 0 ? b.top : b.top + erz_ + ezh_ + (merged - 1) * step() + (step() - ezh_) / 2;
        s.Line(x, from, x, bottom);
    }
}

void clsTABELLE::drawBodyRules(const Block& b, int columns)
{
    vb::OutputSurface& s = surface();
    const double bottom = b.top + b.height;
    for (int c = 0; c + 1 < columns; ++c) {
        const int16_t rule = listEntry(elgit_, c);
        const double x = columnLeft(c + 1);
        if (rule >= 1) s.Line(x, b.top, x, bottom);
        if (rule == 2) s.Line(x + 0.5, b.top, x + 0.5, bottom);
    }
}

void clsTABELLE::TITEL(const QString& text)
{
    vb::Procedure p(QStringLiteral("VB-Error: "), QStringLiteral("Titel"));
    p.step([&] { labels_.write(exdl_ + erl_, eydo_ + ero_ - erz_ - 1.5, text, 0, 0, 2); });
}

void clsTABELLE::FUSSNOTE(const QString& text)
{
    vb::Procedure p(QStringLiteral("VB-Error: "), QStringLiteral("Fußnote"));
    p.step([&] {
        const double y = eydo_ + ero_ + headerHeight_ + bodyHeight_ + statisticsHeight_ + erz_ + 1.5;
        labels_.write(exdl_ + erl_ + 1.5, y, text, 0, 0, 0);
    });
}
