#pragma once

#include "platform/vb/Value.h"

#include <QString>

namespace vb {

// The language's Format(value, pattern) for the patterns this program uses: number patterns
// with 0 / # placeholders, a decimal point, grouping, percent, exponent and up to four
// ';' sections ("0.0##", "#0.000#", "####0", "0.00E+00"), date and time patterns
// ("hh:mm", "dd.mm.yyyy", "hh:nn:ss") and the named formats ("Short Date", "Fixed", ...).
// An empty pattern gives the value's plain text. Text that is not a number is returned as
// it stands when a number pattern is applied. Separators follow the session (VbLocale).
QString Format(const Value& value, const QString& pattern = QString());

// True for a pattern that formats numbers: digit placeholders ("0.000", "#0") or a named
// number format ("Fixed", "Percent", ...); false for date patterns, plain text and "".
bool isNumberPattern(const QString& pattern);

}  // namespace vb
