// KELMORA: the frame program of the family, as far as VELOR needs it. It registers the user
// and the current project in the information system, creates projects, builds the demo
// installation and starts VELOR; started without arguments it lists the projects.
#include "frame/Kelmora.h"
#include "frame/frmPROJEKTE.h"
#include "platform/ui/Application.h"
#include "platform/ui/QtUi.h"
#include "platform/vb/VbError.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char** argv)
{
    // Without a display the command-line work (demo, projects, a screenshot run) still
    // happens; only the project window needs a screen.
    const bool headless = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                          && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (headless) qputenv("QT_QPA_PLATFORM", "offscreen");
    vb::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KELMORA"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "KELMORA - frame program of the VELOR module.\n"
        "Without options it shows the projects of the installation; pick one to start VELOR.\n"
        "Language: VELOR speaks the language of your locale (LC_ALL, else LC_MESSAGES, else LANG): English for\n"
        "an English locale, German for any other; e.g. LC_MESSAGES=en_GB.UTF-8 KELMORA --start."));
    parser.addHelpOption();
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Build the demo installation (information system, settings key, project DEMO "
                                                 "with a sample scan, your registration) in this installation."));
    const QCommandLineOption into(QStringLiteral("into"), QStringLiteral("With --demo: copy the program into <dir> first and build the demo there."),
                                  QStringLiteral("dir"));
    const QCommandLineOption project(QStringLiteral("project"), QStringLiteral("Make <name> your current project."), QStringLiteral("name"));
    const QCommandLineOption create(QStringLiteral("create"), QStringLiteral("With --project: create the project (VELOR.mdb, GRAFIK, JPG) if it is missing."));
    const QCommandLineOption start(QStringLiteral("start"), QStringLiteral("Start VELOR on your current project."));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("With --start: VELOR writes a PNG of its main window to <file> and ends."),
                                        QStringLiteral("file"));
    const QCommandLineOption script(QStringLiteral("script"),
                                    QStringLiteral("With --start: VELOR replays the session script <file> (grammar in the README), "
                                                   "ends, and KELMORA returns its exit code."),
                                    QStringLiteral("file"));
    parser.addOptions({demo, into, project, create, start, screenshot, script});
    parser.addPositionalArgument(QStringLiteral("dir"), QStringLiteral("With --demo: same as --into."), QStringLiteral("[dir]"));
    parser.process(app);

    vb::QtUi ui;
    vb::Ui::install(&ui);
    QTextStream out(stdout);
    QTextStream err(stderr);
    Kelmora kelmora{Installation(QApplication::applicationDirPath())};
    try {
        const bool action = parser.isSet(demo) || parser.isSet(project) || parser.isSet(start);
        if (parser.isSet(demo)) {
            const QString dir = parser.isSet(into) ? parser.value(into) : parser.positionalArguments().value(0);
            kelmora = Kelmora(kelmora.demo(dir));
            out << "Demo installation: " << kelmora.installation().root() << Qt::endl;
        }
        if (parser.isSet(project)) {
            kelmora.selectProject(parser.value(project), parser.isSet(create));
            out << "Current project: " << parser.value(project) << Qt::endl;
        }
        if (parser.isSet(start)) {
            QStringList args;
            if (parser.isSet(screenshot)) args << QStringLiteral("--screenshot") << parser.value(screenshot);
            if (parser.isSet(script)) args << QStringLiteral("--script") << QFileInfo(parser.value(script)).absoluteFilePath();
            const int code = kelmora.startModule(args, parser.isSet(screenshot) || parser.isSet(script));
            if (code != 0) err << "KELMORA: VELOR ended with code " << code << Qt::endl;
            return code == 0 ? 0 : 1;
        }
        if (action) return 0;
    } catch (const vb::VbError& e) {
        err << "KELMORA: " << e.description() << Qt::endl;
        return 1;
    }
    if (headless) {
        err << "KELMORA: no display for the project window; see --help for the command-line options." << Qt::endl;
        return 1;
    }
    frmPROJEKTE window(kelmora);
    window.show();
    window.exec();
    return 0;
}
