#include "graphics/LabelWriter.h"

#include "graphics/PlotMath.h"
#include "graphics/PointSymbol.h"
#include "graphics/TextMarkup.h"
#include "graphics/clsROTATOR.h"
#include "platform/surface/OutputSurface.h"
#include "platform/ui/Procedure.h"
#include "platform/vb/VbError.h"

#include <cmath>
#include <vector>

// A label ready to be written: its runs with font, width and shift, its extent and the
// top-left corner of its first character cell.
struct LabelWriter::Layout {
    struct Run {
        QString text;
        vb::SurfaceFont font;
        double width = 0;
        double shift = 0;  // across the writing direction, positive = raised
        int symbol = -1;   // an inline point symbol instead of text
    };
    std::vector<Run> runs;
    double width = 0, height = 0;
    double cosA = 1, sinA = 0;
    int16_t AL = 0;
    double offsetX = 0, offsetY = 0;  // from the point to the top-left corner
    double startX = 0, startY = 0;
};

namespace {

struct RunStyle {
    int font;      // derived font number; 0 = the surface's own
    double shift;  // times the run's text height
};

RunStyle styleOf(const QString& code)
{
    if (code == QLatin1String("g")) return {3, 0.1};
    if (code == QLatin1String("h")) return {4, 0.25};
    if (code == QLatin1String("t")) return {4, -0.35};
    if (code == QLatin1String("gh")) return {5, 0.25};
    if (code == QLatin1String("gt")) return {5, -0.35};
    if (code == QLatin1String("s")) return {0, -0.5};
    return {2, 0};  // plain text and character codes
}

// Gives the surface its font back however the label ends.
class FontKeeper {
public:
    FontKeeper(vb::OutputSurface& s, vb::SurfaceFont& slot) : surface_(s), font_(slot) { slot = s.Font(); }
    ~FontKeeper() { surface_.Font(font_); }
    FontKeeper(const FontKeeper&) = delete;
    FontKeeper& operator=(const FontKeeper&) = delete;

private:
    vb::OutputSurface& surface_;
    const vb::SurfaceFont& font_;
};

}  // namespace

vb::OutputSurface& LabelWriter::device() const
{
    if (!surface_) vb::raise(vb::errObjectNotSet);
    return *surface_;
}

void LabelWriter::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, int16_t SCHRIFTGROESSE, bool FETT,
                                       bool UNTERSTRICHEN, bool KURSIV, int32_t FARBE)
{
    vb::Procedure p(QStringLiteral("VB-Fehler: "), QStringLiteral("Schrifteinstellungen"));
    p.step([&] {
        vb::OutputSurface& s = device();
        vb::SurfaceFont font = s.Font();
        font.Name = SCHRIFTART.isEmpty() ? QStringLiteral("Arial") : SCHRIFTART;
        font.Size = SCHRIFTGROESSE < 1 ? 8 : SCHRIFTGROESSE;
        font.setBold(FETT);
        font.Italic = KURSIV;
        font.Underline = UNTERSTRICHEN;
        s.Font(font);
        s.ForeColor(FARBE < 1 ? vb::RGB(0, 0, 0) : static_cast<vb::OleColor>(FARBE));
    });
    p.step([&] { deriveFonts(); });
}

void LabelWriter::deriveFonts()
{
    // Normal text, Greek letters and the smaller index text of the label markup.
    const vb::SurfaceFont base = device().Font();
    const double indexSize = PlotMath::toInt(base.Size / 1.175);
    for (int i = 1; i <= 5; ++i) {
        vb::SurfaceFont f = base;
        if (i == 3 || i == 5) f.Name = QStringLiteral("Symbol");
        if (i >= 4) f.Size = indexSize;
        fonts_[static_cast<std::size_t>(i)] = f;
    }
}

void LabelWriter::TEXT(double X, double Y, const QString& TEXT, int16_t ARX, int16_t ARY)
{
    vb::Procedure p(QStringLiteral("VB-Fehler: "), QStringLiteral("Text"));
    p.step([&] { write(X, Y, TEXT, 0, ARX, ARY); });
}

void LabelWriter::write(double X, double Y, const QString& text, int16_t AL, int16_t ARX, int16_t ARY,
                        const ClipRect* bounds)
{
    if (text.isEmpty()) return;
    FontKeeper keep(device(), fonts_[0]);
    Layout t = layout(TextMarkup::expandExponent(text), AL, ARX, ARY);
    if (bounds && !inside(t, X, Y, *bounds)) return;
    t.startX = X + t.offsetX;
    t.startY = Y + t.offsetY;
    writeRuns(t);
}

double LabelWriter::runWidth(const QString& text, int16_t AL)
{
    vb::OutputSurface& s = device();
    if (AL == 0) return s.TextWidth(text);
    // A rotated run advances by the width of the font the rotator writes it with, so that
    // the next run (a raised index, say) starts where this one really ends.
    clsROTATOR rotator;
    rotator.Device(&s);
    rotator.Angle(AL);
    return rotator.TextWidth(text);
}

LabelWriter::Layout LabelWriter::layout(const QString& text, int16_t AL, int16_t ARX, int16_t ARY)
{
    vb::OutputSurface& s = device();
    Layout t;
    t.AL = AL;
    const double a = AL * static_cast<double>(PlotMath::GRAD);
    t.cosA = std::cos(a);
    t.sinA = std::sin(a);
    t.height = s.TextHeight(text);
    const auto measure = [&](Layout::Run& run, const QString& sample) {
        s.Font(run.font);
        run.width = runWidth(run.text, AL);
        return s.TextHeight(sample);
    };
    if (!TextMarkup::hasMarkup(text)) {
        Layout::Run run{text, fonts_[0]};
        measure(run, text);
        t.runs.push_back(run);
    } else {
        for (const TextRun& r : TextMarkup::split(text)) {
            const RunStyle style = styleOf(r.code);
            Layout::Run run{r.content, fonts_[static_cast<std::size_t>(style.font)]};
            if (r.code == QLatin1String("c")) run.text = QString(QChar(r.content.trimmed().toInt() & 0xFF));
            if (r.code == QLatin1String("s")) run.symbol = r.content.trimmed().toInt();
            const QString sample = r.code == QLatin1String("g") || r.code == QLatin1String("s") ? r.code : run.text;
            run.shift = style.shift * measure(run, sample);
            t.runs.push_back(run);
        }
    }
    for (const auto& run : t.runs) t.width += run.width;
    s.Font(fonts_[0]);
    // The point is moved against the alignment along the writing direction u = (cos, -sin)
    // and across it, d = (sin, cos) pointing down the text: corner = point - ax w u - ay h d.
    const double ax = ARX == 1 ? 0.5 : ARX == 2 ? 1.0 : 0.0;
    const double ay = ARY == 1 ? 0.5 : ARY == 2 ? 1.0 : 0.0;
    t.offsetX = -ax * t.width * t.cosA - ay * t.height * t.sinA;
    t.offsetY = ax * t.width * t.sinA - ay * t.height * t.cosA;
    return t;
}

bool LabelWriter::inside(const Layout& t, double x, double y, const ClipRect& r)
{
    // All four corners of the label's box, turned with it.
    const double x0 = x + t.offsetX, y0 = y + t.offsetY;
    const double ux = t.width * t.cosA, uy = -t.width * t.sinA;   // along the writing direction
    const double dx = t.height * t.sinA, dy = t.height * t.cosA;  // down the text
    const double cx[4] = {x0, x0 + ux, x0 + dx, x0 + ux + dx};
    const double cy[4] = {y0, y0 + uy, y0 + dy, y0 + uy + dy};
    for (int i = 0; i < 4; ++i)
        if (!(cx[i] > r.left && cx[i] < r.right && cy[i] > r.top && cy[i] < r.bottom)) return false;
    return true;
}

void LabelWriter::writeRuns(const Layout& t)
{
    vb::OutputSurface& s = device();
    double x = t.startX, y = t.startY;
    for (const auto& run : t.runs) {
        // Raised or lowered across the writing direction.
        const double rx = x - run.shift * t.sinA;
        const double ry = y - run.shift * t.cosA;
        if (run.symbol >= 0) {
            // The symbol sits in the middle of its own advance, on the middle of the line.
            PointSymbol::draw(s, run.symbol, rx + run.width / 2 * t.cosA, ry - run.width / 2 * t.sinA);
        } else if (!run.text.isEmpty()) {
            s.Font(run.font);
            writeRun(run.text, rx, ry, t.AL);
        }
        x += run.width * t.cosA;
        y -= run.width * t.sinA;
    }
}

void LabelWriter::writeRun(const QString& text, double x, double y, int16_t AL)
{
    vb::OutputSurface& s = device();
    if (AL == 0) {
        s.CurrentX(x);
        s.CurrentY(y);
        s.Print(text, false);
    } else {
        DREHTEXT(text, AL, x, y, s.FontSize(), s.FontName());
    }
}

void LabelWriter::DREHTEXT(const QString& text, int16_t AL, double x, double y, double size, const QString& fontName)
{
    vb::OutputSurface& s = device();
    s.CurrentX(x);
    s.CurrentY(y);
    s.FontName(fontName);
    s.FontSize(size);
    s.FontTransparent(true);
    clsROTATOR rotator;
    rotator.Device(&s);
    rotator.Angle(AL);
    rotator.Label(text);
}
