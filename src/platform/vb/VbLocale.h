#pragma once

#include <QChar>
#include <QLocale>

namespace vb {

// The locale the session converts numbers and dates with: the decimal separator the user
// types and reads, and the date layouts. Set once at start-up (tests set it explicitly).
class VbLocale {
public:
    static void set(const QLocale& locale);
    static void setDecimalSeparator(QChar separator);
    static QChar decimalSeparator();
    // The separator that is not the decimal one ("," when the decimal is ".", else ".").
    static QChar groupSeparator();
    static const QLocale& locale();
    // Whether the program speaks English (else German) in the messages of this layer.
    static void setEnglish(bool english);
    static bool english();
};

}  // namespace vb
