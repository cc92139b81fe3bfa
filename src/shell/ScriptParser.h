#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Reads a session script: one command a line, words separated by blanks, texts with blanks
// in double quotes (\" and \\ inside them), '#' starts a comment outside quotes. Every
// command is checked against its signature before anything runs, so a script with a typing
// slip fails at once and names the line.
//
// A signature lists the arguments: t text, i whole number, n number ("." decimals), b 0 or 1;
// '?' after a letter makes it optional (only at the end). Example: {"click", "t n n"}.
class ScriptParser {
public:
    struct Command {
        int line = 0;
        QString verb;
        QStringList args;
        // The played script the line comes from; empty for the script itself.
        QString file;
    };

    explicit ScriptParser(QHash<QString, QString> signatures) : signatures_(std::move(signatures)) {}

    // The commands of `script`; false with error() set on the first line that is wrong.
    bool parse(const QString& script);
    const QList<Command>& commands() const { return commands_; }
    // "line N: what is wrong".
    const QString& error() const { return error_; }

    // The words of one line; false when a quote is not closed.
    static bool split(const QString& line, QStringList& words);

private:
    bool check(const Command& command);
    bool fail(int line, const QString& what);

    QHash<QString, QString> signatures_;
    QList<Command> commands_;
    QString error_;
};
