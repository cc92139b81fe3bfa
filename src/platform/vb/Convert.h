#pragma once

#include "platform/vb/Value.h"

#include <QDateTime>
#include <QString>
#include <optional>

// The original language's conversions. Text to number and number to text use the
// session's decimal separator (VbLocale); rounding to whole numbers is half to even.
namespace vb {

bool CBool(const Value& v);
int16_t CInt(const Value& v);
int32_t CLng(const Value& v);
float CSng(const Value& v);
// CSng for value checks: none when the number is too large for a single, where CSng raises
// an overflow; checks report that as a value beyond their limits.
std::optional<float> fitSingle(const Value& v);
double CDbl(const Value& v);
QString CStr(const Value& v);
DateValue CDate(const Value& v);

// Converts to text the way string concatenation does: Null and Empty give "".
QString toText(const Value& v);

bool IsNumeric(const Value& v);
bool IsDate(const Value& v);

// Round(x, digits): half to even, as the language's Round.
double Round(double x, int digits = 0);

// Parses a number typed in the session's format (blanks around it, sign, decimal separator,
// exponent). The other separator is not accepted: "1.5" typed in a German session is not
// a number, rather than silently the number 15.
std::optional<double> parseNumber(const QString& text);
std::optional<DateValue> parseDate(const QString& text);

// Plain text of a number with the given significant digits (15 for Double, 7 for Single),
// using `decimal` as separator: the language's shortest form, "1E-05" for small values.
QString numberText(double x, int significantDigits, QChar decimal);

DateValue fromDateTime(const QDateTime& dt);
QDateTime toDateTime(DateValue d);

}  // namespace vb
