#include "shell/RtfDocument.h"

#include "platform/os/Os.h"

#include <QBuffer>

namespace {

// Twips per inch; a picture keeps its size at its own resolution (96 dpi when it has none).
constexpr double kTwipsPerInch = 1440;

double dotsPerInch(int dotsPerMeter) { return dotsPerMeter > 0 ? dotsPerMeter * 0.0254 : 96.0; }

}  // namespace

QByteArray RtfDocument::escaped(const QString& text)
{
    QByteArray out;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}')) {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u >= 0x20 && u < 0x80) {
            out += static_cast<char>(u);
        } else if (c == QLatin1Char('\n')) {
            out += "\\line ";
        } else if (u >= 0x80) {
            // RTF's \u takes a signed 16-bit number and a fallback character for old readers.
            out += "\\u" + QByteArray::number(static_cast<short>(u)) + '?';
        }
    }
    return out;
}

void RtfDocument::paragraph(const QString& text) { body_ += escaped(text) + "\\par\n"; }

void RtfDocument::picture(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const int goalWidth = qRound(image.width() / dotsPerInch(image.dotsPerMeterX()) * kTwipsPerInch);
    const int goalHeight = qRound(image.height() / dotsPerInch(image.dotsPerMeterY()) * kTwipsPerInch);
    body_ += "{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) + "\\pich" +
             QByteArray::number(image.height()) + "\\picwgoal" + QByteArray::number(goalWidth) + "\\pichgoal" +
             QByteArray::number(goalHeight) + "\n";
    const QByteArray hex = png.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) body_ += hex.mid(i, 128) + '\n';
    body_ += "}\\par\n";
}

QByteArray RtfDocument::text() const
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20\n" + body_ + "}\n";
}

bool RtfDocument::save(const QString& path) const { return vb::Os::writeFile(path, text()); }
