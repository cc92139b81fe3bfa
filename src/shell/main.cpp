// VELOR: turns scanned diagrams into numbers. Started by the frame program KELMORA.
#include "shell/frmMAIN.h"
#include "shell/Screenshot.h"
#include "shell/ScriptSession.h"

#include "platform/ui/Application.h"
#include "platform/ui/QtUi.h"
#include "platform/ui/ScriptedUi.h"

#include <QCommandLineParser>
#include <algorithm>

int main(int argc, char** argv)
{
    // A scripted session needs no display: without one it runs on the offscreen platform.
    const bool scripted = std::any_of(argv, argv + argc, [](const char* a) { return QByteArray(a).startsWith("--script"); });
    if (scripted && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    vb::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VELOR"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("VELOR - module of the KELMORA family; normally started by KELMORA."));
    parser.addHelpOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Start up, write a PNG picture of the main window to <file> and end."),
                                  QStringLiteral("file"));
    QCommandLineOption script(QStringLiteral("script"),
                              QStringLiteral("Replay the session script <file> (grammar in the README), then end as by "
                                             "Datei - Beenden. Exit code 1 when a line fails."),
                              QStringLiteral("file"));
    parser.addOptions({screenshot, script});
    parser.process(app);
    if (parser.isSet(script)) {
        frmMAIN w;
        return ScriptSession::runFile(parser.value(script), w);
    }

    // A screenshot run has nobody to answer a question: every message is printed and answered
    // with its first button.
    vb::QtUi qtUi;
    vb::ScriptedUi unattended;
    const bool shot = parser.isSet(screenshot);
    vb::Ui::install(shot ? static_cast<vb::Ui*>(&unattended) : &qtUi);

    frmMAIN w;
    const bool started = w.MDIForm_Load();
    if (shot) {
        Screenshot::printMessages(unattended);
        if (!started) return 1;
        return Screenshot::take(w, parser.value(screenshot)) ? 0 : 1;
    }
    if (!started) return 0;
    return app.exec();
}
