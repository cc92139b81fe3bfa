#include "platform/db/ParameterizedSql.h"

namespace db {

namespace {

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Position of a top-level keyword (outside quotes and brackets), or -1.
int findKeyword(const QString& s, const QString& keyword, int from)
{
    bool quoted = false, bracketed = false;
    for (int i = from; i < s.size(); ++i) {
        const QChar c = s[i];
        if (quoted) { if (c == QLatin1Char('\'')) quoted = false; continue; }
        if (bracketed) { if (c == QLatin1Char(']')) bracketed = false; continue; }
        if (c == QLatin1Char('\'')) { quoted = true; continue; }
        if (c == QLatin1Char('[')) { bracketed = true; continue; }
        if ((i == 0 || !isWordChar(s[i - 1])) && s.mid(i, keyword.size()).compare(keyword, Qt::CaseInsensitive) == 0
            && (i + keyword.size() >= s.size() || !isWordChar(s[i + keyword.size()])))
            return i;
    }
    return -1;
}

}  // namespace

ParameterizedSql ParameterizedSql::from(const QString& composed)
{
    ParameterizedSql out;
    const int where = findKeyword(composed, QStringLiteral("WHERE"), 0);
    if (where < 0) {
        out.sql = composed;
        return out;
    }
    int end = findKeyword(composed, QStringLiteral("ORDER"), where);
    if (end < 0) end = composed.size();

    QString sql = composed.left(where);
    sql.reserve(composed.size());
    for (int i = where; i < end;) {
        const QChar c = composed[i];
        if (c == QLatin1Char('[')) {
            const int close = composed.indexOf(QLatin1Char(']'), i);
            const int stop = close < 0 ? end : close + 1;
            sql += composed.mid(i, stop - i);
            i = stop;
        } else if (c == QLatin1Char('\'')) {
            QString text;
            int j = i + 1;
            for (; j < end; ++j) {
                if (composed[j] == QLatin1Char('\'')) {
                    if (j + 1 < end && composed[j + 1] == QLatin1Char('\'')) { text += QLatin1Char('\''); ++j; continue; }
                    break;
                }
                text += composed[j];
            }
            if (j >= end) {  // unterminated: leave the rest as it stands, the engine reports it
                sql += composed.mid(i, end - i);
                i = end;
                continue;
            }
            out.parameters.emplace_back(text);
            sql += QLatin1Char('?');
            i = j + 1;
        } else if (c.isDigit() && (i == 0 || !isWordChar(composed[i - 1]))) {
            int j = i;
            bool point = false;
            while (j < end && (composed[j].isDigit() || (composed[j] == QLatin1Char('.') && !point))) {
                if (composed[j] == QLatin1Char('.')) point = true;
                ++j;
            }
            if (j < end && isWordChar(composed[j])) {  // part of a name such as 1A: leave it
                sql += composed.mid(i, j - i);
                i = j;
                continue;
            }
            const QString number = composed.mid(i, j - i);
            bool ok = false;
            const qlonglong whole = number.toLongLong(&ok);
            if (!point && ok && whole >= INT32_MIN && whole <= INT32_MAX)
                out.parameters.emplace_back(static_cast<int32_t>(whole));
            else
                out.parameters.emplace_back(number.toDouble());
            sql += QLatin1Char('?');
            i = j;
        } else if (isWordChar(c)) {
            int j = i;
            while (j < end && isWordChar(composed[j])) ++j;
            sql += composed.mid(i, j - i);
            i = j;
        } else {
            sql += c;
            ++i;
        }
    }
    sql += composed.mid(end);
    out.sql = sql;
    return out;
}

}  // namespace db
