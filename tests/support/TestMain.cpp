// The main of every test program: the program's application object on the offscreen
// platform, the scripted Ui with pauses that cost nothing, a fixed German locale and a
// temporary home, so that widget tests run headless and settings never touch the
// developer's own. An error that escapes an event procedure fails the running test.
#include "platform/ui/Application.h"
#include "platform/ui/Procedure.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TestEnvironment::prepareHome();
    vb::Application app(argc, argv);
    vb::Application::setEscapeHandler([](const std::exception_ptr& error) {
        const auto [number, description] = vb::Procedure::describe(error);
        ADD_FAILURE() << "An error escaped an event procedure: " << number << " " << description.toStdString();
    });
    ::testing::InitGoogleTest(&argc, argv);
    TestEnvironment::install();
    return RUN_ALL_TESTS();
}
