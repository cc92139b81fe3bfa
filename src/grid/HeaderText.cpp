#include "grid/HeaderText.h"

#include "graphics/TextMarkup.h"
#include "platform/surface/OutputSurface.h"

#include <vector>

namespace {

struct Piece {
    QString text;
    int font = 0;
    double shift = 0;  // upwards, in surface units
    double width = 0;
};

struct Style {
    int font;
    double shift;      // times the height of the sample
    bool codeSample;   // the shift is measured on the code letter ("g", "s"), not the text
};

Style styleOf(const QString& code)
{
    if (code == QLatin1String("g")) return {3, 0.1, true};
    if (code == QLatin1String("h")) return {4, 0.25, false};
    if (code == QLatin1String("t")) return {4, -0.35, false};
    if (code == QLatin1String("gh")) return {5, 0.25, false};
    if (code == QLatin1String("gt")) return {5, -0.35, false};
    return {2, 0, false};
}

}  // namespace

void HeaderText::writeCentred(vb::OutputSurface& surface, double x, double y, const QString& label) const
{
    const QString text = TextMarkup::expandExponent(label);
    if (text.isEmpty()) return;
    const vb::SurfaceFont saved = surface.Font();
    std::vector<Piece> pieces;
    if (!TextMarkup::hasMarkup(text)) {
        pieces.push_back({text, 0, 0, 0});
    } else {
        for (const TextRun& run : TextMarkup::split(text)) {
            // Inline point symbols belong to diagrams; a header has no place for them.
            if (run.code == QLatin1String("s")) continue;
            const Style style = styleOf(run.code);
            Piece piece{run.content, style.font, 0, 0};
            if (run.code == QLatin1String("c")) piece.text = QString(QChar(run.content.trimmed().toInt() & 0xFF));
            surface.Font(fonts_[static_cast<size_t>(style.font)]);
            piece.shift = style.shift * surface.TextHeight(style.codeSample ? run.code : piece.text);
            pieces.push_back(piece);
        }
    }
    double width = 0;
    for (Piece& piece : pieces) {
        surface.Font(piece.font == 0 ? saved : fonts_[static_cast<size_t>(piece.font)]);
        piece.width = surface.TextWidth(piece.text);
        width += piece.width;
    }
    double cx = x - width / 2;
    for (const Piece& piece : pieces) {
        surface.Font(piece.font == 0 ? saved : fonts_[static_cast<size_t>(piece.font)]);
        surface.CurrentX(cx);
        surface.CurrentY(y - piece.shift);
        surface.Print(piece.text, false);
        cx += piece.width;
    }
    surface.Font(saved);
}
