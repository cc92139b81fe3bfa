// Picture checks: the gallery sheet drawn on the screen picture must match the reference
// pictures within a tolerance (font rasterising may differ by a few pixels). On a mismatch
// the actual and expected pictures are written beside the test for a look.
#include "GallerySheet.h"
#include "GraphicsFixture.h"

#include "platform/surface/PictureBox.h"
#include "platform/surface/PrinterSurface.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

namespace {

QString referenceFolder() { return QStringLiteral(VELOR_SOURCE_DIR) + QStringLiteral("/tests/graphics/reference"); }

// Share of pixels whose grey value differs by more than 64.
double differingShare(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) return 1;
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 64) ++differing;
    return static_cast<double>(differing) / (a.width() * a.height());
}

class GalleryPicture : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::ui().clear();
        session.cnnX.OpenFile(inst.addProject(QStringLiteral("P1")));
        GallerySheet::prepareDatabase(session.cnnX);
        picture.resize(1123, 794);
        GallerySheet::draw(picture, session);
        sheet = picture.image().convertToFormat(QImage::Format_RGB32);
    }

    // One panel of the sheet (4 x 2 panels of 74 x 103 mm from (0, 6) mm).
    QImage panel(int index) const
    {
        const double px = 96 / 25.4;
        const int col = index % 4, row = index / 4;
        return sheet.copy(QRectF(col * 74 * px, (6 + row * 103) * px, 74 * px, 103 * px).toRect());
    }

    void expectMatches(const QImage& actual, const QString& name)
    {
        const QString reference = referenceFolder() + QLatin1Char('/') + name + QStringLiteral(".png");
        const QImage expected(reference);
        const double share = differingShare(actual, expected.convertToFormat(QImage::Format_RGB32));
        if (share > 0.01) {
            const QString out = QDir::currentPath() + QStringLiteral("/picture-check");
            QDir().mkpath(out);
            actual.save(out + QLatin1Char('/') + name + QStringLiteral("-actual.png"));
            if (!expected.isNull()) expected.save(out + QLatin1Char('/') + name + QStringLiteral("-expected.png"));
            ADD_FAILURE() << name.toStdString() << ": " << share * 100 << "% of the pixels differ; pictures in "
                          << out.toStdString();
        }
    }

    TestInstallation inst;
    SessionContext session;
    vb::PictureBox picture;
    QImage sheet;
};

}  // namespace

TEST_F(GalleryPicture, SheetDrawsWithoutMessages)
{
    EXPECT_TRUE(TestEnvironment::ui().messages.isEmpty());
    EXPECT_EQ(sheet.size(), QSize(1123, 794));
}

TEST_F(GalleryPicture, ScalesMatchTheReference)
{
    expectMatches(panel(0), QStringLiteral("linear-axes"));
    expectMatches(panel(1), QStringLiteral("log-axes"));
}

TEST_F(GalleryPicture, PolygonsTextsAndCirclesMatchTheReference)
{
    expectMatches(panel(3), QStringLiteral("line-forms"));
    expectMatches(panel(4), QStringLiteral("labels"));
    expectMatches(panel(5), QStringLiteral("circles"));
}

TEST_F(GalleryPicture, PrinterWritesTheSameSheetAsPdf)
{
    const QString pdf = inst.root() + QStringLiteral("/sheet.pdf");
    {
        vb::PrinterSurface printer(pdf);
        GallerySheet::prepareDatabase(session.cnnX);
        GallerySheet::draw(printer, session);
        EXPECT_NEAR(printer.ScaleWidth(), 297, 0.1);
        EXPECT_NEAR(printer.ScaleHeight(), 210, 0.2);  // whole printer pixels
        printer.EndDoc();
    }
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5).startsWith("%PDF"));
    EXPECT_GT(f.size(), 10000);
}
