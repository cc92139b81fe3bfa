#include "platform/surface/SymbolFont.h"

#include <QHash>

namespace vb {

namespace {

// The symbol font's layout: Latin letters carry the Greek alphabet in the order of the
// Greek keyboard (c chi, f phi, j phi variant, q theta, v pi variant, w omega, x xi, y psi),
// the upper half mathematical signs.
const QHash<ushort, ushort>& symbolTable()
{
    static const QHash<ushort, ushort> table = [] {
        QHash<ushort, ushort> t;
        const char16_t* lower = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";
        const char16_t* upper = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";
        for (int i = 0; i < 26; ++i) {
            t.insert(ushort('a' + i), ushort(lower[i]));
            t.insert(ushort('A' + i), ushort(upper[i]));
        }
        const struct { ushort from; char16_t to; } signs[] = {
            {'"', u'∀'}, {'$', u'∃'}, {'\'', u'∋'}, {'*', u'∗'}, {'-', u'−'}, {'@', u'≅'},
            {'\\', u'∴'}, {'^', u'⊥'}, {'~', u'∼'},
            {0xA1, u'ϒ'}, {0xA2, u'′'}, {0xA3, u'≤'}, {0xA4, u'⁄'}, {0xA5, u'∞'}, {0xA6, u'ƒ'},
            {0xA7, u'♣'}, {0xA8, u'♦'}, {0xA9, u'♥'}, {0xAA, u'♠'}, {0xAB, u'↔'}, {0xAC, u'←'},
            {0xAD, u'↑'}, {0xAE, u'→'}, {0xAF, u'↓'}, {0xB0, u'°'}, {0xB1, u'±'}, {0xB2, u'″'},
            {0xB3, u'≥'}, {0xB4, u'×'}, {0xB5, u'∝'}, {0xB6, u'∂'}, {0xB7, u'•'}, {0xB8, u'÷'},
            {0xB9, u'≠'}, {0xBA, u'≡'}, {0xBB, u'≈'}, {0xBC, u'…'}, {0xC0, u'ℵ'}, {0xC1, u'ℑ'},
            {0xC2, u'ℜ'}, {0xC3, u'℘'}, {0xC4, u'⊗'}, {0xC5, u'⊕'}, {0xC6, u'∅'}, {0xC7, u'∩'},
            {0xC8, u'∪'}, {0xC9, u'⊃'}, {0xCA, u'⊇'}, {0xCB, u'⊄'}, {0xCC, u'⊂'}, {0xCD, u'⊆'},
            {0xCE, u'∈'}, {0xCF, u'∉'}, {0xD0, u'∠'}, {0xD1, u'∇'}, {0xD5, u'∏'}, {0xD6, u'√'},
            {0xD7, u'⋅'}, {0xD8, u'¬'}, {0xD9, u'∧'}, {0xDA, u'∨'}, {0xDB, u'⇔'}, {0xDC, u'⇐'},
            {0xDD, u'⇑'}, {0xDE, u'⇒'}, {0xDF, u'⇓'}, {0xE0, u'◊'}, {0xE1, u'〈'}, {0xE5, u'∑'},
            {0xF1, u'〉'}, {0xF2, u'∫'},
        };
        for (const auto& s : signs) t.insert(s.from, ushort(s.to));
        return t;
    }();
    return table;
}

}  // namespace

bool SymbolFont::isSymbolFont(const QString& fontName)
{
    return fontName.compare(QStringLiteral("Symbol"), Qt::CaseInsensitive) == 0;
}

QStringList SymbolFont::families(const QString& fontName)
{
    return {fontName, QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
}

QString SymbolFont::toUnicode(const QString& symbolText)
{
    const auto& table = symbolTable();
    QString out = symbolText;
    for (QChar& c : out) {
        const auto it = table.constFind(c.unicode());
        if (it != table.constEnd()) c = QChar(*it);
    }
    return out;
}

}  // namespace vb
