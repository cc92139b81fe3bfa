#include "ShellFixture.h"

#include "pages/PageWindow.h"
#include "platform/widgets/PanelBar.h"
#include "shell/EvaluationCommands.h"
#include "startscreen/mdiAUTOSTART.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>

namespace {

// The output page as the commands see it: it counts its loads and redraws.
class FakeOutputPage : public PageWindow {
public:
    explicit FakeOutputPage(ShellWindow& shell) : PageWindow(shell, QStringLiteral("mdiSEITE1")) {}
    void Form_Load() override { readRecord(); ++loads; }
    void reload() override { readRecord(); ++reloads; }
    void BILD11(const DrawTarget&) override {}
    void DRUCKEN() override {}
    void KONTEXT(bool, bool, vb::OleColor, vb::OleColor) override {}
    bool boneuAtLoad() const { return BONEU_; }

    int loads = 0;
    int reloads = 0;
};

class Evaluation : public ShellFixture {
protected:
    frmMAIN& startWithRecords(int active)
    {
        start();
        for (int id = 1; id <= 2; ++id)
            exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (%1, 'R%1', %2)").arg(id).arg(id <= active ? 1 : 0));
        w->evaluation().setOutputPageMaker([this](ShellWindow& shell) {
            output = new FakeOutputPage(shell);
            return output;
        });
        return *w;
    }
    // Enabled states of Eingabegrafik, Berechnen, MBerechnen, FBerechnen, Neuberechnen.
    QString evaluationMenu()
    {
        QString out;
        for (const char* name : {"mnuEINGABEGRAFIK", "mnuBERECHNEN", "mnuMBERECHNEN", "mnuFBERECHNEN", "mnuNEUBERECHNEN"})
            out += w->menu(QString::fromLatin1(name))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return out;
    }
    QString pagePanels()
    {
        QString out;
        for (int panel = 10; panel <= 15; ++panel) out += w->stbMAIN()->isPanelVisible(panel) ? QLatin1Char('1') : QLatin1Char('0');
        return out;
    }
    // Pixels of the page's own drawings (its background is white).
    static int inkedPixels(PageWindow& page)
    {
        const QImage im = page.image();
        int n = 0;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x) n += qGray(im.pixel(x, y)) < 128;
        return n;
    }
    bool fileMenu() { return w->menu(QStringLiteral("mnuDATEI"))->isEnabled(); }
    QStringList pageNames()
    {
        QStringList out;
        for (QWidget* page : w->pageList()) out << page->objectName();
        return out;
    }
    QString boneu() { return column(QStringLiteral("SELECT 'BONEU '||BONEU FROM A1 WHERE ID=1")).join(QLatin1Char(' ')); }

    FakeOutputPage* output = nullptr;
};

struct MenuCase {
    const char* name;
    int active;
    int boneu;  // -1: no A1 row
    const char* enabled;
    const char* a1;  // the record's output row afterwards
};

class EvaluationMenu : public Evaluation, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(EvaluationMenu, OpeningTheMenuOffersWhatTheActiveRecordsAllow)
{
    const MenuCase& c = GetParam();
    startWithRecords(c.active);
    if (c.boneu >= 0) exec(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (1, %1)").arg(c.boneu));
    w->mnuAUSWERTEN_Click();
    EXPECT_EQ(evaluationMenu(), QString::fromLatin1(c.enabled));
    EXPECT_EQ(boneu(), QString::fromLatin1(c.a1));
    EXPECT_TRUE(messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, EvaluationMenu,
                         ::testing::Values(MenuCase{"NoActiveRecord", 0, -1, "00000", ""},
                                           MenuCase{"OneWithoutOutputRow", 1, -1, "10001", "BONEU 1"},
                                           MenuCase{"OneNotEvaluated", 1, 1, "10001", "BONEU 1"},
                                           MenuCase{"OneEvaluated", 1, 0, "11011", "BONEU 0"},
                                           MenuCase{"TwoActive", 2, 0, "00100", "BONEU 0"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Evaluation, EingabegrafikShowsOneInputPageWithItsPanelsAndPanel15ClosesIt)
{
    startWithRecords(1);
    w->mnuAUSWERTEN_Click();
    w->mnuEINGABEGRAFIK_Click();
    EXPECT_EQ(pageNames(), QStringList{QStringLiteral("mdiESEITE1")});
    EXPECT_TRUE(w->activeChild()->objectName() == QStringLiteral("mdiESEITE1"));
    EXPECT_TRUE(w->activeChild()->parentWidget()->isMaximized());
    EXPECT_EQ(pagePanels(), QStringLiteral("111111"));
    EXPECT_FALSE(fileMenu());
    EXPECT_TRUE(w->session().BOGEAENDERT);
    EXPECT_FALSE(w->progressBar()->isVisible());
    EXPECT_GT(inkedPixels(*static_cast<PageWindow*>(w->activeChild())), 1000) << "the page frame went on the way to the screen";
    EXPECT_EQ(column(QStringLiteral("SELECT IDOBJEKT||'/'||OX||'/'||OY||'/'||RL||'/'||RR||'/'||RO||'/'||RU FROM G0 WHERE ID=1")),
              QStringList{QStringLiteral("11/1/1/11/10/10/11")});

    w->mnuEINGABEGRAFIK_Click();
    EXPECT_EQ(pageNames(), QStringList{QStringLiteral("mdiESEITE1")});

    w->stbMAIN_PanelClick(15);
    EXPECT_TRUE(pageNames().isEmpty());
    EXPECT_EQ(pagePanels(), QStringLiteral("000000"));
    EXPECT_TRUE(fileMenu());
    EXPECT_TRUE(w->menu(QStringLiteral("mnuEXTRAS"))->isEnabled());
    ASSERT_EQ(w->mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(w->mdiArea()->subWindowList().first()->widget(), w->startScreen());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(Evaluation, ThePagesOwnCloseButtonCleansUpLikePanel15)
{
    startWithRecords(1);
    w->mnuAUSWERTEN_Click();
    w->mnuEINGABEGRAFIK_Click();
    w->setMenuTag(QStringLiteral("mnuEINGABEGRAFIK"), QStringLiteral("VELOR"));
    w->mdiArea()->activeSubWindow()->close();
    EXPECT_TRUE(pageNames().isEmpty());
    EXPECT_EQ(pagePanels(), QStringLiteral("000000"));
    EXPECT_TRUE(fileMenu());
    EXPECT_EQ(w->menuTag(QStringLiteral("mnuEINGABEGRAFIK")), QString());
}

TEST_F(Evaluation, NeuberechnenEvaluatesShowsOneOutputPageAndThenOffersBerechnen)
{
    startWithRecords(1);
    w->mnuAUSWERTEN_Click();
    w->mnuNEUBERECHNEN_Click();
    ASSERT_NE(output, nullptr);
    EXPECT_TRUE(output->boneuAtLoad());  // the page's first drawing takes the new evaluation
    EXPECT_EQ(boneu(), QStringLiteral("BONEU 0"));
    EXPECT_EQ(pageNames(), QStringList{QStringLiteral("mdiSEITE1")});
    EXPECT_FALSE(fileMenu());
    w->mnuAUSWERTEN_Click();
    EXPECT_EQ(evaluationMenu(), QStringLiteral("11001"));

    FakeOutputPage* first = output;
    w->mnuNEUBERECHNEN_Click();
    w->mnuBERECHNEN_Click();
    EXPECT_EQ(output, first);
    EXPECT_EQ(first->loads, 1);
    EXPECT_EQ(first->reloads, 1);
    EXPECT_EQ(pageNames(), QStringList{QStringLiteral("mdiSEITE1")});

    w->mnuEINGABEGRAFIK_Click();
    EXPECT_EQ(pageNames(), (QStringList{QStringLiteral("mdiESEITE1"), QStringLiteral("mdiSEITE1")}));
    EXPECT_TRUE(messages().isEmpty());
}

// While the input page is open its capture is not yet the record's: an evaluation would put
// the record's unfinished calibration into the diagram.
TEST_F(Evaluation, TheEvaluationWaitsUntilTheInputPageIsClosed)
{
    startWithRecords(1);
    w->mnuAUSWERTEN_Click();
    w->mnuEINGABEGRAFIK_Click();
    w->mnuNEUBERECHNEN_Click();
    w->mnuBERECHNEN_Click();
    EXPECT_EQ(output, nullptr);
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Bitte zuerst die Eingabeseite schließen: ihre Erfassung ist noch nicht im Datensatz!"));
    EXPECT_EQ(pageNames(), QStringList{QStringLiteral("mdiESEITE1")});
}

TEST_F(Evaluation, AFailedEvaluationShowsNoPageAndLeavesTheRecordNotEvaluated)
{
    startWithRecords(1);
    exec(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (1, 0)"));
    w->evaluation().setCalculation([] { return false; });
    w->mnuNEUBERECHNEN_Click();
    EXPECT_EQ(output, nullptr);
    EXPECT_TRUE(pageNames().isEmpty());
    EXPECT_EQ(boneu(), QStringLiteral("BONEU 1"));
    EXPECT_FALSE(w->progressBar()->isVisible());
    EXPECT_EQ(pagePanels(), QStringLiteral("000000"));
}

// The page closes before the working copy is saved; a frame in the working table that no
// capture stored in this page (a zoom, an evaluation's copy) is not the record's calibration.
TEST_F(Evaluation, ShutdownWithTheInputPageOpenClosesItBeforeSaving)
{
    startWithRecords(1);
    exec(QStringLiteral("INSERT INTO E2 (ID, XMAX) VALUES (1, 7)"));
    w->mnuAUSWERTEN_Click();
    w->mnuEINGABEGRAFIK_Click();
    exec(QStringLiteral("UPDATE G0 SET XMAX=42 WHERE ID=1 AND IDOBJEKT=11"));
    TestEnvironment::ui().answer(vb::vbYes);
    w->mnuBEENDEN_Click();
    unloaded = true;
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().first().text.startsWith(QStringLiteral("Sollen die Änderungen")));
    EXPECT_EQ(projectColumn(QStringLiteral("SELECT XMAX FROM E2 WHERE ID=1")), QStringList{QStringLiteral("7")});
}

TEST_F(Evaluation, MBerechnenAndFBerechnenDoNothing)
{
    startWithRecords(1);
    w->menu(QStringLiteral("mnuMBERECHNEN"))->trigger();
    w->menu(QStringLiteral("mnuFBERECHNEN"))->trigger();
    EXPECT_TRUE(pageNames().isEmpty());
    EXPECT_FALSE(w->session().BOGEAENDERT);
}

}  // namespace
