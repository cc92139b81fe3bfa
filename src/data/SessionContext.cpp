#include "data/SessionContext.h"

#include "platform/os/Os.h"
#include "platform/os/SafePath.h"
#include "platform/vb/VbLocale.h"

#include <QDir>
#include <QFile>

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
    const QString users = usersFolder();
    const QString user = BENUTZER();
    QDir().mkpath(users);
    // Only the user may read a working copy; a name that is no plain folder name creates
    // nothing (start-up refuses it).
    if (vb::SafePath::isPlainName(user)) QDir(users).mkdir(user, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return Os::join(Os::join(users, user), title() + QStringLiteral(".mdb"));
}

QString SessionContext::usersFolder() const { return Os::join(installationFolder(), QStringLiteral("BENUTZER")); }

QString SessionContext::projectsRoot() const { return Os::join(installationFolder(), QStringLiteral("PROJEKTE")); }

QString SessionContext::installationFolder() const { return Os::parentFolder(programFolder_); }

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

void SessionContext::setLanguage(int16_t sprache)
{
    sprache_ = sprache;
    vb::VbLocale::setEnglish(sprache == 1);
}

void SessionContext::setDecimalSeparator(const QString& separator)
{
    dezimalpunkt_ = separator;
    if (!separator.isEmpty()) vb::VbLocale::setDecimalSeparator(separator.at(0));
}
