#pragma once

#include <QString>
#include <QStringList>

namespace vb {

// The "Symbol" font of the original platform shows Greek letters and mathematical signs on
// the Latin code points ("a" is alpha). Our fonts are Unicode fonts, so text meant for the
// symbol font is translated to the Unicode characters it showed before it is drawn; that way
// {g,a} gives an alpha whatever the installed symbol font's own encoding is.
class SymbolFont {
public:
    static bool isSymbolFont(const QString& fontName);
    static QString toUnicode(const QString& symbolText);
    // The families to draw translated symbol text with: the symbol font for the characters it
    // has under their own code, a Unicode font with Greek and mathematical signs for the rest.
    static QStringList families(const QString& fontName);
};

}  // namespace vb
