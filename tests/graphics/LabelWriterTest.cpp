// Labels on real surfaces: a rotated label must be as long as the same label written
// straight, on the screen picture and on the printer, so that index text does not run into
// the text before it.
#include "graphics/LabelWriter.h"
#include "graphics/clsROTATOR.h"
#include "platform/surface/PictureBox.h"
#include "platform/surface/PrinterSurface.h"
#include "support/TestEnvironment.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct RotatedLabel {
    const char* text;
    int angle;
};
void PrintTo(const RotatedLabel& l, std::ostream* os) { *os << l.text << " at " << l.angle; }

// The extent of the dark pixels along the writing direction of `angle`.
double inkLength(const QImage& image, int angle)
{
    const double a = angle * M_PI / 180, c = std::cos(a), s = std::sin(a);
    double lo = 1e9, hi = -1e9;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                const double along = x * c - y * s;
                lo = std::min(lo, along);
                hi = std::max(hi, along);
            }
    return hi - lo;
}

QImage written(const QString& text, int angle)
{
    vb::PictureBox picture;
    picture.resize(500, 500);
    picture.ScaleMode(vb::OutputSurface::vbMillimeters);
    LabelWriter labels;
    labels.surface(&picture);
    labels.SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 20, false, false, false, 0);
    labels.write(60, 70, text, static_cast<int16_t>(angle), 1, 1);
    return picture.image();
}

class RotatedLabelLength : public ::testing::TestWithParam<RotatedLabel> {};

}  // namespace

TEST_P(RotatedLabelLength, MatchesTheStraightLabel)
{
    const QString text = QString::fromUtf8(GetParam().text);
    const double straight = inkLength(written(text, 0), 0);
    const double turned = inkLength(written(text, GetParam().angle), GetParam().angle);
    ASSERT_GT(straight, 25);
    // Whole-pixel positions of the runs and the font's whole-pixel cell allow a little.
    EXPECT_NEAR(turned, straight, 2 + 0.01 * straight);
    EXPECT_TRUE(TestEnvironment::ui().messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(IndexText, RotatedLabelLength,
                         ::testing::Values(RotatedLabel{"m{h,2}", 45}, RotatedLabel{"m{h,2}", 90},
                                           RotatedLabel{"{g,s} [kN/m{h,2}]", 90},
                                           RotatedLabel{"{g,s} [kN/m{h,2}]", 45},
                                           RotatedLabel{"E{t,s} = 45 MN/m{h,2}", 30}));

TEST(clsROTATOR, PrinterFontHasTheSurfaceFontsSize)
{
    QTemporaryDir dir;
    vb::PrinterSurface printer(dir.filePath(QStringLiteral("label.pdf")));
    printer.ScaleMode(vb::OutputSurface::vbMillimeters);
    for (int size : {7, 8, 10, 16}) {
        vb::SurfaceFont f;
        f.Size = size;
        printer.Font(f);
        clsROTATOR r;
        r.Device(&printer);
        r.Angle(90);
        r.Label(QStringLiteral("kN/m"));
        // The record's cell height, turned back into a font by the printer, is the point size
        // the straight text has.
        EXPECT_NEAR(printer.qFont(r.fontRecord()).pointSizeF(), size, 0.01 * size) << size << " pt";
        EXPECT_NEAR(r.TextWidth(QStringLiteral("kN/m")), printer.TextWidth(QStringLiteral("kN/m")),
                    0.01 * printer.TextWidth(QStringLiteral("kN/m")));
    }
    printer.EndDoc();
}
