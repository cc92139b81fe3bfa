// The output page on a fake main window: load, the two pictures against reference pictures,
// printing into a PDF, and the table's number texts.
#include "pages/mdiSEITE1.h"

#include "data/SessionContext.h"
#include "platform/db/Connection.h"
#include "support/FakeShell.h"
#include "support/PictureCheck.h"
#include "support/TestEnvironment.h"

#include "pages/PointTable.h"
#include "platform/surface/RecordingSurface.h"
#include "platform/ui/Procedure.h"

#include <map>

#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QScrollBar>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QString referenceFolder() { return QStringLiteral(VELOR_SOURCE_DIR) + QStringLiteral("/tests/pages/reference"); }

class OutputPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::ui().clear();
        SessionContext& s = shell.session();
        s.cnnX.OpenFile(inst.addProject(QStringLiteral("P1")));
        s.setProject(inst.projectsFolder(), QStringLiteral("P1"), QStringLiteral("Tester"));
        exec(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (7, 'Kurve', 'Versuch 3', 1)"));
        exec(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (7, 1)"));
        shell.progress = &progress;
        shell.printFolder = inst.root() + QStringLiteral("/print");
    }
    void exec(const QString& sql) { shell.session().cnnX.Execute(sql); }
    void calibrate(int logx, double xmin, double xmax, double ymin, double ymax)
    {
        exec(QStringLiteral("INSERT INTO E2 (ID, LOGX, LOGY, OX, OY, XMIN, XMAX, YMIN, YMAX, MYMX) "
                            "VALUES (7, %1, 0, 1, 1, %2, %3, %4, %5, 0)")
                 .arg(logx).arg(xmin).arg(xmax).arg(ymin).arg(ymax));
    }
    // Three curves of 12 points rising over the calibrated range.
    void addCurves(double xmin, double xmax, bool logx)
    {
        for (int p = 0; p < 3; ++p)
            for (int q = 0; q < 12; ++q) {
                const double t = q / 11.0;
                const double x = logx ? xmin * std::pow(xmax / xmin, t) : xmin + (xmax - xmin) * t;
                exec(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, GRUPPE, PX, PY) VALUES (7, %1, %2, 'K', %3, %4)")
                         .arg(p).arg(q).arg(x, 0, 'g', 9).arg(5 + 10 * p + 20 * t * t, 0, 'g', 9));
            }
    }
    mdiSEITE1& load()
    {
        page = std::make_unique<mdiSEITE1>(shell);
        page->resize(1123, 794);
        page->Form_Load();
        return *page;
    }
    // The two pictures as they stand on the page (the header and footer are the page frame's).
    QImage picture()
    {
        const QRect both = page->picBILD11->geometry().united(page->picBILD12->geometry());
        return page->grab(both).toImage().convertToFormat(QImage::Format_RGB32);
    }
    vb::ScriptedUi& ui() { return TestEnvironment::ui(); }

    TestInstallation inst;
    FakeShell shell;
    QProgressBar progress;
    std::unique_ptr<mdiSEITE1> page;
};

}  // namespace

TEST_F(OutputPageTest, LoadCopiesTheCalibrationOnceAndReadsEveryPoint)
{
    calibrate(0, 0, 100, 0, 50);
    addCurves(0, 100, false);
    load();
    EXPECT_EQ(progress.value(), 95);
    EXPECT_EQ(page->points().size(), 36u);
    EXPECT_EQ(TestEnvironment::column(shell.session().cnnX, QStringLiteral("SELECT RL || '/' || RR || '/' || RO || '/' || RU "
                                                                           "FROM G0 WHERE ID = 7 AND IDOBJEKT = 11")),
              QStringList{QStringLiteral("11/8/8/11")});
    EXPECT_EQ(page->picBILD11->geometry(), QRect(57, 132, 605, 473));
    EXPECT_EQ(page->picBILD12->geometry(), QRect(662, 132, 302, 473));
    // A later drawing keeps G0 as the diagram dialog left it: the copy happens once.
    exec(QStringLiteral("UPDATE G0 SET RL = 25"));
    page->BILD11(page->screen());
    EXPECT_EQ(TestEnvironment::column(shell.session().cnnX, QStringLiteral("SELECT RL FROM G0 WHERE ID = 7")),
              QStringList{QStringLiteral("25")});
    EXPECT_TRUE(ui().messages.isEmpty()) << ui().messages.value(0).text.toStdString();
}

TEST_F(OutputPageTest, TooltipShowsTheWorldCoordinatesUnderTheMouse)
{
    calibrate(0, 0, 100, 0, 50);
    load();
    // The frame's lower left corner (margins 11 mm left and below) is the world's (0, 0); the
    // frame is 100 units wide over 160 - 11 - 8 mm.
    const double bottom = page->picBILD11->ScaleHeight() - 11;
    const auto tip = [&](double x, double y) {
        page->picBILD11_MouseMove(0, 0, x, y);
        const QStringList parts = page->picBILD11->ToolTipText().split(QLatin1Char(';'));
        EXPECT_EQ(parts.size(), 2) << page->picBILD11->ToolTipText().toStdString();
        const QLocale german(QLocale::German);
        return std::make_pair(german.toDouble(parts.value(0)), german.toDouble(parts.value(1)));
    };
    const auto corner = tip(11, bottom);
    EXPECT_NEAR(corner.first, 0, 0.01);
    EXPECT_NEAR(corner.second, 0, 0.01);
    const double mx = 100.0 / (page->picBILD11->ScaleWidth() - 19);
    const auto middle = tip(11 + 50 / mx, bottom);
    EXPECT_NEAR(middle.first, 50, 0.01);

    // On a logarithmic axis the tip gives the value, with four significant digits.
    exec(QStringLiteral("UPDATE E2 SET LOGX = 1, XMIN = 1, XMAX = 100, YMIN = 0.001, YMAX = 0.002"));
    exec(QStringLiteral("UPDATE A1 SET BONEU = 1"));
    load();
    const auto lowest = tip(11, bottom);
    EXPECT_NEAR(lowest.first, 0.63, 1e-6);  // the axis's candidate below 1, not its logarithm -0.2
    EXPECT_NEAR(lowest.second, 0.001, 1e-6);
}

// Linear, logarithmic x, and a record without points: the page as the user sees it.
TEST_F(OutputPageTest, PagesMatchTheirReferencePictures)
{
    calibrate(0, 0, 100, 0, 50);
    addCurves(0, 100, false);
    load();
    EXPECT_TRUE(PictureCheck::matches(picture(), referenceFolder(), QStringLiteral("output-linear")));

    exec(QStringLiteral("UPDATE E2 SET LOGX = 1, XMIN = 1, XMAX = 100"));
    exec(QStringLiteral("DELETE FROM E3"));
    addCurves(1, 100, true);
    exec(QStringLiteral("UPDATE A1 SET BONEU = 1"));
    load();
    EXPECT_TRUE(PictureCheck::matches(picture(), referenceFolder(), QStringLiteral("output-logx")));

    exec(QStringLiteral("DELETE FROM E3"));
    load();
    EXPECT_TRUE(page->points().empty());
    EXPECT_TRUE(PictureCheck::matches(picture(), referenceFolder(), QStringLiteral("output-empty")));
    EXPECT_TRUE(ui().messages.isEmpty()) << ui().messages.value(0).text.toStdString();
}

// The footer's credits of an English page, as the user sees them (the date and time beside
// them change from run to run and are left out).
TEST_F(OutputPageTest, AnEnglishFooterGivesItsCreditsInEnglish)
{
    shell.session().setLanguage(1);
    calibrate(0, 0, 100, 0, 50);
    load();
    const QImage page = this->page->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage credits = page.copy(QRect(page.width() * 6 / 10, page.height() - 60, page.width() * 4 / 10, 60));
    EXPECT_TRUE(PictureCheck::matches(credits, referenceFolder(), QStringLiteral("footer-credits-english")));
}

TEST_F(OutputPageTest, PrintingWritesOnePdfPageAndRedrawsTheScreen)
{
    calibrate(0, 0, 100, 0, 50);
    addCurves(0, 100, false);
    load();
    const QImage before = picture();
    page->DRUCKEN();
    const QStringList files = QDir(shell.printFolder).entryList({QStringLiteral("*.pdf")});
    ASSERT_EQ(files.size(), 1);
    QFile pdf(QDir(shell.printFolder).filePath(files[0]));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray content = pdf.readAll();
    EXPECT_TRUE(content.startsWith("%PDF"));
    EXPECT_EQ(content.count("/Type /Page\n") + content.count("/Type /Page\r") + content.count("/Type /Page "), 1);
    EXPECT_LT(PictureCheck::differingShare(before, picture()), 0.001) << "the screen is drawn again after printing";
    EXPECT_TRUE(ui().messages.isEmpty()) << ui().messages.value(0).text.toStdString();
}

// Four significant digits at every magnitude, so one column never mixes precisions; at
// least one decimal, so every cell has a mark to line up on.
TEST(PointTableTest, CoordinatesShowFourSignificantDigits)
{
    const std::vector<std::pair<float, QString>> cases{
        {12.3456f, QStringLiteral("12,35")},        {0, QStringLiteral("0,000")},
        {0.0012f, QStringLiteral("0,001200")},      {0.0049f, QStringLiteral("0,004900")},
        {0.00021f, QStringLiteral("0,0002100")},    {-0.00004321f, QStringLiteral("-0,00004321")},
        {9.9996f, QStringLiteral("10,00")},         {1234.5f, QStringLiteral("1234,5")},
        {1.5e-20f, QStringLiteral("1,500E-20")}};
    for (const auto& [value, text] : cases) EXPECT_EQ(PointTable::coordinate(value), text) << value;
}

TEST(PointTableTest, CoordinatesLineUpOnTheirDecimalMarks)
{
    vb::RecordingSurface surface(vb::OutputSurface::Kind::Picture, 302, 472);
    surface.ScaleMode(vb::OutputSurface::vbMillimeters);
    const PolygonPoints points{{QStringLiteral("A"), 0, 0, 0.0012f, 100.5f},
                                          {QStringLiteral("A"), 0, 1, 25, -0.00021f},
                                          {QStringLiteral("A"), 0, 2, 1234.5f, 3}};
    vb::Procedure p(QStringLiteral("VB-Fehler: "), QStringLiteral("Bild 12"));
    PointTable::draw(p, DrawTarget::screen(surface), nullptr, points);
    // Where each coordinate's decimal mark stands, by column.
    std::map<int, std::vector<double>> marks;
    for (const auto& t : surface.ofType(vb::RecordingSurface::Type::Text))
        for (const PolygonPoint& pt : points)
            for (int column : {3, 4})
                if (t.text == PointTable::coordinate(static_cast<float>(column == 3 ? pt.x : pt.y))) {
                    surface.Font(t.font);
                    marks[column].push_back(t.x1 + surface.TextWidth(t.text.section(QLatin1Char(','), 0, 0) + QLatin1Char(',')));
                }
    for (int column : {3, 4}) {
        ASSERT_EQ(marks[column].size(), 3u) << column;
        for (double x : marks[column]) EXPECT_NEAR(x, marks[column].front(), 1e-6) << column;
    }
    EXPECT_LT(marks[3].front(), marks[4].front());
}
