#include "ShellFixture.h"

#include "pages/PageWindow.h"
#include "pages/frmANZEIGEN.h"
#include "pages/frmKONTEXT.h"
#include "shell/EvaluationCommands.h"

#include <QCoreApplication>
#include <QPointer>

// The modeless page dialogs never outlive the pages they act on: however the pages close,
// the dialogs close with them.
class PageDialogsShellTest : public ShellFixture, public ::testing::WithParamInterface<const char*> {
protected:
    PageWindow* openInputPage(frmMAIN& m)
    {
        exec(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (7, 'Kurve', NULL, 1)"));
        exec(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (7, 1)"));
        exec(QStringLiteral("INSERT INTO E2 (ID, LOGX, LOGY) VALUES (7, 0, 0)"));
        m.evaluation().EINGABEGRAFIK();
        return m.evaluation().openPage(QStringLiteral("mdiESEITE1"));
    }
};

TEST_P(PageDialogsShellTest, ClosingThePagesClosesTheOpenDialogs)
{
    frmMAIN& m = start();
    PageWindow* page = openInputPage(m);
    ASSERT_TRUE(page);
    QPointer<frmKONTEXT> pageDialog = frmKONTEXT::showFor(m, *page);
    QPointer<frmANZEIGEN> showDialog = frmANZEIGEN::showFor(m, &m);
    ASSERT_TRUE(pageDialog && pageDialog->isVisible());
    ASSERT_TRUE(showDialog && showDialog->isVisible());

    if (QString::fromLatin1(GetParam()) == QLatin1String("Escape")) page->Form_KeyDown(Qt::Key_Escape, 0);
    else m.stbMAIN_PanelClick(15);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_TRUE(m.pageList().isEmpty());
    EXPECT_TRUE(pageDialog.isNull());
    EXPECT_TRUE(showDialog.isNull());
}

INSTANTIATE_TEST_SUITE_P(Ways, PageDialogsShellTest, ::testing::Values("Panel15", "Escape"),
                         [](const auto& info) { return std::string(info.param); });
