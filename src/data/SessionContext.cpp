#include "data/SessionContext.h"

#include "platform/os/Os.h"
#include "platform/vb/VbLocale.h"

#include <QDir>

using vb::Os;

SessionContext::SessionContext() : programFolder_(Os::programFolder()) {}

QString SessionContext::BENUTZER() const
{
    const QString name = Os::userName();
    return name.isEmpty() ? QStringLiteral("UNBEK.") : name.toUpper();
}

QString SessionContext::DATENBANKPFAD() const
{
    return Os::getSetting(QStringLiteral("KELMORA"), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad"));
}

QString SessionContext::XMDBPFAD() const
{
    const QString users = Os::join(Os::parentFolder(programFolder_), QStringLiteral("BENUTZER"));
    const QString mine = Os::join(users, BENUTZER());
    QDir().mkpath(mine);
    return Os::join(mine, title() + QStringLiteral(".mdb"));
}

bool SessionContext::isStandAlone() const { return programFolder_.contains(QLatin1String("SOURCE"), Qt::CaseInsensitive); }

QString SessionContext::projectFolder() const { return Os::join(projektspfad_, projekt_); }

QString SessionContext::projectDatabase() const { return Os::join(projectFolder(), title() + QStringLiteral(".mdb")); }

QString SessionContext::templateDatabase() const { return Os::join(programFolder_, title() + QStringLiteral(".mdb")); }

QString SessionContext::archiveDatabase() const { return Os::join(DATENBANKPFAD(), QStringLiteral("ARCHIV.mdb")); }

QString SessionContext::presetsDatabase() const { return Os::join(DATENBANKPFAD(), QStringLiteral("VORGABE.mdb")); }

void SessionContext::setProject(const QString& projektspfad, const QString& projekt, const QString& bearbeiter)
{
    projektspfad_ = projektspfad;
    projekt_ = projekt;
    bearbeiter_ = bearbeiter;
}

void SessionContext::setDecimalSeparator(const QString& separator)
{
    dezimalpunkt_ = separator;
    if (!separator.isEmpty()) vb::VbLocale::setDecimalSeparator(separator.at(0));
}
