// The picture check every reference comparison uses: it must fail on a real difference (and
// leave the pictures to look at), pass within its tolerance, and rewrite references on request.
#include "support/PictureCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

QImage grey(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(200, 200, 200));
    return image;
}

// Blackens the first `count` pixels.
QImage inked(QImage image, int count)
{
    for (int i = 0; i < count; ++i) image.setPixel(i % image.width(), i / image.width(), qRgb(0, 0, 0));
    return image;
}

class PictureCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grey(100, 100).save(references.filePath(QStringLiteral("sample.png"))));
        qunsetenv("VELOR_UPDATE_REFERENCES");
    }
    void TearDown() override { qunsetenv("VELOR_UPDATE_REFERENCES"); }

    QString failedPicture(const char* suffix) const
    {
        return PictureCheck::outputFolder() + QStringLiteral("/sample-") + QLatin1String(suffix) + QStringLiteral(".png");
    }

    QTemporaryDir references;
};

}  // namespace

TEST_F(PictureCheckTest, DifferencesBeyondTheToleranceFailAndLeaveThePictures)
{
    for (const char* suffix : {"actual", "expected", "diff"}) QFile::remove(failedPicture(suffix));
    EXPECT_TRUE(PictureCheck::matches(grey(100, 100), references.path(), QStringLiteral("sample")));
    EXPECT_TRUE(PictureCheck::matches(inked(grey(100, 100), 100), references.path(), QStringLiteral("sample")));  // 1 %
    EXPECT_FALSE(PictureCheck::matches(inked(grey(100, 100), 101), references.path(), QStringLiteral("sample")));
    for (const char* suffix : {"actual", "expected", "diff"}) EXPECT_TRUE(QFileInfo::exists(failedPicture(suffix))) << suffix;
    EXPECT_EQ(QImage(failedPicture("diff")).pixel(0, 1), qRgb(0, 0, 0));

    // A picture of another size, or without a reference, never passes.
    EXPECT_FALSE(PictureCheck::matches(grey(100, 99), references.path(), QStringLiteral("sample")));
    EXPECT_FALSE(PictureCheck::matches(grey(100, 100), references.path(), QStringLiteral("missing")));
}

TEST_F(PictureCheckTest, UpdateSwitchRewritesTheReferenceInsteadOfComparing)
{
    qputenv("VELOR_UPDATE_REFERENCES", "1");
    const QImage changed = inked(grey(100, 100), 5000);
    EXPECT_TRUE(PictureCheck::matches(changed, references.path(), QStringLiteral("sample")));
    EXPECT_TRUE(PictureCheck::matches(changed, references.path(), QStringLiteral("new")));
    qunsetenv("VELOR_UPDATE_REFERENCES");
    EXPECT_TRUE(PictureCheck::matches(changed, references.path(), QStringLiteral("sample")));
    EXPECT_TRUE(PictureCheck::matches(changed, references.path(), QStringLiteral("new")));
    EXPECT_FALSE(PictureCheck::matches(grey(100, 100), references.path(), QStringLiteral("sample")));
}
