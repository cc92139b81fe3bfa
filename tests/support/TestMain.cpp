// The main of every test program: a real QApplication on the offscreen platform, the
// scripted Ui with pauses that cost nothing, a fixed German locale and a temporary home,
// so that widget tests run headless and settings never touch the developer's own.
#include "support/TestEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TestEnvironment::prepareHome();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    TestEnvironment::install();
    return RUN_ALL_TESTS();
}
