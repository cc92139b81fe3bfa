#include "platform/vb/Convert.h"

#include "platform/vb/VbError.h"
#include "platform/vb/VbLocale.h"

#include <cmath>
#include <limits>

namespace vb {

namespace {

const QDate kEpoch(1899, 12, 30);

// The locale's short date with a four-digit year, as the language writes dates ("16.03.2023"
// in German): Qt's two-digit form would come back from a round trip as 1923.
QString shortDateFormat(const QLocale& loc)
{
    QString f = loc.dateFormat(QLocale::ShortFormat);
    if (!f.contains(QLatin1String("yyyy"))) f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return f;
}

double roundHalfEven(double x)
{
    const double r = std::nearbyint(x);  // default rounding mode: to nearest, ties to even
    return r;
}

double numericValue(const Value& v)
{
    switch (v.type()) {
    case VarType::Empty: return 0.0;
    case VarType::Null: raise(errInvalidNull);
    case VarType::Boolean: return v.asBool() ? -1.0 : 0.0;
    case VarType::Integer: return v.asInteger();
    case VarType::Long: return v.asLong();
    case VarType::Single: return v.asSingle();
    case VarType::Double: return v.asDouble();
    case VarType::Date: return v.asDateSerial();
    case VarType::Text: {
        if (auto d = parseNumber(v.asText())) return *d;
        if (auto dt = parseDate(v.asText())) return dt->serial;
        raise(errTypeMismatch);
    }
    }
    raise(errTypeMismatch);
}

template <typename T>
T checkedWhole(double x)
{
    const double r = roundHalfEven(x);
    if (!std::isfinite(r) || r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max())
        raise(errOverflow);
    return static_cast<T>(r);
}

}  // namespace

bool CBool(const Value& v)
{
    if (v.type() == VarType::Text) {
        const QString t = v.asText().trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String("Wahr"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String("Falsch"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return numericValue(v) != 0.0;
}

int16_t CInt(const Value& v) { return checkedWhole<int16_t>(numericValue(v)); }

int32_t CLng(const Value& v) { return checkedWhole<int32_t>(numericValue(v)); }

float CSng(const Value& v)
{
    if (v.type() == VarType::Single) return v.asSingle();
    const double d = numericValue(v);
    if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) raise(errOverflow);
    return static_cast<float>(d);
}

std::optional<float> fitSingle(const Value& v)
{
    try {
        return CSng(v);
    } catch (const VbError& e) {
        if (e.number() != errOverflow) throw;
        return std::nullopt;
    }
}

double CDbl(const Value& v) { return numericValue(v); }

QString numberText(double x, int significantDigits, QChar decimal)
{
    if (x == 0.0) return QStringLiteral("0");
    QString s = QString::asprintf("%.*G", significantDigits, x);
    // %G keeps trailing zeros out but writes exponents as E+05; the language writes E+05 too,
    // and E-05 for small numbers, so only the decimal point needs to follow the session.
    const int e = s.indexOf(QLatin1Char('E'));
    if (e >= 0) {
        QString mantissa = s.left(e);
        QString exponent = s.mid(e + 1);  // sign and at least two digits
        const QChar sign = exponent.at(0);
        QString digits = exponent.mid(1);
        while (digits.size() > 2 && digits.startsWith(QLatin1Char('0'))) digits.remove(0, 1);
        s = mantissa + QLatin1Char('E') + sign + digits;
    }
    s.replace(QLatin1Char('.'), decimal);
    return s;
}

QString CStr(const Value& v)
{
    const QChar dec = VbLocale::decimalSeparator();
    switch (v.type()) {
    case VarType::Empty: return QString();
    case VarType::Null: raise(errInvalidNull);
    case VarType::Boolean: return v.asBool() ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Integer: return QString::number(v.asInteger());
    case VarType::Long: return QString::number(v.asLong());
    case VarType::Single: return numberText(v.asSingle(), 7, dec);
    case VarType::Double: return numberText(v.asDouble(), 15, dec);
    case VarType::Text: return v.asText();
    case VarType::Date: {
        const DateValue d{v.asDateSerial()};
        const QDateTime dt = toDateTime(d);
        const QLocale& loc = VbLocale::locale();
        const double whole = std::floor(d.serial);
        const bool hasTime = d.serial != whole;
        const bool hasDate = whole != 0.0;
        if (hasDate && !hasTime) return loc.toString(dt.date(), shortDateFormat(loc));
        if (!hasDate) return dt.time().toString(QStringLiteral("hh:mm:ss"));
        return loc.toString(dt.date(), shortDateFormat(loc)) + QLatin1Char(' ')
               + dt.time().toString(QStringLiteral("hh:mm:ss"));
    }
    }
    return QString();
}

QString toText(const Value& v)
{
    if (v.isNull() || v.isEmpty()) return QString();
    return CStr(v);
}

DateValue CDate(const Value& v)
{
    switch (v.type()) {
    case VarType::Date: return DateValue{v.asDateSerial()};
    case VarType::Text:
        if (auto d = parseDate(v.asText())) return *d;
        if (auto n = parseNumber(v.asText())) return DateValue{*n};
        raise(errTypeMismatch);
    default: return DateValue{numericValue(v)};
    }
}

bool IsNumeric(const Value& v)
{
    if (v.type() == VarType::Text) return parseNumber(v.asText()).has_value();
    return v.isEmpty() || v.isNumeric();
}

bool IsDate(const Value& v)
{
    if (v.type() == VarType::Date) return true;
    return v.type() == VarType::Text && parseDate(v.asText()).has_value();
}

double Round(double x, int digits)
{
    if (digits <= 0) return roundHalfEven(x);
    const double scale = std::pow(10.0, digits);
    // Decide the tie on the 15-digit decimal form, as the language sees the number.
    const double scaled = std::stod(QString::asprintf("%.15G", x * scale).toStdString());
    return roundHalfEven(scaled) / scale;
}

std::optional<double> parseNumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    const QChar dec = VbLocale::decimalSeparator();
    QString plain;
    plain.reserve(t.size());
    int i = 0;
    if (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')) plain += t[i++];
    bool digits = false, point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128) { plain += c; digits = true; }
        else if (c == dec && !point) { plain += QLatin1Char('.'); point = true; }
        else break;
    }
    if (!digits) return std::nullopt;
    if (i < t.size() && (t[i] == QLatin1Char('E') || t[i] == QLatin1Char('e')
                         || t[i] == QLatin1Char('D') || t[i] == QLatin1Char('d'))) {
        plain += QLatin1Char('E');
        ++i;
        if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) plain += t[i++];
        bool expDigits = false;
        for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i) { plain += t[i]; expDigits = true; }
        if (!expDigits) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    bool ok = false;
    const double d = plain.toDouble(&ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

std::optional<DateValue> parseDate(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    static const char* dateForms[] = {"d.M.yyyy", "d.M.yy", "yyyy-MM-dd", "M/d/yyyy", "M/d/yy", "d.M."};
    static const char* timeForms[] = {"H:mm:ss", "H:mm", "H:mm:ss.zzz"};
    const QLocale& loc = VbLocale::locale();

    auto tryDate = [&](const QString& s) -> std::optional<QDate> {
        QDate d = loc.toDate(s, QLocale::ShortFormat);
        if (d.isValid()) {
            // Qt reads a two-digit year as 19xx; the language puts 00-29 into 2000-2029.
            if (!loc.dateFormat(QLocale::ShortFormat).contains(QLatin1String("yyyy")) && d.year() < 1930)
                d = d.addYears(100);
            return d;
        }
        for (const char* f : dateForms) {
            d = QDate::fromString(s, QLatin1String(f));
            if (d.isValid()) {
                if (QLatin1String(f) == QLatin1String("d.M.")) d.setDate(QDate::currentDate().year(), d.month(), d.day());
                // Qt reads "yy" as 19xx; the language puts 00-29 into 2000-2029.
                if (QLatin1String(f).endsWith(QLatin1String("/yy")) || QLatin1String(f).endsWith(QLatin1String(".yy")))
                    if (d.year() < 1930) d = d.addYears(100);
                return d;
            }
        }
        return std::nullopt;
    };
    auto tryTime = [&](const QString& s) -> std::optional<QTime> {
        for (const char* f : timeForms) {
            const QTime tm = QTime::fromString(s, QLatin1String(f));
            if (tm.isValid()) return tm;
        }
        return std::nullopt;
    };

    if (auto d = tryDate(t)) return fromDateTime(QDateTime(*d, QTime(0, 0), Qt::UTC));
    if (auto tm = tryTime(t)) return DateValue{tm->msecsSinceStartOfDay() / 86400000.0};
    const int blank = t.indexOf(QLatin1Char(' '));
    if (blank > 0) {
        auto d = tryDate(t.left(blank));
        auto tm = tryTime(t.mid(blank + 1).trimmed());
        if (d && tm) return fromDateTime(QDateTime(*d, *tm, Qt::UTC));
    }
    return std::nullopt;
}

DateValue fromDateTime(const QDateTime& dt)
{
    const double days = static_cast<double>(kEpoch.daysTo(dt.date()));
    return DateValue{days + dt.time().msecsSinceStartOfDay() / 86400000.0};
}

QDateTime toDateTime(DateValue d)
{
    const double whole = std::floor(d.serial);
    const double fraction = d.serial - whole;
    const QDate date = kEpoch.addDays(static_cast<qint64>(whole));
    const int ms = static_cast<int>(std::llround(fraction * 86400000.0));
    // Calendar arithmetic only: UTC keeps time-zone look-ups and daylight saving out of it.
    return QDateTime(date, QTime(0, 0), Qt::UTC).addMSecs(ms);
}

}  // namespace vb
