// The last net under the event loop: an error that escapes an event procedure is reported
// and the program goes on; in a test program it fails the test.
#include "platform/ui/Application.h"
#include "platform/vb/VbError.h"
#include "support/TestEnvironment.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace vb;

namespace {

// An event procedure whose write fails, as a store on a full disk does.
void failingWrite() { raise(errDatabase, QStringLiteral("database or disk is full")); }

class FailingWindow : public QObject {
protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User) failingWrite();
        return QObject::event(e);
    }
};

}  // namespace

TEST(EventLoopNet, AnEscapedErrorIsReportedOnceAndTheEventLoopGoesOn)
{
    ScriptedUi& ui = TestEnvironment::ui();
    ui.clear();
    ui.SetPointer(Pointer::Hourglass);
    const auto testHandler = Application::setEscapeHandler(&Application::report);
    QEventLoop loop;
    bool wentOn = false;
    QTimer::singleShot(0, &loop, [] { failingWrite(); });
    QTimer::singleShot(0, &loop, [&] {
        wentOn = true;
        loop.quit();
    });
    loop.exec();
    Application::setEscapeHandler(testHandler);
    EXPECT_TRUE(wentOn);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("VB-Error: -2147467259\r\ndatabase or disk is full"));
    EXPECT_EQ(ui.messages[0].buttons, vbExclamation | vbOKOnly);
    EXPECT_EQ(ui.messages[0].title, QCoreApplication::applicationName());
    EXPECT_EQ(ui.pointer_, Pointer::Default);
}

TEST(EventLoopNet, InATestProgramAnEscapedErrorFailsTheTest)
{
    static FailingWindow window;
    static QEvent click(QEvent::User);
    EXPECT_NONFATAL_FAILURE(QCoreApplication::sendEvent(&window, &click), "database or disk is full");
}
