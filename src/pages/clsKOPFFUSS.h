#pragma once

#include "graphics/LabelWriter.h"
#include "platform/vb/Value.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace vb { class OutputSurface; }

// Header and footer of a page: title, the names of the records shown, a comment, project and
// page number at the top; editor, date and time and the program credits at the bottom. One
// object per drawing; the page fills the properties, sets the surfaces, may change the
// margins and calls KOPFFUSSZEILE once. The same object draws on a screen page and on the
// printer.
class clsKOPFFUSS {
public:
    // The frame whose scale width and height bound the page, and the surface written on.
    // Measures the surface and sets all four margins to 15 mm and the font to Arial 8 point.
    void AUSGABEOBJEKT(vb::OutputSurface* RAHMENOBJEKT, vb::OutputSurface* EOBJEKT);

    QString BEARBEITER() const { return bearbeiter_; }
    void BEARBEITER(const QString& v) { bearbeiter_ = v; }
    QString COPYRIGHT() const { return copyright_; }
    void COPYRIGHT(const QString& v) { copyright_ = v; }
    bool EBOKFS() const { return ebokfs_; }
    void EBOKFS(bool v) { ebokfs_ = v; }
    // The names of the records shown; a list without any name is refused.
    void KENNZEICHNUNG(const QString& name) { names_ = QStringList{name}; }
    void KENNZEICHNUNG(const QStringList& names);
    std::optional<vb::DateValue> DATUM() const { return datum_; }
    void DATUM(vb::DateValue v) { datum_ = v; }
    QString KOMMENTAR() const { return kommentar_; }
    void KOMMENTAR(const QString& v) { kommentar_ = v; }
    QString UEBERSCHRIFT() const { return ueberschrift_; }
    void UEBERSCHRIFT(const QString& v) { ueberschrift_ = v; }
    QString PROGRAMMIERER() const { return programmierer_; }
    void PROGRAMMIERER(const QString& v) { programmierer_ = v; }
    QString PROJEKT() const { return projekt_; }
    void PROJEKT(const QString& v) { projekt_ = v; }
    // One margin ("oben", "unten", "links", "rechts") or, for any other LAGE, all four, in
    // millimetres; needs the surface set first.
    void RANDABSTAND(const QString& LAGE, float RANDABSTAND);
    int16_t SEITE() const { return seite_; }
    void SEITE(int16_t v) { seite_ = v; }
    int16_t SEITENANZAHL() const { return seitenanzahl_; }
    void SEITENANZAHL(int16_t v) { seitenanzahl_ = v; }
    // 1 English, 3 German.
    int16_t SPRACHE() const { return sprache_; }
    void SPRACHE(int16_t v) { sprache_ = v; }
    std::optional<vb::DateValue> UHRZEIT() const { return uhrzeit_; }
    void UHRZEIT(vb::DateValue v) { uhrzeit_ = v; }

    void KOPFFUSSZEILE();

private:
    struct Page;

    vb::OutputSurface& surface() const;
    void requireSurfaces() const;
    void nameLabel();
    QString namesLine(double available) const;
    double title(const Page& page);
    double names(const Page& page, const QString& line);
    double namesY(const Page& page) const;
    void rightHeaderRow(const Page& page, double h1, double h2);
    void footer(const Page& page);
    bool english() const { return sprache_ == 1; }
    bool german() const { return sprache_ == 3; }
    QString inLanguage(const char* englishText, const char* germanText) const;

    vb::OutputSurface* frame_ = nullptr;
    vb::OutputSurface* surface_ = nullptr;
    LabelWriter labels_;
    QString bearbeiter_, copyright_, kommentar_, ueberschrift_, programmierer_;
    QString projekt_ = QStringLiteral("TE0000.00");
    bool ebokfs_ = true;
    QStringList names_{QString()};
    QString label_;
    std::optional<vb::DateValue> datum_, uhrzeit_;
    int16_t seite_ = 1, seitenanzahl_ = 1, sprache_ = 3;
    double top_ = 0, bottom_ = 0, left_ = 0, right_ = 0;
    double mmPerUnitX_ = 0, mmPerUnitY_ = 0;
};
