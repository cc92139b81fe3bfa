#pragma once

#include "shell/ScriptParser.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>
#include <functional>
#include <vector>

class QDialog;
class QPointF;
class QWidget;
class ScriptUi;
class frmMAIN;
namespace vb { class PictureBox; }

// Replays a session script on the real main window: each line acts through the same event
// procedures a user's clicks and keys reach. The commands and their signatures are the one
// table in commandTable(); a new command is a row there and a member that carries it out.
class ScriptSession {
public:
    ScriptSession(frmMAIN& main, ScriptUi& ui, QString scriptFolder, QList<ScriptParser::Command> commands);

    // Reads and checks the script `file`, starts `main` and replays the script on it; the
    // exit code of the run (1 when the file cannot be read, a line is wrong or fails, or
    // VELOR does not end). The script's message service is installed meanwhile.
    static int runFile(const QString& file, frmMAIN& main);

    // Command name -> signature, for the parser.
    static QHash<QString, QString> signatures();

    // The answers, inputs and expectations at the top of the script, queued before the
    // program starts (a question of the start-up takes them).
    void runPrelude();
    // Runs the remaining lines and then ends the program as Datei -> Beenden does.
    // 0 when every line succeeded and the program ended, 1 otherwise (the reason on stderr).
    int run();

private:
    using Command = ScriptParser::Command;
    // A command's work; returns what went wrong, empty on success.
    using Handler = QString (ScriptSession::*)(const Command&);
    struct Entry {
        const char* verb;
        const char* signature;
        Handler handler;
    };
    static const std::vector<Entry>& commandTable();

    // The commands of `file` with every `play` line replaced by the commands of the script it
    // names (relative to `file`'s folder); `chain` holds the scripts being read, so a script
    // that plays itself is refused. Empty when all is well, else what is wrong.
    static QString load(const QString& file, QList<Command>& commands, QStringList& chain);

    // Runs lines from the next one on while `goOn` holds and nothing has failed.
    void runWhile(const std::function<bool()>& goOn);
    int finish();
    void runModal(QDialog& dialog);
    void settle();
    QString path(const QString& name) const;
    // The window the script acts on: the open modal dialog, else the active child window,
    // else the main window.
    QWidget* activeWindow() const;
    QWidget* window(const QString& name) const;
    // WIDGET or WINDOW.WIDGET; NAME(INDEX) picks a member of a control array.
    QWidget* widget(const QString& target, QString& error) const;
    // The widget when it is of kind W; otherwise null and what is wrong ("... is not <kind>").
    template <class W>
    W* widgetAs(const QString& target, const char* kind, QString& error) const;

    static std::optional<QPointF> pixel(vb::PictureBox* picture, const Command& c, int first);

    QString menu(const Command& c);
    QString panel(const Command& c);
    QString type(const Command& c);
    QString check(const Command& c);
    QString option(const Command& c);
    QString choose(const Command& c);
    QString button(const Command& c);
    QString cell(const Command& c);
    QString key(const Command& c);
    QString mouse(const Command& c);
    QString drag(const Command& c);
    QString answer(const Command& c);
    QString input(const Command& c);
    QString expect(const Command& c);
    QString shot(const Command& c);
    QString print(const Command& c);
    QString dump(const Command& c);
    // Removes a file the script wrote before, if it is there, so the script can run again.
    QString deleteFile(const Command& c);
    QString wait(const Command& c);

    frmMAIN& main_;
    ScriptUi& ui_;
    QString folder_;
    QList<Command> commands_;
    qsizetype next_ = 0;
    QList<QDialog*> modals_;
    QString failure_;
};
