#include "platform/vb/VbLocale.h"

namespace vb {

namespace {
QLocale& currentLocale()
{
    static QLocale locale = QLocale::system();
    return locale;
}
QChar& currentSeparator()
{
    static QChar separator = QLocale::system().decimalPoint().at(0);
    return separator;
}
bool& currentEnglish()
{
    static bool english = false;
    return english;
}
}  // namespace

void VbLocale::set(const QLocale& locale)
{
    currentLocale() = locale;
    currentSeparator() = locale.decimalPoint().at(0);
}

void VbLocale::setDecimalSeparator(QChar separator) { currentSeparator() = separator; }

QChar VbLocale::decimalSeparator() { return currentSeparator(); }

QChar VbLocale::groupSeparator() { return currentSeparator() == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(','); }

const QLocale& VbLocale::locale() { return currentLocale(); }

void VbLocale::setEnglish(bool english) { currentEnglish() = english; }

bool VbLocale::english() { return currentEnglish(); }

}  // namespace vb
