#include "platform/ui/QtTranslations.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// Qt's own buttons and dialogs follow the session's language and go back to English.
TEST(QtTranslations, GermanSessionsGetQtsGermanDialogsAndEnglishOnesLoseThem)
{
    ASSERT_TRUE(QtTranslations::use(true));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Drucken"));
    ASSERT_TRUE(QtTranslations::use(false));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}
