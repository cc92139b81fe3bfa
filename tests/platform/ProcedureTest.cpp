// The error-report convention: OK goes on with the next step, Cancel leaves.
#include "platform/ui/Procedure.h"
#include "platform/vb/VbError.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vb;

TEST(Procedure, OkContinuesWithTheNextStepAndCancelLeaves)
{
    ScriptedUi& ui = TestEnvironment::ui();
    ui.clear();
    ui.answer(vbOK);
    ui.answer(vbCancel);
    Procedure p(QStringLiteral("VB-Error: "), QStringLiteral("&Neu"));
    QStringList ran;
    p.step([&] { ran << "1"; vb::raise(errDivisionByZero); });
    p.step([&] { ran << "2"; vb::raise(errTypeMismatch); });
    EXPECT_FALSE(p.step([&] { ran << "3"; }));
    EXPECT_EQ(ran, QStringList({"1", "2"}));
    EXPECT_TRUE(p.cancelled());
    ASSERT_EQ(ui.messages.size(), 2);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("VB-Error: 11\r\nDivision by zero"));
    EXPECT_EQ(ui.messages[0].title, QStringLiteral("&Neu"));
    EXPECT_EQ(ui.messages[0].buttons, vbExclamation | vbOKCancel);
}

TEST(Procedure, ErrorsItEndsOnSilentlyShowNoMessage)
{
    ScriptedUi& ui = TestEnvironment::ui();
    ui.clear();
    Procedure p(QStringLiteral("VB-Error: "), QStringLiteral("OK"));
    p.endSilentlyOn({errInvalidProperty, errDialogCancelled});
    bool ranAfter = false;
    p.step([] { vb::raise(errDialogCancelled, QStringLiteral("Cancel was selected.")); });
    p.step([&] { ranAfter = true; });
    EXPECT_TRUE(p.cancelled());
    EXPECT_FALSE(ranAfter);
    EXPECT_TRUE(ui.messages.isEmpty());
}

// Every step after a full disk would only hit it again: one plain message, and the
// procedure ends.
TEST(Procedure, AFullDiskIsSaidOnceInPlainWordsAndEndsTheProcedure)
{
    ScriptedUi& ui = TestEnvironment::ui();
    ui.clear();
    Procedure p(QStringLiteral("VB-Fehler: "), QStringLiteral("VELOR"));
    bool ranAfter = false;
    p.step([] { vb::raiseDiskFull(QStringLiteral("/home/u/BENUTZER/U")); });
    p.step([&] { ranAfter = true; });
    EXPECT_FALSE(ranAfter);
    EXPECT_TRUE(p.failed());
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("Der Datenträger ist voll: Im Ordner /home/u/BENUTZER/U ist kein Platz mehr "
                                                  "frei. Bitte schaffen Sie Platz und versuchen Sie es noch einmal."));
    EXPECT_EQ(ui.messages[0].buttons, vbExclamation | vbOKOnly);
    EXPECT_EQ(ui.messages[0].title, QStringLiteral("VELOR"));
}
