#include "platform/ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

QTranslator& translator()
{
    static QTranslator instance;
    return instance;
}

}  // namespace

bool QtTranslations::use(bool german)
{
    QCoreApplication::removeTranslator(&translator());
    if (!german) return true;
    // "qt_de" names qtbase's catalogue and those of the other installed Qt modules.
    if (!translator().load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qt"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator());
}
