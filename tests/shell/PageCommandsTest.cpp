// The command panels of the pages on a started main window with the input page and the
// output page open: Drucken with the scripted print dialog, Kopie, Word, AutoCAD, and the
// points going out as CSV from the "Auswerten" menu.
#include "ShellFixture.h"

#include "pages/PageWindow.h"
#include "platform/widgets/PanelBar.h"
#include "shell/EvaluationCommands.h"
#include "shell/frmHILFE.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QTextBrowser>

namespace {

class PageCommandsTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        start();
        exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (7, 'A', 1)"));
        exec(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (7, 1)"));
        exec(QStringLiteral("INSERT INTO E2 (ID, LOGX, LOGY, OX, OY, XMIN, XMAX, YMIN, YMAX, MYMX) "
                            "VALUES (7, 0, 0, 1, 1, 0, 100, 0, 50, 0)"));
        for (int q = 0; q < 5; ++q)
            exec(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, PX, PY) VALUES (7, 0, %1, %2, %3)").arg(q).arg(20 * q).arg(10 * q));
        w->SATZANZEIGE();
    }

    // Opens the output page and then the input page (no evaluation while the input page is
    // open; the list order is input pages first).
    void openBothPages()
    {
        w->evaluation().NEUBERECHNEN();
        w->evaluation().EINGABEGRAFIK();
        ASSERT_EQ(w->pageList().size(), 2);
        TestEnvironment::ui().clear();
    }

    // The print dialog as a user answers it: a PDF file, the range (0: all pages kept).
    void answerPrintDialog(const QString& pdf, int from = 0, int to = 0)
    {
        TestEnvironment::ui().onModal([=](QDialog& d) {
            auto& dialog = dynamic_cast<QPrintDialog&>(d);
            dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog.printer()->setOutputFileName(pdf);
            if (from > 0) {
                dialog.printer()->setPrintRange(QPrinter::PageRange);
                dialog.printer()->setFromTo(from, to);
            }
            // accept() would copy the dialog's own widgets into the printer; a user's choices
            // are what the printer holds now.
            dialog.done(QDialog::Accepted);
        });
    }

    static int pdfPages(const QString& path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) return -1;
        return static_cast<int>(QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
    }

    QString pdf() const { return inst.root() + QStringLiteral("/print.pdf"); }
};

}  // namespace

TEST_F(PageCommandsTest, PrintingAllPagesPutsThemIntoOneJob)
{
    openBothPages();
    answerPrintDialog(pdf());
    w->stbMAIN_PanelClick(11);
    EXPECT_EQ(pdfPages(pdf()), 2);
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join(QLatin1Char('|')).toStdString();
}

TEST_F(PageCommandsTest, PrintingFromToPrintsOnlyThoseAndCancelPrintsNothing)
{
    openBothPages();
    answerPrintDialog(pdf(), 2, 2);
    w->stbMAIN_PanelClick(11);
    EXPECT_EQ(pdfPages(pdf()), 1);
    QFile::remove(pdf());

    // A range reaching beyond the list prints the pages that exist.
    answerPrintDialog(pdf(), 2, 9);
    w->stbMAIN_PanelClick(11);
    EXPECT_EQ(pdfPages(pdf()), 1);
    QFile::remove(pdf());

    w->stbMAIN_PanelClick(11);  // no answer queued: the dialog is cancelled
    EXPECT_FALSE(QFile::exists(pdf()));
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join(QLatin1Char('|')).toStdString();
}

TEST_F(PageCommandsTest, AJobThatCannotStartIsReportedOnceAndEndsCleanly)
{
    openBothPages();
    // A PDF file below a file cannot be written: the printer cannot begin.
    const QString blocked = inst.root() + QStringLiteral("/print.pdf/page.pdf");
    QFile(pdf()).open(QIODevice::WriteOnly);
    answerPrintDialog(blocked);
    w->stbMAIN_PanelClick(11);
    EXPECT_EQ(messageTexts().size(), 1) << messageTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(messageTexts().value(0).contains(QStringLiteral("482"))) << messageTexts().value(0).toStdString();
    EXPECT_FALSE(QFile::exists(blocked));
    // The pages are whole again and the next job prints.
    QFile::remove(pdf());
    answerPrintDialog(pdf());
    w->stbMAIN_PanelClick(11);
    EXPECT_EQ(pdfPages(pdf()), 2);
}

TEST_F(PageCommandsTest, KopieSavesTheActivePageUnderTheRecordName)
{
    openBothPages();
    TestEnvironment::ui().type(QStringLiteral("A-1"));
    w->stbMAIN_PanelClick(12);
    const QString file = inst.projectFolder(QStringLiteral("P1")) + QStringLiteral("/JPG/A-1.bmp");
    const QImage copy(file, "BMP");
    ASSERT_FALSE(copy.isNull());
    EXPECT_EQ(copy.size(), w->activeChild()->size());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].text.endsWith(QStringLiteral("/JPG/A-1.bmp")));
}

TEST_F(PageCommandsTest, WordOpensADocumentWithBothPicturesAndAutoCadDoesNothing)
{
    openBothPages();
    for (QMdiSubWindow* page : w->mdiArea()->subWindowList())
        if (page->widget()->objectName() == QStringLiteral("mdiSEITE1")) w->mdiArea()->setActiveSubWindow(page);
    ASSERT_EQ(w->activeChild()->objectName(), QStringLiteral("mdiSEITE1"));
    w->stbMAIN_PanelClick(13);
    ASSERT_EQ(TestEnvironment::ui().opened.size(), 1);
    QFile rtf(TestEnvironment::ui().opened[0]);
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(rtf.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("picBILD11\\par")));
    EXPECT_TRUE(text.contains(QStringLiteral("picBILD12\\par")));
    EXPECT_EQ(text.count(QStringLiteral("\\pngblip")), 2);
    // The document stays with the project, named after the record; the next one gets a name of its own.
    const QString named = inst.projectFolder(QStringLiteral("P1")) + QStringLiteral("/JPG/") + w->stbMAIN()->text(6);
    EXPECT_EQ(TestEnvironment::ui().opened[0], named + QStringLiteral(".rtf"));

    // Without a word processor the document shows in VELOR's own window, with both pictures.
    TestEnvironment::ui().noApplication = true;
    w->stbMAIN_PanelClick(13);
    ASSERT_EQ(TestEnvironment::ui().opened.size(), 2);
    EXPECT_EQ(TestEnvironment::ui().opened[1], named + QStringLiteral("-2.rtf"));
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join(QLatin1Char('|')).toStdString();
    ASSERT_NE(w->helpWindow(), nullptr);
    EXPECT_TRUE(w->helpWindow()->isVisible());
    EXPECT_TRUE(w->helpWindow()->lblDATEI->text().endsWith(TestEnvironment::ui().opened[1]));
    const QString shown = w->helpWindow()->txtHILFE->toHtml();
    EXPECT_EQ(shown.count(QStringLiteral("<img src=\"rtfpict:")), 2);
    EXPECT_TRUE(w->helpWindow()->txtHILFE->toPlainText().contains(QStringLiteral("picBILD12")));
    w->helpWindow()->close();
    QFile::remove(TestEnvironment::ui().opened[1]);
    TestEnvironment::ui().clear();

    const int pages = static_cast<int>(w->pageList().size());
    w->stbMAIN_PanelClick(14);
    EXPECT_EQ(w->pageList().size(), pages);
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(PageCommandsTest, PointsGoOutFromTheEvaluateMenuLikeBerechnen)
{
    w->mnuAUSWERTEN_Click();
    QAction* entry = w->menu(QStringLiteral("mnuPUNKTEXPORT"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(), QStringLiteral("Punkte exportieren \u2026"));
    EXPECT_FALSE(entry->isEnabled()) << "not evaluated yet, as Berechnen";
    exec(QStringLiteral("UPDATE A1 SET BONEU = 0"));
    w->mnuAUSWERTEN_Click();
    EXPECT_TRUE(entry->isEnabled());

    const QString csv = inst.root() + QStringLiteral("/A.csv");
    TestEnvironment::ui().type(csv);
    entry->trigger();
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 6);
}
