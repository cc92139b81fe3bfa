#include "DialogsFixture.h"

#include "pages/frmKONTEXT.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class PageDialogTest : public DialogsFixture {
protected:
    frmKONTEXT* open(FakePage& p) { return frmKONTEXT::showFor(shell, p); }
};

struct OpeningCase {
    const char* name;
    bool header, number;
    bool bokf, bokfs, bokfsEnabled;
};
inline void PrintTo(const OpeningCase& c, std::ostream* os) { *os << c.name; }

class PageDialogOpeningTest : public PageDialogTest, public ::testing::WithParamInterface<OpeningCase> {};

TEST_P(PageDialogOpeningTest, CheckBoxesShowThePageState)
{
    const OpeningCase& c = GetParam();
    page.KONTEXT(c.header, c.number, page.BackColor(), vb::RGB(255, 255, 255));
    page.calls.clear();
    frmKONTEXT* d = open(page);
    EXPECT_EQ(d->chkBOKF->isChecked(), c.bokf);
    EXPECT_EQ(d->chkBOKFS->isChecked(), c.bokfs);
    EXPECT_EQ(d->chkBOKFS->isEnabled(), c.bokfsEnabled);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageDialogOpeningTest,
                         ::testing::Values(OpeningCase{"Both", true, true, true, true, true},
                                           OpeningCase{"HeaderWithoutNumber", true, false, true, false, true},
                                           OpeningCase{"Neither", false, false, false, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageDialogTest, HeaderBoxCouplesThePageNumberBox)
{
    frmKONTEXT* d = open(page);
    d->chkBOKFS->setChecked(false);
    QTest::mouseClick(d->chkBOKF, Qt::LeftButton);
    EXPECT_FALSE(d->chkBOKFS->isChecked());
    EXPECT_FALSE(d->chkBOKFS->isEnabled());
    QTest::mouseClick(d->chkBOKF, Qt::LeftButton);
    EXPECT_TRUE(d->chkBOKFS->isChecked());
    EXPECT_TRUE(d->chkBOKFS->isEnabled());
}

TEST_F(PageDialogTest, OkHandsTheChoicesAndColoursToItsPage)
{
    frmKONTEXT* d = open(page);
    // The page colour dialog is cancelled (the colour stays), the picture colour chosen.
    ui().chooseColour(std::nullopt);
    ui().chooseColour(vb::RGB(10, 20, 30));
    QTest::mouseClick(d->cmdFARBEN[0], Qt::LeftButton);
    QTest::mouseClick(d->cmdFARBEN[1], Qt::LeftButton);
    EXPECT_EQ(ui().colourRequests, (QList<vb::OleColor>{kPageColour, kPictureColour}));
    QTest::mouseClick(d->chkBOKF, Qt::LeftButton);
    QTest::mouseClick(d->cmdOK, Qt::LeftButton);
    ASSERT_EQ(page.calls.size(), 1);
    EXPECT_EQ(page.calls[0], (FakePage::Call{false, false, kPageColour, vb::RGB(10, 20, 30)}));
    EXPECT_FALSE(d->isVisible());
}

TEST_F(PageDialogTest, OkAppliesToThePageItWasOpenedFor)
{
    FakePage other(shell, QStringLiteral("mdiSEITE1"));
    frmKONTEXT* d = open(page);
    shell.active = &other;
    d->cmdOK_Click();
    EXPECT_EQ(page.calls.size(), 1);
    EXPECT_TRUE(other.calls.isEmpty());
}

TEST_F(PageDialogTest, DialogGoesWithItsPage)
{
    QPointer<frmKONTEXT> d = open(page);
    page.closePage();
    EXPECT_TRUE(!d || !d->isVisible());
}

TEST_F(PageDialogTest, ReopenedRightAfterClosingIsALiveDialog)
{
    open(page)->cmdABBRECHEN_Click();
    QPointer<frmKONTEXT> d = open(page);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->isVisible());
}

TEST_F(PageDialogTest, OkFindingItsPageGoneAppliesNothing)
{
    QWidget mainWindow;
    auto* late = new FakePage(shell, QStringLiteral("mdiSEITE1"), &mainWindow);
    frmKONTEXT* d = open(*late);
    delete late;
    d->cmdOK_Click();
    EXPECT_TRUE(ui().messages.isEmpty());
    EXPECT_FALSE(d->isVisible());
}

struct KeyCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    int kontextCalls;
    bool open;
    const char* shellCall;
};
inline void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class PageDialogKeyTest : public PageDialogTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(PageDialogKeyTest, KeysOfTheDialog)
{
    const KeyCase& c = GetParam();
    frmKONTEXT* d = open(page);
    QTest::keyClick(d, static_cast<Qt::Key>(c.key), c.modifiers);
    EXPECT_EQ(page.calls.size(), c.kontextCalls);
    EXPECT_EQ(d->isVisible(), c.open);
    EXPECT_EQ(shell.calls.join(QLatin1Char(',')), QString::fromLatin1(c.shellCall));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageDialogKeyTest,
    ::testing::Values(KeyCase{"CtrlS_IsOk", Qt::Key_S, Qt::ControlModifier, 1, false, ""},
                      KeyCase{"Escape_IsCancel", Qt::Key_Escape, Qt::NoModifier, 0, false, ""},
                      KeyCase{"Enter_MovesOn", Qt::Key_Return, Qt::NoModifier, 0, true, ""},
                      KeyCase{"CtrlQ_Quits", Qt::Key_Q, Qt::ControlModifier, 0, true, "mnuBEENDEN_Click"},
                      KeyCase{"F1_Helps", Qt::Key_F1, Qt::NoModifier, 0, true, "mnuHILFE_Click"}),
    [](const auto& info) { return std::string(info.param.name); });
