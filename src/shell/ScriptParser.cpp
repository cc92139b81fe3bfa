#include "shell/ScriptParser.h"

#include <cmath>

bool ScriptParser::split(const QString& line, QStringList& words)
{
    words.clear();
    QString word;
    bool inWord = false, quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < line.size() && (line.at(i + 1) == QLatin1Char('"') || line.at(i + 1) == QLatin1Char('\\')))
                word += line.at(++i);
            else if (c == QLatin1Char('"')) quoted = false;
            else word += c;
        } else if (c == QLatin1Char('"')) {
            quoted = inWord = true;
        } else if (c.isSpace()) {
            if (inWord) words << word;
            word.clear();
            inWord = false;
        } else if (c == QLatin1Char('#') && !inWord) {
            break;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) return false;
    if (inWord) words << word;
    return true;
}

bool ScriptParser::fail(int line, const QString& what)
{
    error_ = QStringLiteral("line %1: %2").arg(line).arg(what);
    return false;
}

bool ScriptParser::check(const Command& command)
{
    const auto found = signatures_.constFind(command.verb);
    if (found == signatures_.constEnd()) return fail(command.line, QStringLiteral("unknown command \"%1\"").arg(command.verb));
    const QStringList kinds = found->split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int required = 0;
    for (const QString& k : kinds)
        if (!k.endsWith(QLatin1Char('?'))) ++required;
    const int given = static_cast<int>(command.args.size());
    if (given < required || given > kinds.size())
        return fail(command.line, QStringLiteral("%1 takes %2, not %3 arguments").arg(command.verb, *found).arg(given));
    for (int i = 0; i < given; ++i) {
        const QString& a = command.args.at(i);
        bool ok = true;
        switch (kinds.at(i).at(0).toLatin1()) {
        case 'i': a.toInt(&ok); break;
        case 'n': ok = std::isfinite(a.toDouble(&ok)) && ok; break;  // "." decimals whatever the locale
        case 'b': ok = a == QLatin1String("0") || a == QLatin1String("1"); break;
        default: break;
        }
        if (!ok) return fail(command.line, QStringLiteral("argument %1 of %2 is not %3: \"%4\"")
                                                .arg(i + 1)
                                                .arg(command.verb)
                                                .arg(kinds.at(i).startsWith(QLatin1Char('b')) ? QStringLiteral("0 or 1")
                                                     : kinds.at(i).startsWith(QLatin1Char('i')) ? QStringLiteral("a whole number")
                                                                                                 : QStringLiteral("a number"))
                                                .arg(a));
    }
    return true;
}

bool ScriptParser::parse(const QString& script)
{
    commands_.clear();
    error_.clear();
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        QStringList words;
        if (!split(lines.at(n), words)) return fail(n + 1, QStringLiteral("a quoted text is not closed"));
        if (words.isEmpty()) continue;
        Command command{n + 1, words.takeFirst(), words};
        if (!check(command)) return false;
        commands_ << command;
    }
    return true;
}
