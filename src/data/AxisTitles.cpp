#include "data/AxisTitles.h"

namespace {

// Where the unit starts: the last opening bracket of a title that ends with its closing one.
qsizetype unitStart(const QString& title)
{
    const QString t = title.trimmed();
    if (!t.endsWith(QLatin1Char(']'))) return -1;
    return t.lastIndexOf(QLatin1Char('['));
}

}  // namespace

QString AxisTitles::name(const QString& title)
{
    const qsizetype at = unitStart(title);
    return (at < 0 ? title : title.trimmed().left(at)).trimmed();
}

QString AxisTitles::unit(const QString& title)
{
    const qsizetype at = unitStart(title);
    return at < 0 ? QString() : title.trimmed().mid(at);
}
