// Picture checks: the page sheet drawn on the screen picture must match the reference
// pictures within a tolerance (font rasterising may differ by a few pixels).
#include "PageSheet.h"
#include "support/PictureCheck.h"
#include "support/TestEnvironment.h"

#include "platform/surface/PictureBox.h"
#include "platform/surface/PrinterSurface.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

QString referenceFolder() { return QStringLiteral(VELOR_SOURCE_DIR) + QStringLiteral("/tests/pages/reference"); }

struct Panel {
    const char* name;
    double left, top, right, bottom;  // millimetres
};
void PrintTo(const Panel& p, std::ostream* os) { *os << p.name; }

class PageSheetPicture : public ::testing::TestWithParam<Panel> {
protected:
    static void SetUpTestSuite()
    {
        TestEnvironment::ui().clear();
        sheet_ = new PageSheet;
        vb::PictureBox picture;
        picture.resize(1123, 794);
        sheet_->draw(picture);
        image_ = new QImage(picture.image().convertToFormat(QImage::Format_RGB32));
        messages_ = TestEnvironment::ui().messages.size();
    }
    static void TearDownTestSuite()
    {
        delete image_;
        delete sheet_;
    }

    static QImage cut(const Panel& p)
    {
        const double px = 96 / 25.4;
        return image_->copy(QRectF(p.left * px, p.top * px, (p.right - p.left) * px, (p.bottom - p.top) * px).toRect());
    }

    static inline PageSheet* sheet_ = nullptr;
    static inline QImage* image_ = nullptr;
    static inline qsizetype messages_ = 0;
};

}  // namespace

TEST_P(PageSheetPicture, MatchesTheReference)
{
    EXPECT_EQ(messages_, 0);
    EXPECT_TRUE(PictureCheck::matches(cut(GetParam()), referenceFolder(), QString::fromUtf8(GetParam().name)));
}

INSTANTIATE_TEST_SUITE_P(Sheet, PageSheetPicture,
                         ::testing::Values(Panel{"header", 0, 0, 297, 36}, Panel{"footer", 0, 186, 297, 210},
                                           Panel{"points-top", 8, 30, 93, 186}, Panel{"points-middle", 93, 30, 178, 186},
                                           Panel{"statistics", 175, 30, 297, 90}, Panel{"labels", 175, 88, 297, 131},
                                           Panel{"small-page", 175, 131, 297, 186}));

TEST(PageSheetPrinter, WritesTheSheetAsPdf)
{
    TestEnvironment::ui().clear();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    PageSheet sheet;
    vb::PictureBox picture;
    picture.resize(1123, 794);
    sheet.draw(picture);
    {
        vb::PrinterSurface printer(pdf);
        sheet.draw(printer);
        printer.EndDoc();
    }
    EXPECT_TRUE(TestEnvironment::ui().messages.isEmpty());
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5).startsWith("%PDF"));
    EXPECT_GT(f.size(), 10000);
}
