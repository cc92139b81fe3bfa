#include "graphics/TextMarkup.h"

#include "platform/vb/Convert.h"

bool TextMarkup::hasMarkup(const QString& text)
{
    const int open = text.indexOf(QLatin1Char('{'));
    return open >= 0 && text.indexOf(QLatin1Char('}'), open + 1) > open;
}

std::vector<TextRun> TextMarkup::split(const QString& text)
{
    std::vector<TextRun> runs;
    int pos = 0;
    while (pos < text.size()) {
        const int open = text.indexOf(QLatin1Char('{'), pos);
        const int close = open < 0 ? -1 : text.indexOf(QLatin1Char('}'), open + 1);
        if (open < 0 || close < 0) {
            runs.push_back({QString(), text.mid(pos)});
            break;
        }
        if (open > pos) runs.push_back({QString(), text.mid(pos, open - pos)});
        const QString group = text.mid(open + 1, close - open - 1);
        const int comma = group.indexOf(QLatin1Char(','));
        if (comma < 0)
            runs.push_back({QString(), group});  // a group without a code is plain text
        else
            runs.push_back({group.left(comma).trimmed().toLower(), group.mid(comma + 1)});
        pos = close + 1;
    }
    return runs;
}

QString TextMarkup::expandExponent(const QString& text)
{
    const int e = text.indexOf(QLatin1Char('E'));
    if (e < 0 || !vb::IsNumeric(vb::Value(text))) return text;
    return text.left(e) + QStringLiteral("*10{h,") + text.mid(e + 1) + QStringLiteral("}");
}
