#include "platform/vb/Format.h"

#include "platform/vb/Convert.h"
#include "platform/vb/VbLocale.h"

#include <QStringList>
#include <cmath>

namespace vb {

namespace {

// What a pattern uses outside quotes and escapes: digit placeholders, date or time letters.
struct PatternKind {
    bool placeholders = false, letters = false;
};

PatternKind patternKind(const QString& p)
{
    PatternKind kind;
    bool quoted = false;
    for (int i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        if (c == QLatin1Char('"')) { quoted = !quoted; continue; }
        if (quoted) continue;
        if (c == QLatin1Char('\\')) { ++i; continue; }
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) kind.placeholders = true;
        if (QStringLiteral("dDmMyYhHnNsS").contains(c)) kind.letters = true;
    }
    return kind;
}

// A date/time pattern uses date or time letters and no digit placeholders.
bool isDatePattern(const QString& p)
{
    const PatternKind kind = patternKind(p);
    return kind.letters && !kind.placeholders;
}

const QStringList& namedNumberFormats()
{
    static const QStringList names{QStringLiteral("general number"), QStringLiteral("fixed"), QStringLiteral("standard"),
                                   QStringLiteral("percent"), QStringLiteral("scientific")};
    return names;
}

// Decimal digits of |x| rounded half away from zero at `decimals`, judged on the 15-digit
// form of the number (so 2.675 rounds to 2.68, as the user sees it written).
void decimalDigits(double x, int decimals, QString& intPart, QString& fracPart)
{
    const QString exact = QString::asprintf("%.15G", std::fabs(x));
    double v = exact.toDouble();
    const QString fixed = QString::asprintf("%.*f", decimals + 3, v);
    // Round the digit string by hand: half away from zero on the decimal representation.
    QString digits = fixed;
    const int dot = digits.indexOf(QLatin1Char('.'));
    QString ip = dot < 0 ? digits : digits.left(dot);
    QString fp = dot < 0 ? QString() : digits.mid(dot + 1);
    const bool roundUp = fp.size() > decimals && fp[decimals] >= QLatin1Char('5');
    fp = fp.left(decimals);
    if (roundUp) {
        QString all = ip + fp;
        int k = all.size() - 1;
        while (k >= 0) {
            if (all[k] == QLatin1Char('9')) { all[k] = QLatin1Char('0'); --k; }
            else { all[k] = QChar(all[k].unicode() + 1); break; }
        }
        if (k < 0) all.prepend(QLatin1Char('1'));
        ip = all.left(all.size() - decimals);
        fp = all.right(decimals);
    }
    while (ip.size() > 1 && ip.startsWith(QLatin1Char('0'))) ip.remove(0, 1);
    intPart = ip;
    fracPart = fp;
}

struct NumberPattern {
    QString prefix, suffix;            // literal text around the digits
    int minInt = 0;                    // '0' placeholders before the point
    bool grouping = false;             // ',' among the integer placeholders
    bool point = false;                // a decimal point in the pattern
    int minFrac = 0, maxFrac = 0;      // '0' and '0'/'#' placeholders after the point
    bool percent = false;
    bool exponent = false;
    QString expSign;                   // "+" or "-"
    int expDigits = 0;
    QChar expLetter = QLatin1Char('E');
};

NumberPattern parsePattern(const QString& p)
{
    NumberPattern n;
    enum { Before, Int, Frac, Exp, After } state = Before;
    int lastFracZero = 0, fracCount = 0;
    for (int i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        QString literal;
        if (c == QLatin1Char('"')) {
            const int end = p.indexOf(QLatin1Char('"'), i + 1);
            literal = p.mid(i + 1, (end < 0 ? p.size() : end) - i - 1);
            i = end < 0 ? p.size() : end;
        } else if (c == QLatin1Char('\\') && i + 1 < p.size()) {
            literal = p[++i];
        } else if ((c == QLatin1Char('0') || c == QLatin1Char('#')) && state != After) {
            if (state == Before) state = Int;
            if (state == Int) { if (c == QLatin1Char('0')) ++n.minInt; }
            else if (state == Frac) { ++fracCount; if (c == QLatin1Char('0')) lastFracZero = fracCount; }
            else if (state == Exp) ++n.expDigits;
            continue;
        } else if (c == QLatin1Char('.') && (state == Before || state == Int)) {
            n.point = true; state = Frac; continue;
        } else if (c == QLatin1Char(',') && state == Int) {
            n.grouping = true; continue;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && (state == Int || state == Frac)
                   && i + 1 < p.size() && (p[i + 1] == QLatin1Char('+') || p[i + 1] == QLatin1Char('-'))) {
            n.exponent = true; n.expLetter = c; n.expSign = p[++i]; state = Exp; continue;
        } else if (c == QLatin1Char('%')) {
            n.percent = true; literal = c;
        } else {
            literal = c;
        }
        if (state == Before) n.prefix += literal;
        else { state = After; n.suffix += literal; }
    }
    n.maxFrac = fracCount;
    n.minFrac = lastFracZero;
    return n;
}

QString group(const QString& digits, QChar sep)
{
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += sep;
        out += digits[i];
    }
    return out;
}

QString formatNumber(double x, const QString& section, bool withSign)
{
    const NumberPattern n = parsePattern(section);
    const QChar dec = VbLocale::decimalSeparator();
    if (n.percent) x *= 100.0;
    QString ip, fp, exp;
    if (n.exponent) {
        int e = x == 0.0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(x))));
        const int intDigits = std::max(1, n.minInt);
        e -= intDigits - 1;
        double m = x / std::pow(10.0, e);
        decimalDigits(m, n.maxFrac, ip, fp);
        if (ip.size() > intDigits) {  // rounding carried into a new digit: 9.99 -> 10.0
            ++e;
            decimalDigits(x / std::pow(10.0, e), n.maxFrac, ip, fp);
        }
        QString ed = QString::number(std::abs(e));
        while (ed.size() < n.expDigits) ed.prepend(QLatin1Char('0'));
        const QString sign = e < 0 ? QStringLiteral("-") : (n.expSign == QLatin1String("+") ? QStringLiteral("+") : QString());
        exp = n.expLetter + sign + ed;
    } else {
        decimalDigits(x, n.maxFrac, ip, fp);
    }
    while (fp.size() > n.minFrac && fp.endsWith(QLatin1Char('0'))) fp.chop(1);
    if (ip == QLatin1String("0") && n.minInt == 0) ip.clear();
    while (ip.size() < n.minInt) ip.prepend(QLatin1Char('0'));
    if (n.grouping) ip = group(ip, VbLocale::groupSeparator());
    QString body = ip;
    if (n.point) body += dec + fp;
    body += exp;
    const bool allZero = !std::any_of(body.begin(), body.end(), [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); });
    const QString sign = (withSign && x < 0 && !allZero) ? QStringLiteral("-") : QString();
    return sign + n.prefix + body + n.suffix;
}

QString formatDate(const Value& value, const QString& p)
{
    const DateValue d = CDate(value);
    const QDateTime dt = toDateTime(d);
    const QDate date = dt.date();
    const QTime time = dt.time();
    QString out;
    bool afterHour = false;
    auto two = [](int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); };
    for (int i = 0; i < p.size();) {
        const QChar c = p[i].toLower();
        int run = 1;
        while (i + run < p.size() && p[i + run].toLower() == c) ++run;
        if (c == QLatin1Char('"')) {
            const int end = p.indexOf(QLatin1Char('"'), i + 1);
            out += p.mid(i + 1, (end < 0 ? p.size() : end) - i - 1);
            i = end < 0 ? p.size() : end + 1;
            continue;
        }
        switch (c.unicode()) {
        case 'd':
            out += run >= 4 ? VbLocale::locale().dayName(date.dayOfWeek(), QLocale::LongFormat)
                 : run == 3 ? VbLocale::locale().dayName(date.dayOfWeek(), QLocale::ShortFormat)
                 : run == 2 ? two(date.day()) : QString::number(date.day());
            break;
        case 'm':
            if (afterHour && run <= 2) out += run == 2 ? two(time.minute()) : QString::number(time.minute());
            else out += run >= 4 ? VbLocale::locale().monthName(date.month(), QLocale::LongFormat)
                      : run == 3 ? VbLocale::locale().monthName(date.month(), QLocale::ShortFormat)
                      : run == 2 ? two(date.month()) : QString::number(date.month());
            break;
        case 'y':
            out += run >= 3 ? QString::number(date.year()) : two(date.year() % 100);
            break;
        case 'h': out += run >= 2 ? two(time.hour()) : QString::number(time.hour()); afterHour = true; i += run; continue;
        case 'n': out += run >= 2 ? two(time.minute()) : QString::number(time.minute()); break;
        case 's': out += run >= 2 ? two(time.second()) : QString::number(time.second()); break;
        case '\\': out += i + 1 < p.size() ? p[i + 1] : QChar(); i += 2; continue;
        default: out += p.mid(i, run); break;
        }
        if (c != QLatin1Char(':') && c != QLatin1Char(' ')) afterHour = false;
        i += run;
    }
    return out;
}

QString namedFormat(const Value& value, const QString& name, bool& handled)
{
    handled = true;
    const QString n = name.toLower();
    const QLocale& loc = VbLocale::locale();
    if (n == QLatin1String("short date")) return loc.toString(toDateTime(CDate(value)).date(), QLocale::ShortFormat);
    if (n == QLatin1String("long date")) return loc.toString(toDateTime(CDate(value)).date(), QLocale::LongFormat);
    if (n == QLatin1String("short time")) return formatDate(value, QStringLiteral("hh:nn"));
    if (n == QLatin1String("long time")) return formatDate(value, QStringLiteral("hh:nn:ss"));
    if (n == QLatin1String("general number")) return numberText(CDbl(value), 15, VbLocale::decimalSeparator());
    if (n == QLatin1String("fixed")) return formatNumber(CDbl(value), QStringLiteral("0.00"), true);
    if (n == QLatin1String("standard")) return formatNumber(CDbl(value), QStringLiteral("#,##0.00"), true);
    if (n == QLatin1String("percent")) return formatNumber(CDbl(value), QStringLiteral("0.00%"), true);
    if (n == QLatin1String("scientific")) return formatNumber(CDbl(value), QStringLiteral("0.00E+00"), true);
    handled = false;
    return QString();
}

}  // namespace

bool isNumberPattern(const QString& pattern)
{
    return namedNumberFormats().contains(pattern.toLower()) || patternKind(pattern).placeholders;
}

QString Format(const Value& value, const QString& pattern)
{
    if (value.isNull()) {
        const QStringList sections = pattern.split(QLatin1Char(';'));
        return sections.size() >= 4 ? sections[3] : QString();
    }
    if (pattern.isEmpty()) return toText(value);
    bool handled = false;
    const QString named = namedFormat(value, pattern, handled);
    if (handled) return named;
    if (isDatePattern(pattern)) {
        if (value.type() == VarType::Text && !IsDate(value) && !IsNumeric(value)) return value.asText();
        return formatDate(value, pattern);
    }
    if (!IsNumeric(value) || (value.type() == VarType::Text && value.asText().trimmed().isEmpty()))
        return value.type() == VarType::Text ? value.asText() : toText(value);
    const double x = CDbl(value);
    const QStringList sections = pattern.split(QLatin1Char(';'));
    if (x < 0 && sections.size() >= 2 && !sections[1].isEmpty()) return formatNumber(-x, sections[1], false);
    if (x == 0 && sections.size() >= 3 && !sections[2].isEmpty()) return formatNumber(x, sections[2], false);
    return formatNumber(x, sections[0], true);
}

}  // namespace vb
