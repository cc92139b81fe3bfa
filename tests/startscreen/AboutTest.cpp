// The start screen and the about box speak the session's language and show the address block.
#include "startscreen/frmINFO.h"
#include "startscreen/mdiAUTOSTART.h"
#include "support/TestEnvironment.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(AboutBox, CaptionAddressAndCloseButtonFollowTheLanguage)
{
    frmINFO german(3);
    EXPECT_EQ(german.windowTitle(), QStringLiteral("Info zu VELOR"));
    EXPECT_EQ(german.cmdSCHLIESSEN->text(), QStringLiteral("Schließen"));
    EXPECT_EQ(german.lblFAMILIE->text(), QStringLiteral("KELMORA"));
    EXPECT_TRUE(german.lblADRESSE->text().contains(QStringLiteral("Vorsitzender: ")));
    EXPECT_TRUE(german.lblADRESSE->text().contains(QStringLiteral("\nFax: ")));
    EXPECT_TRUE(german.lblADRESSE->text().contains(QStringLiteral("Telefon: ")));

    frmINFO english(1);
    EXPECT_EQ(english.windowTitle(), QStringLiteral("Info of VELOR"));
    EXPECT_EQ(english.cmdSCHLIESSEN->text(), QStringLiteral("Done"));
    EXPECT_TRUE(english.lblADRESSE->text().contains(QStringLiteral("Head of Found.: ")));
    EXPECT_TRUE(english.lblADRESSE->text().contains(QStringLiteral("Phone: ")));
    EXPECT_EQ(english.lblHERSTELLER->text().section(QLatin1Char('\n'), 1), QStringLiteral("VELOR\u00AE is a module of the KELMORA program family"));
    EXPECT_EQ(german.lblHERSTELLER->text().section(QLatin1Char('\n'), 1), QStringLiteral("VELOR\u00AE ist ein Modul der KELMORA-Programmfamilie"));
    english.show();
    english.cmdSCHLIESSEN->click();
    EXPECT_FALSE(english.isVisible());
}

TEST(StartScreen, KeepsItsProgressBarHiddenAndInsideTheWindow)
{
    mdiAUTOSTART screen(1);
    screen.resize(900, 600);
    screen.Form_Load();
    screen.show();
    EXPECT_FALSE(screen.pgbBERECHNEN->isVisible());
    EXPECT_EQ(screen.pgbBERECHNEN->minimum(), 0);
    EXPECT_EQ(screen.pgbBERECHNEN->maximum(), 100);
    EXPECT_TRUE(screen.lblADRESSE->text().contains(QStringLiteral("Phone: ")));
    EXPECT_TRUE(screen.lblUNTERTITEL->text().isEmpty());
    screen.resize(500, 400);
    EXPECT_LE(screen.pgbBERECHNEN->geometry().bottom(), 400);
    EXPECT_LE(screen.fraKOPF->geometry().right(), 500);
}
