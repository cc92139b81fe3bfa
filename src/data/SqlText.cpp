#include "data/SqlText.h"

#include "platform/vb/Convert.h"

namespace sqltext {

namespace {

// The language's shortest form, but written out without an exponent: "1E-05" would be read
// as a name followed by a subtraction once the statement's literals are lifted out.
QString plainNumber(double x, int significantDigits)
{
    const QString s = vb::numberText(x, significantDigits, QLatin1Char('.'));
    const int e = s.indexOf(QLatin1Char('E'));
    if (e < 0) return s;
    // Move the decimal point of the mantissa by the exponent.
    QString mantissa = s.left(e);
    const int exponent = s.mid(e + 1).toInt();
    const bool negative = mantissa.startsWith(QLatin1Char('-'));
    if (negative) mantissa.remove(0, 1);
    int point = mantissa.indexOf(QLatin1Char('.'));
    if (point < 0) point = mantissa.size();
    QString digits = mantissa;
    digits.remove(QLatin1Char('.'));
    int newPoint = point + exponent;
    if (newPoint <= 0) {
        digits.prepend(QString(-newPoint, QLatin1Char('0')));
        newPoint = 0;
    } else if (newPoint > digits.size()) {
        digits.append(QString(newPoint - digits.size(), QLatin1Char('0')));
    }
    QString out = digits.left(newPoint);
    if (out.isEmpty()) out = QStringLiteral("0");
    const QString fraction = digits.mid(newPoint);
    if (!fraction.isEmpty()) out += QLatin1Char('.') + fraction;
    return negative ? QLatin1Char('-') + out : out;
}

}  // namespace

QString indexValue(const vb::Value& value)
{
    using vb::VarType;
    switch (value.type()) {
    case VarType::Empty:
    case VarType::Null: return QString();
    case VarType::Boolean: return value.asBool() ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Integer: return QString::number(value.asInteger());
    case VarType::Long: return QString::number(value.asLong());
    case VarType::Single: return plainNumber(value.asSingle(), 7);
    case VarType::Double: return plainNumber(value.asDouble(), 15);
    case VarType::Date: return plainNumber(value.asDateSerial(), 15);
    case VarType::Text: return value.asText();
    }
    return QString();
}

}  // namespace sqltext
