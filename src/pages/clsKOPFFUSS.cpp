#include "pages/clsKOPFFUSS.h"

#include "graphics/SurfaceMeasure.h"
#include "platform/surface/OutputSurface.h"
#include "platform/ui/Procedure.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Format.h"
#include "platform/vb/VbError.h"

#include <algorithm>
#include <cmath>

// The page's extent and margins in the surface's units.
struct clsKOPFFUSS::Page {
    double W, H, L, R, T, B;
};

void clsKOPFFUSS::AUSGABEOBJEKT(vb::OutputSurface* RAHMENOBJEKT, vb::OutputSurface* EOBJEKT)
{
    frame_ = RAHMENOBJEKT;
    surface_ = EOBJEKT;
    labels_.surface(EOBJEKT);
    if (!EOBJEKT) return;
    const SurfaceMeasure mm = SurfaceMeasure::of(*EOBJEKT, vb::OutputSurface::vbMillimeters);
    mmPerUnitX_ = mm.factorX;
    mmPerUnitY_ = mm.factorY;
    RANDABSTAND(QString(), 15);
    labels_.SCHRIFTEINSTELLUNGEN(QString(), 0, false, false, false, 0);
}

void clsKOPFFUSS::KENNZEICHNUNG(const QStringList& names)
{
    // Every page shows at least one record; without a name there is no names line to build.
    if (names.isEmpty()) vb::raise(vb::errInvalidProperty);
    names_ = names;
}

void clsKOPFFUSS::RANDABSTAND(const QString& LAGE, float RANDABSTAND)
{
    // The millimetres are converted with the factors measured on the surface: without one
    // there is nothing to convert with.
    if (!surface_ || mmPerUnitX_ == 0 || mmPerUnitY_ == 0) vb::raise(vb::errObjectNotSet);
    const double x = RANDABSTAND / mmPerUnitX_, y = RANDABSTAND / mmPerUnitY_;
    if (LAGE == QLatin1String("oben")) top_ = y;
    else if (LAGE == QLatin1String("unten")) bottom_ = y;
    else if (LAGE == QLatin1String("links")) left_ = x;
    else if (LAGE == QLatin1String("rechts")) right_ = x;
    else top_ = bottom_ = y, left_ = right_ = x;
}

vb::OutputSurface& clsKOPFFUSS::surface() const
{
    if (!surface_) vb::raise(vb::errObjectNotSet);
    return *surface_;
}

void clsKOPFFUSS::requireSurfaces() const
{
    if (!frame_ || !surface_ || mmPerUnitY_ == 0) vb::raise(vb::errObjectNotSet);
}

QString clsKOPFFUSS::inLanguage(const char* englishText, const char* germanText) const
{
    if (english()) return QString::fromUtf8(englishText);
    if (german()) return QString::fromUtf8(germanText);
    return QString();
}

void clsKOPFFUSS::KOPFFUSSZEILE()
{
    vb::Procedure p(QStringLiteral("VB-Error: "), QStringLiteral("Kopffuß-Zeile"));
    // Without the surfaces every step would fail alike: one message is enough.
    p.step([&] { requireSurfaces(); });
    if (p.failed()) return;
    const Page page{frame_->ScaleWidth(), frame_->ScaleHeight(), left_, right_, top_, bottom_};
    double available = 0, h1 = 0, h2 = 0;
    QString line;
    p.step([&] { nameLabel(); });
    p.step([&] {
        surface().FontSize(10);
        available = page.W - page.L - page.R - surface().TextWidth(label_);
    });
    p.step([&] { line = namesLine(available); });
    p.step([&] { h1 = title(page); });
    p.step([&] { h2 = names(page, line); });
    p.step([&] {
        if (!kommentar_.isEmpty()) labels_.TEXT(page.L, namesY(page) + 1.5 * h2, kommentar_, 0, 0);
    });
    p.step([&] { rightHeaderRow(page, h1, h2); });
    p.step([&] { footer(page); });
}

void clsKOPFFUSS::nameLabel()
{
    // Any other language keeps the label it had.
    const bool several = names_.size() > 1;
    if (english()) label_ = several ? QStringLiteral("Files") : QStringLiteral("File");
    if (german()) label_ = several ? QStringLiteral("Datensätze") : QStringLiteral("Datensatz");
}

QString clsKOPFFUSS::namesLine(double available) const
{
    const vb::OutputSurface& s = surface();
    QString line = names_.front();
    for (qsizetype i = 1; i < names_.size(); ++i) {
        if (s.TextWidth(line + names_[i] + QLatin1Char(',')) > available) {
            line += QStringLiteral(", ...");
            break;
        }
        line += QStringLiteral(", ") + names_[i];
    }
    return line;
}

double clsKOPFFUSS::title(const Page& page)
{
    labels_.SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 16, true, false, false, 0);
    labels_.TEXT(page.L, page.T, ueberschrift_, 0, 0);
    return surface().TextHeight(ueberschrift_);
}

double clsKOPFFUSS::names(const Page& page, const QString& line)
{
    labels_.SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 10, false, false, false, 0);
    const QString text = label_ + QLatin1Char(' ') + line;
    if (!line.isEmpty()) labels_.TEXT(page.L, namesY(page), text, 0, 0);
    return surface().TextHeight(text);
}

double clsKOPFFUSS::namesY(const Page& page) const { return page.T + 9 / mmPerUnitY_; }

void clsKOPFFUSS::rightHeaderRow(const Page& page, double h1, double h2)
{
    // The 10-point line ends level with the title.
    const vb::OutputSurface& s = surface();
    const double y = page.T + h1 - h2;
    const QString project = inLanguage("Project ", "Projekt ") + projekt_;
    const double projectX = page.W - s.TextWidth(project) - page.R;
    labels_.TEXT(projectX, y, project, 0, 0);
    if (!ebokfs_) return;
    const QString pages = QString::number(seite_) + QLatin1Char('/') + QString::number(seitenanzahl_);
    // The gap before the project is measured with the German word in both languages.
    const double gap = s.TextWidth(QString(15, QLatin1Char(' ')) + QStringLiteral("Seite ") + pages);
    labels_.TEXT(projectX - gap, y, inLanguage("Page ", "Seite ") + pages, 0, 0);
}

void clsKOPFFUSS::footer(const Page& page)
{
    const vb::OutputSurface& s = surface();
    labels_.SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 7, false, false, false, 0);
    const double y0 = page.H - page.B;
    const double h7 = s.TextHeight(programmierer_);
    // Right block: the credits end at the right margin.
    const QString credit = inLanguage("Program developed by ", "Programmentwicklung: ") + programmierer_;
    const double creditX = page.W - page.R - std::max(s.TextWidth(credit), s.TextWidth(copyright_));
    labels_.TEXT(creditX, y0, credit, 0, 2);
    labels_.TEXT(creditX, y0 + h7, copyright_, 0, 2);
    // Centre: date and time.
    const double centreX = (page.W + page.L - page.R) / 2;
    if (datum_) labels_.TEXT(centreX, y0, vb::CStr(vb::Value(vb::DateValue{std::floor(datum_->serial)})), 1, 2);
    if (uhrzeit_) labels_.TEXT(centreX, y0 + h7, vb::Format(vb::Value(*uhrzeit_), QStringLiteral("hh:mm")), 1, 2);
    // Left: the editor.
    labels_.TEXT(page.L, y0, inLanguage("Project Manager: ", "Bearbeiter: ") + bearbeiter_, 0, 2);
}
