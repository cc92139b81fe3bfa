#include "grid/ImportedValue.h"

#include "platform/vb/Convert.h"
#include "platform/vb/VbLocale.h"

#include <cmath>

ImportedValue::Layout ImportedValue::dateLayout(const QString& DATUM)
{
    Layout l;
    l.first = static_cast<int>(DATUM.indexOf(QLatin1String("TT")));
    l.second = static_cast<int>(DATUM.indexOf(QLatin1String("MM")));
    l.third = static_cast<int>(DATUM.indexOf(QLatin1String("JJJJ")));
    l.fourDigitYear = l.third >= 0;
    if (!l.fourDigitYear) l.third = static_cast<int>(DATUM.indexOf(QLatin1String("JJ")));
    return l;
}

ImportedValue::Layout ImportedValue::timeLayout(const QString& UHRZEIT)
{
    Layout l;
    l.first = static_cast<int>(UHRZEIT.indexOf(QLatin1String("hh")));
    l.second = static_cast<int>(UHRZEIT.indexOf(QLatin1String("mm")));
    l.third = static_cast<int>(UHRZEIT.indexOf(QLatin1String("ss")));
    return l;
}

bool ImportedValue::framed(const QString& text, const QString& prefix, const QString& suffix)
{
    return text.size() >= prefix.size() + suffix.size() && text.startsWith(prefix) && text.endsWith(suffix);
}

QString ImportedValue::withoutPrefix(const QString& text, const QString& prefix)
{
    return text.startsWith(prefix) ? text.mid(prefix.size()) : text;
}

QString ImportedValue::withoutSuffix(const QString& text, const QString& suffix)
{
    return text.endsWith(suffix) ? text.left(text.size() - suffix.size()) : text;
}

QString ImportedValue::date(const QString& text, const Layout& layout)
{
    // With a four-figure year only its last two figures are taken.
    const int year = layout.third + (layout.fourDigitYear ? 2 : 0);
    return text.mid(layout.first, 2) + QLatin1Char('.') + text.mid(layout.second, 2) + QLatin1Char('.') + text.mid(year, 2);
}

QString ImportedValue::time(const QString& text, const Layout& layout)
{
    return text.mid(layout.first, 2) + QLatin1Char(':') + text.mid(layout.second, 2) + QLatin1Char(':')
           + text.mid(layout.third, 2);
}

QString ImportedValue::leadingZero(const QString& text)
{
    if (text.startsWith(QLatin1String("-.")) || text.startsWith(QLatin1String("-,")))
        return QStringLiteral("-0") + text.mid(1);
    if (text.startsWith(QLatin1Char('.')) || text.startsWith(QLatin1Char(',')))
        return QLatin1Char('0') + text;
    return text;
}

QString ImportedValue::sessionDecimal(const QString& text)
{
    // Instruments write either mark; the rest of the program reads the session's.
    const QChar mine = vb::VbLocale::decimalSeparator();
    const QChar other = mine == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    if (text.count(other) != 1 || text.contains(mine)) return text;
    QString t = text;
    t.replace(other, mine);
    return vb::parseNumber(t) ? t : text;
}

std::optional<QString> ImportedValue::scaled(const QString& text, float factor)
{
    const std::optional<double> n = vb::parseNumber(sessionDecimal(text));
    if (!n) return std::nullopt;
    // Only a value near a tie needs the language's decimal tie rule; the others round the same
    // either way, and a long import scales hundreds of thousands of them.
    const double x = *n * static_cast<double>(factor);
    const double thousandths = x * 1000.0;
    const double fraction = thousandths - std::floor(thousandths);
    const double rounded = std::abs(fraction - 0.5) > 1e-6 && std::abs(thousandths) < 1e12
        ? std::round(thousandths) / 1000.0
        : vb::Round(x, 3);
    return vb::CStr(vb::Value(rounded));
}
