// Text and rotated labels: alignment along the writing direction, the visibility rule and
// the label markup (index text, Greek letters, character codes, inline point symbols).
#include "graphics/clsGRAFIK.h"

#include "graphics/PlotMath.h"
#include "graphics/TextMarkup.h"
#include "graphics/clsROTATOR.h"
#include "platform/surface/OutputSurface.h"
#include "platform/ui/Procedure.h"

#include <algorithm>
#include <cmath>

// A label ready to be written: its runs with font, width and shift, its extent and the
// top-left corner of its first character cell.
struct clsGRAFIK::TextLayout {
    struct Run {
        QString text;
        vb::SurfaceFont font;
        double width = 0;
        double shift = 0;     // across the writing direction, positive = raised
        int symbol = -1;      // an inline point symbol instead of text
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

}  // namespace

void clsGRAFIK::TEXT(float X, float Y, QString TEXT, int16_t KO, int16_t AL, int16_t ARX, int16_t ARY)
{
    auto p = trap(QStringLiteral("Text"));
    const vb::SurfaceFont* saved = nullptr;
    p.step([&] {
        fonts_[0] = surface().Font();
        saved = &fonts_[0];
        drawText(X, Y, TEXT, KO, AL, ARX, ARY);
    });
    // The surface keeps the font it had, whatever the runs used.
    if (saved && surface_) surface_->Font(*saved);
}

void clsGRAFIK::drawText(double X, double Y, const QString& text, int16_t KO, int16_t AL, int16_t ARX, int16_t ARY)
{
    if (text.isEmpty()) return;
    if (KO == 1) {
        const Point d = toDevice(esktx_ == 1 ? PlotMath::LOG10(X) : X, eskty_ == 1 ? PlotMath::LOG10(Y) : Y);
        X = d.x;
        Y = d.y;
    } else if (KO == 2) {
        X += exdl_ + scrollX_;
        Y += eydo_ + scrollY_;
    }
    TextLayout t = layoutText(TextMarkup::expandExponent(text), AL, ARX, ARY);
    if (!textVisible(t, X, Y, KO)) return;
    t.startX = X + t.offsetX;
    t.startY = Y + t.offsetY;
    writeRuns(t);
}

clsGRAFIK::TextLayout clsGRAFIK::layoutText(const QString& text, int16_t AL, int16_t ARX, int16_t ARY)
{
    vb::OutputSurface& s = surface();
    TextLayout t;
    t.AL = AL;
    const double a = AL * static_cast<double>(PlotMath::GRAD);
    t.cosA = std::cos(a);
    t.sinA = std::sin(a);
    t.height = s.TextHeight(text);
    const auto measure = [&](TextLayout::Run& run, const QString& sample) {
        s.Font(run.font);
        run.width = s.TextWidth(run.text);
        return s.TextHeight(sample);
    };
    if (!TextMarkup::hasMarkup(text)) {
        TextLayout::Run run{text, fonts_[0]};
        measure(run, text);
        t.runs.push_back(run);
    } else {
        for (const TextRun& r : TextMarkup::split(text)) {
            const RunStyle style = styleOf(r.code);
            TextLayout::Run run{r.content, fonts_[static_cast<std::size_t>(style.font)]};
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

bool clsGRAFIK::textVisible(const TextLayout& t, double x, double y, int16_t KO) const
{
    // The text's box must lie strictly inside the frame (world coordinates) or the diagram
    // area, widened by 1 mm: a label is written whole or not at all.
    ClipRect r = KO == 1 ? plotFrame() : diagramArea();
    r.left -= 1, r.right += 1, r.top -= 1, r.bottom += 1;
    const double x0 = x + t.offsetX, y0 = y + t.offsetY;
    const double ux = t.width * t.cosA, uy = -t.width * t.sinA;   // along the writing direction
    const double dx = t.height * t.sinA, dy = t.height * t.cosA;  // down the text
    const double cx[4] = {x0, x0 + ux, x0 + dx, x0 + ux + dx};
    const double cy[4] = {y0, y0 + uy, y0 + dy, y0 + uy + dy};
    for (int i = 0; i < 4; ++i)
        if (!(cx[i] > r.left && cx[i] < r.right && cy[i] > r.top && cy[i] < r.bottom)) return false;
    return true;
}

void clsGRAFIK::writeRuns(const TextLayout& t)
{
    vb::OutputSurface& s = surface();
    double x = t.startX, y = t.startY;
    for (const auto& run : t.runs) {
        // Raised or lowered across the writing direction.
        const double rx = x - run.shift * t.sinA;
        const double ry = y - run.shift * t.cosA;
        if (run.symbol >= 0) {
            // The symbol sits in the middle of its own advance, on the middle of the line.
            SYMBOL(run.symbol, rx + run.width / 2 * t.cosA, ry - run.width / 2 * t.sinA);
        } else if (!run.text.isEmpty()) {
            s.Font(run.font);
            writeRun(run.text, rx, ry, t.AL);
        }
        x += run.width * t.cosA;
        y -= run.width * t.sinA;
    }
}

void clsGRAFIK::writeRun(const QString& text, double x, double y, int16_t AL)
{
    vb::OutputSurface& s = surface();
    if (AL == 0) {
        s.CurrentX(x);
        s.CurrentY(y);
        s.Print(text, false);
    } else {
        DREHTEXT(text, AL, x, y, s.FontSize(), s.FontName());
    }
}

void clsGRAFIK::DREHTEXT(const QString& text, int16_t AL, double x, double y, double size, const QString& fontName)
{
    vb::OutputSurface& s = surface();
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
