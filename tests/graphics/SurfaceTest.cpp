#include "platform/surface/PictureBox.h"
#include "platform/surface/PrinterSurface.h"
#include "platform/surface/RecordingSurface.h"
#include "platform/surface/SymbolFont.h"
#include "support/TestEnvironment.h"

#include "platform/vb/VbError.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <csignal>
#include <optional>
#include <sys/resource.h>

namespace {
int darkPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 100;
    return n;
}
}  // namespace

TEST(SymbolFont, LatinLettersShowTheGreekAlphabet)
{
    EXPECT_EQ(vb::SymbolFont::toUnicode(QStringLiteral("abgdpW")), QStringLiteral("αβγδπΩ"));
    EXPECT_EQ(vb::SymbolFont::toUnicode(QStringLiteral("1 + 2")), QStringLiteral("1 + 2"));
    EXPECT_EQ(vb::SymbolFont::toUnicode(QString(QChar(0xB0))), QStringLiteral("°"));
    EXPECT_TRUE(vb::SymbolFont::isSymbolFont(QStringLiteral("symbol")));
}

TEST(PictureBox, ClsClearsTheDrawingsAndKeepsTheBackground)
{
    vb::PictureBox picture;
    picture.resize(200, 100);
    QImage background(200, 100, QImage::Format_RGB32);
    background.fill(Qt::white);
    background.setPixelColor(5, 5, Qt::black);
    picture.Picture(background);
    picture.ScaleMode(vb::OutputSurface::vbMillimeters);
    picture.DrawWidth(3);
    picture.Line(10, 10, 40, 10);
    picture.Line(40, 10, 40, 20);  // joined into one polyline
    const int drawn = darkPixels(picture.image());
    EXPECT_GT(drawn, 100);
    picture.Cls();
    const QImage cleared = picture.image();
    EXPECT_EQ(darkPixels(cleared), 1);
    EXPECT_EQ(cleared.pixelColor(5, 5), QColor(Qt::black));
    // Greek letters of the symbol font really appear.
    picture.FontName(QStringLiteral("Symbol"));
    picture.FontSize(20);
    picture.CurrentX(1);
    picture.CurrentY(1);
    picture.Print(QStringLiteral("abg"));
    EXPECT_GT(darkPixels(picture.image()), 30);
}

TEST(PictureBox, MouseEventsInMillimetresAndTag)
{
    vb::PictureBox picture;
    picture.resize(400, 300);
    picture.ScaleMode(vb::OutputSurface::vbMillimeters);
    picture.Tag(QStringLiteral("X"));
    EXPECT_EQ(picture.Tag(), QStringLiteral("X"));
    QSignalSpy down(&picture, &vb::PictureBox::MouseDown);
    QTest::mousePress(&picture, Qt::LeftButton, Qt::ShiftModifier, QPoint(96, 48));
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down[0][0].toInt(), 1);
    EXPECT_EQ(down[0][1].toInt(), 1);
    EXPECT_NEAR(down[0][2].toDouble(), 96 * 25.4 / picture.logicalDpiX(), 1e-9);
    EXPECT_NEAR(down[0][3].toDouble(), 48 * 25.4 / picture.logicalDpiY(), 1e-9);
}

TEST(PrinterSurface, A4LandscapeInMillimetresAndAbortedJobs)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    {
        vb::PrinterSurface printer(pdf);
        printer.ScaleMode(vb::OutputSurface::vbMillimeters);
        EXPECT_NEAR(printer.Width() / 56.7, 297, 0.2);
        EXPECT_NEAR(printer.Height() / 56.7, 210, 0.2);
        printer.Line(10, 10, 100, 100);
        EXPECT_TRUE(printer.isPrinting());
        printer.EndDoc();
        EXPECT_FALSE(printer.isPrinting());
    }
    EXPECT_GT(QFile(pdf).size(), 500);
    const QString aborted = dir.filePath(QStringLiteral("aborted.pdf"));
    {
        vb::PrinterSurface printer(aborted);
        printer.Line(10, 10, 100, 100);
        printer.NewPage();  // the job has begun
        printer.KillDoc();
        EXPECT_FALSE(printer.isPrinting());
    }
    EXPECT_FALSE(QFile::exists(aborted)) << "a job thrown away leaves no file";
}

// A disk that takes no more bytes (here: a file size limit, as a full disk refuses them)
// fails the job's end with the reason, and leaves no file, not even an empty one.
TEST(PrinterSurface, APdfThatCannotBeWrittenSaysWhyAndLeavesNoFile)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    vb::PrinterSurface printer(pdf);
    printer.ScaleMode(vb::OutputSurface::vbMillimeters);
    printer.Line(10, 10, 100, 100);
    printer.Print(QStringLiteral("Seite 1"));
    EXPECT_FALSE(QFile::exists(pdf)) << "nothing reaches the disk before the job ends";
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 200;
    setrlimit(RLIMIT_FSIZE, &small);
    std::optional<vb::VbError> failure;
    try {
        printer.EndDoc();
    } catch (const vb::VbError& e) {
        failure = e;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number(), 482);
    EXPECT_TRUE(failure->description().contains(QStringLiteral("page.pdf"))) << failure->description().toStdString();
    EXPECT_TRUE(failure->description().contains(QStringLiteral("too large"))) << failure->description().toStdString();
    EXPECT_FALSE(printer.isPrinting());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty()) << QDir(dir.path()).entryList(QDir::Files).join(u' ').toStdString();
    // The next job writes again, and takes away what a killed job to the same file left.
    QFile killed(pdf + QStringLiteral(".Ab3dE9gH.tmp"));
    ASSERT_TRUE(killed.open(QIODevice::WriteOnly));
    killed.close();
    printer.Line(10, 10, 100, 100);
    printer.EndDoc();
    EXPECT_GT(QFile(pdf).size(), 500);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("page.pdf")});
}

TEST(RecordingSurface, RecordsInTheScaleAndRestoresScales)
{
    vb::RecordingSurface s;
    s.ScaleMode(vb::OutputSurface::vbMillimeters);
    EXPECT_NEAR(s.ScaleWidth(), 1123 * 25.4 / 96, 1e-9);
    s.Circle(10, 20, 5, std::nullopt, 0.5, 1.5);
    s.Circle(10, 20, 5, std::nullopt, -0.5, 1.5);  // a negative angle draws the radius too
    ASSERT_EQ(s.primitives().size(), 2u);
    EXPECT_FALSE(s.primitives()[0].fullCircle);
    EXPECT_DOUBLE_EQ(s.primitives()[1].start, 0.5);
    s.Scale(0, 100, 100, 0);  // y upwards
    EXPECT_NEAR(s.toPixels(0, 0).y(), 794, 1e-9);
}
