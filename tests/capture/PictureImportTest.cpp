// Scans from anywhere: picture files, PDF pages and pasted images come into the project's
// picture folder and are chosen in the capture window.
#include "CaptureFixture.h"

#include "capture/PictureImport.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

// An A4 report of two pages; the second holds a thin vertical line 50.8 mm from the page's
// left edge and a horizontal one 25.4 mm from its top (drawn as vectors).
QString writeReport(const QString& path)
{
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(1200);
    QPainter p(&pdf);
    const double perMm = 1200 / 25.4;
    p.drawText(QPointF(20 * perMm, 20 * perMm), QStringLiteral("Versuchsbericht"));
    pdf.newPage();
    p.setPen(QPen(Qt::black, 0.2 * perMm));
    p.drawLine(QPointF(50.8 * perMm, 0), QPointF(50.8 * perMm, 200 * perMm));
    p.drawLine(QPointF(0, 25.4 * perMm), QPointF(200 * perMm, 25.4 * perMm));
    p.end();
    return path;
}

bool dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 100; }

class Import : public CaptureFixture {
protected:
    QString scratch(const QString& name) const { return dir.filePath(name); }
    bool inFolder(const QString& name) const { return QFileInfo::exists(pictureFolder() + QLatin1Char('/') + name); }
    QTemporaryDir dir;
};

}  // namespace

// The page keeps its geometry: a line x mm from the edge lies at x / 25.4 * 300 pixels, and a
// vector line is sharp (white two pixels beside it).
TEST_F(Import, PdfPageRendersAtThreeHundredDpiWithThePagesGeometry)
{
    const QString pdf = writeReport(scratch(QStringLiteral("Bericht.pdf")));
    const QImage page = PictureImport::renderPdfPage(pdf, 1, 300);
    ASSERT_FALSE(page.isNull());
    // The PDF keeps A4 in whole points (595 x 842).
    EXPECT_NEAR(page.width(), 210 / 25.4 * 300, 2);
    EXPECT_NEAR(page.height(), 297 / 25.4 * 300, 2);
    EXPECT_EQ(page.dotsPerMeterX(), qRound(300 / 0.0254));
    EXPECT_TRUE(dark(page, 600, 1000));
    EXPECT_FALSE(dark(page, 597, 1000));
    EXPECT_FALSE(dark(page, 603, 1000));
    EXPECT_TRUE(dark(page, 1200, 300));
    EXPECT_FALSE(dark(page, 1200, 296));
    EXPECT_EQ(QColor(page.pixel(1500, 3000)), QColor(Qt::white)) << "paper, not transparency";
    EXPECT_TRUE(PictureImport::renderPdfPage(pdf, 2, 300).isNull());
}

// A PDF of several pages asks for the page and names the count; the PNG is named after the
// PDF and the page; a name taken asks to replace or keep both; wrong answers write nothing.
TEST_F(Import, PdfPagesAndNamesThatExistAskFirst)
{
    QDir().mkpath(pictureFolder());
    const QString pdf = writeReport(scratch(QStringLiteral("Bericht.pdf")));
    const PictureImport import(pictureFolder(), false);
    auto& ui = TestEnvironment::ui();

    ui.type(QStringLiteral("2"));
    EXPECT_EQ(import.bringIn(pdf), QStringLiteral("Bericht Seite 2.png"));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("Das PDF \u201EBericht.pdf\u201C hat 2 Seiten. Welche Seite soll geladen werden?"));
    QImage stored(pictureFolder() + QStringLiteral("/Bericht Seite 2.png"));
    EXPECT_TRUE(dark(stored, 600, 1000));

    ui.clear();
    ui.type(QStringLiteral("2"));
    ui.answer(vb::vbNo);
    EXPECT_EQ(import.bringIn(pdf), QStringLiteral("Bericht Seite 2 (2).png"));
    ASSERT_EQ(ui.messages.size(), 2);
    EXPECT_EQ(ui.messages[1].text, QStringLiteral("Im Grafikordner gibt es schon \u201EBericht Seite 2.png\u201C. Ersetzen? "
                                                  "(Nein: beide behalten, die neue als \u201EBericht Seite 2 (2).png\u201C)"));
    ui.type(QStringLiteral("2"));
    ui.answer(vb::vbYes);
    EXPECT_EQ(import.bringIn(pdf), QStringLiteral("Bericht Seite 2.png"));
    ui.type(QStringLiteral("2"));
    ui.answer(vb::vbCancel);
    EXPECT_EQ(import.bringIn(pdf), QString());

    ui.clear();
    for (const char* wrong : {"3", "0", "1,5", "zwei"}) {
        ui.type(QString::fromLatin1(wrong));
        EXPECT_EQ(import.bringIn(pdf), QString()) << wrong;
    }
    EXPECT_EQ(ui.messages.last().text, QStringLiteral("Das PDF hat keine Seite zwei: nur 1 bis 2."));
    ui.type(QString());  // Cancel
    EXPECT_EQ(import.bringIn(pdf), QString());
    EXPECT_EQ(QDir(pictureFolder()).entryList(QDir::Files).size(), 2);
}

// A picture is copied under its name; a file that is neither picture nor PDF is refused.
TEST_F(Import, PicturesAreCopiedAndOtherFilesRefused)
{
    QImage scan(30, 20, QImage::Format_RGB32);
    scan.fill(Qt::red);
    scan.save(scratch(QStringLiteral("Scan.jpg")));
    QFile text(scratch(QStringLiteral("notiz.png")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("kein Bild");
    text.close();
    const PictureImport import(pictureFolder(), true);

    EXPECT_EQ(import.bringIn(scratch(QStringLiteral("Scan.jpg"))), QStringLiteral("Scan.jpg"));
    EXPECT_TRUE(inFolder(QStringLiteral("Scan.jpg")));
    EXPECT_EQ(import.bringIn(scratch(QStringLiteral("notiz.png"))), QString());
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("\"notiz.png\" is neither a picture nor a PDF that VELOR can read.")});
    EXPECT_FALSE(inFolder(QStringLiteral("notiz.png")));
}

// The capture window: "Andere Datei …" after the folder's pictures, a cancelled dialog keeps
// the choice, a chosen file is loaded; a drop and Ctrl+V with an image do the same.
TEST_F(Import, TheCaptureWindowTakesFilesFromAnywhereDropsAndPastes)
{
    addPicture(QStringLiteral("alt.png"));
    frmVELOR& w = openWithPicture();
    ASSERT_EQ(w.cboGRAFIK->count(), 2);
    EXPECT_EQ(w.cboGRAFIK->itemText(1), QStringLiteral("Andere Datei \u2026"));
    auto& ui = TestEnvironment::ui();

    ui.type(QString());  // the file dialog cancelled
    w.cboGRAFIK->setCurrentIndex(1);
    w.cboGRAFIK_Click();
    EXPECT_EQ(w.cboGRAFIK->currentText(), QStringLiteral("alt.png"));

    QImage scan(400, 300, QImage::Format_RGB32);
    scan.fill(Qt::blue);
    scan.save(scratch(QStringLiteral("neu.png")));
    ui.type(scratch(QStringLiteral("neu.png")));
    w.cboGRAFIK->setCurrentIndex(1);
    w.cboGRAFIK_Click();
    EXPECT_EQ(w.cboGRAFIK->currentText(), QStringLiteral("neu.png"));
    EXPECT_TRUE(inFolder(QStringLiteral("neu.png")));
    EXPECT_EQ(QColor(picture->image().pixel(5, 5)), QColor(Qt::blue));
    EXPECT_TRUE(w.fraEINGABE->isEnabled());

    scan.fill(Qt::green);
    scan.save(scratch(QStringLiteral("gezogen.png")));
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(scratch(QStringLiteral("gezogen.png")))});
    // Without a real drag Qt delivers no drop: the window's filter gets it as the picture would.
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    EXPECT_TRUE(static_cast<QObject&>(w).eventFilter(picture, &drop));
    EXPECT_EQ(w.cboGRAFIK->currentText(), QStringLiteral("gezogen.png"));
    EXPECT_EQ(QColor(picture->image().pixel(5, 5)), QColor(Qt::green));

    scan.fill(Qt::yellow);
    QApplication::clipboard()->setImage(scan);
    QTest::keyClick(picture, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.cboGRAFIK->currentText(), QStringLiteral("Zwischenablage.png"));
    EXPECT_EQ(QColor(picture->image().pixel(5, 5)), QColor(Qt::yellow));
    EXPECT_EQ(messageTexts().size(), 2) << "the two file dialogs, nothing else";
}
