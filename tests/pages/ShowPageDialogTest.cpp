#include "DialogsFixture.h"

#include "pages/frmANZEIGEN.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>

// Two pages framed in a main window's area: the input page first, as the page list orders them.
class ShowPageDialogTest : public DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        first = new FakePage(shell, QStringLiteral("mdiESEITE1"));
        second = new FakePage(shell, QStringLiteral("mdiSEITE1"));
        frames = {area.addSubWindow(first), area.addSubWindow(second)};
        shell.pages = {first, second};
        shell.active = second;
        area.show();
    }

    // The page that OK left shown (1-based; 0 when none or several are).
    int shownPage() const
    {
        int shown = 0;
        for (int i = 0; i < frames.size(); ++i) {
            if (frames[i]->isHidden()) continue;
            if (shown) return 0;
            shown = i + 1;
        }
        return shown && frames[shown - 1]->isMaximized() ? shown : 0;
    }

    QMdiArea area;
    FakePage* first = nullptr;
    FakePage* second = nullptr;
    QList<QMdiSubWindow*> frames;
};

TEST_F(ShowPageDialogTest, OpensOnTheActivePage)
{
    frmANZEIGEN* d = frmANZEIGEN::showFor(shell, &area);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Anzeigen"));
    EXPECT_EQ(d->lblSEITEN[1]->text(), QStringLiteral("2"));
    EXPECT_EQ(d->txtSEITE->text(), QStringLiteral("2"));
    EXPECT_EQ(d->txtSEITE->selectedText(), QStringLiteral("2"));
}

struct ClampCase {
    const char* name;
    const char* typed;
    int page;
};
inline void PrintTo(const ClampCase& c, std::ostream* os) { *os << c.name; }

class ShowPageClampTest : public ShowPageDialogTest, public ::testing::WithParamInterface<ClampCase> {};

// Enter on the default button (the box never loses the focus) and leaving the box first
// both end on a page that exists.
TEST_P(ShowPageClampTest, TypedNumberIsClampedToTheOpenPages)
{
    const ClampCase& c = GetParam();
    frmANZEIGEN* d = frmANZEIGEN::showFor(shell, &area);
    d->txtSEITE->setText(QString::fromUtf8(c.typed));
    d->txtSEITE_LostFocus();
    EXPECT_EQ(d->txtSEITE->text(), QString::number(c.page));

    d = frmANZEIGEN::showFor(shell, &area);
    d->txtSEITE->setText(QString::fromUtf8(c.typed));
    d->cmdOK_Click();
    EXPECT_EQ(shownPage(), c.page);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShowPageClampTest,
                         ::testing::Values(ClampCase{"AbovePageCount", "7", 2}, ClampCase{"NotANumber", "x", 1},
                                           ClampCase{"Empty", "", 1}, ClampCase{"Zero", "0", 1},
                                           ClampCase{"Negative", "-3", 1}, ClampCase{"First", "1", 1},
                                           ClampCase{"Fraction", "1,6", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShowPageDialogTest, EnterOnTheBoxShowsTheClampedPage)
{
    frmANZEIGEN* d = frmANZEIGEN::showFor(shell, &area);
    d->txtSEITE->setText(QStringLiteral("7"));
    QTest::keyClick(d->txtSEITE, Qt::Key_Return);
    EXPECT_EQ(shownPage(), 2);
    EXPECT_FALSE(d->isVisible());
}

TEST_F(ShowPageDialogTest, OkCountsThePagesOpenNow)
{
    frmANZEIGEN* d = frmANZEIGEN::showFor(shell, &area);
    d->txtSEITE->setText(QStringLiteral("2"));
    shell.pages = {first};
    d->cmdOK_Click();
    EXPECT_FALSE(frames[0]->isHidden());
    EXPECT_TRUE(frames[0]->isMaximized());
}

TEST_F(ShowPageDialogTest, ClosesWhenAPageCloses)
{
    QPointer<frmANZEIGEN> d = frmANZEIGEN::showFor(shell, &area);
    second->closePage();
    EXPECT_TRUE(!d || !d->isVisible());
}
