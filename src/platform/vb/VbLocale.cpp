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

}  // namespace vb
