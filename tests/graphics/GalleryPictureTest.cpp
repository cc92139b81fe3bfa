// Picture checks: the gallery sheet drawn on the screen picture must match the reference
// pictures within a tolerance (font rasterising may differ by a few pixels).
#include "GallerySheet.h"
#include "GraphicsFixture.h"
#include "support/PictureCheck.h"

#include "platform/surface/PictureBox.h"
#include "platform/surface/PrinterSurface.h"

#include <QImage>

namespace {

QString referenceFolder() { return QStringLiteral(VELOR_SOURCE_DIR) + QStringLiteral("/tests/graphics/reference"); }

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
        EXPECT_TRUE(PictureCheck::matches(actual, referenceFolder(), name));
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
