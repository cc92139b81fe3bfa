#include "frame/Installation.h"

#include "data/AdminTable.h"
#include "platform/db/DatabaseFile.h"
#include "platform/os/Os.h"
#include "platform/vb/VbError.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

using vb::Os;

Installation::Installation(QString root) : root_(QDir(root).absolutePath()) {}

QString Installation::programFolder() const { return Os::join(root_, QStringLiteral("VELOR")); }
QString Installation::program() const { return Os::join(programFolder(), QStringLiteral("velor")); }
QString Installation::templatesFolder() const { return Os::join(root_, QStringLiteral("VORLAGEN")); }
QString Installation::infoFolder() const { return Os::join(root_, QStringLiteral("INFOSYSTEM")); }
QString Installation::projectsFolder() const { return Os::join(root_, QStringLiteral("PROJEKTE")); }

void Installation::ensureInformationSystem() const
{
    QDir().mkpath(infoFolder());
    for (const QString name : {QStringLiteral("ARCHIV.mdb"), QStringLiteral("VORGABE.mdb")}) {
        const QString target = Os::join(infoFolder(), name);
        if (!Os::fileExists(target)) db::DatabaseFile::copy(Os::join(templatesFolder(), name), target);
    }
    Os::saveSetting(QStringLiteral("KELMORA"), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad"), infoFolder());
}

QString Installation::createProject(const QString& projectsFolder, const QString& name) const
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".") || name == QLatin1String(".."))
        vb::raise(vb::errInvalidCall, QStringLiteral("'%1' is not a valid project name.").arg(name));
    const QString folder = Os::join(projectsFolder, name);
    QDir().mkpath(Os::join(folder, QStringLiteral("GRAFIK")));
    QDir().mkpath(Os::join(folder, QStringLiteral("JPG")));
    const QString database = Os::join(folder, QStringLiteral("VELOR.mdb"));
    if (!Os::fileExists(database)) db::DatabaseFile::copy(Os::join(programFolder(), QStringLiteral("VELOR.mdb")), database);
    return folder;
}

void Installation::registerUser(const QString& user, const QString& projectsFolder, const QString& project,
                                const QString& bearbeiter) const
{
    AdminTable admin;
    admin.open(Os::join(infoFolder(), QStringLiteral("ARCHIV.mdb")));
    admin.registerUser(user, {projectsFolder, project, bearbeiter});
}

bool Installation::registration(const QString& user, QString& projectsFolder, QString& project) const
{
    const QString archive = Os::join(infoFolder(), QStringLiteral("ARCHIV.mdb"));
    if (!db::DatabaseFile::isDatabase(archive)) return false;
    AdminTable admin;
    admin.open(archive);
    const auto entry = admin.entry(user);
    if (!entry) return false;
    projectsFolder = entry->projectsFolder;
    project = entry->project;
    return true;
}

QStringList Installation::projects(const QString& projectsFolder)
{
    QStringList names;
    const QStringList folders = QDir(projectsFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& f : folders)
        if (!Os::findFileNoCase(Os::join(projectsFolder, f), QStringLiteral("VELOR.mdb")).isEmpty()) names.append(f);
    return names;
}

void Installation::copyTo(const QString& target) const
{
    const QString from = root_;
    auto copyFile = [&](const QString& relative) {
        const QString src = Os::join(from, relative);
        const QString dst = Os::join(target, relative);
        QDir().mkpath(QFileInfo(dst).absolutePath());
        QFile::remove(dst);
        if (!QFile::copy(src, dst)) vb::raise(vb::errPathAccess, QStringLiteral("Cannot copy %1 to %2.").arg(src, dst));
        QFile(dst).setPermissions(QFile(src).permissions());
    };
    copyFile(QStringLiteral("KELMORA"));
    for (const QString folder : {QStringLiteral("VELOR"), QStringLiteral("VORLAGEN")}) {
        QDirIterator it(Os::join(from, folder), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) copyFile(QDir(from).relativeFilePath(it.next()));
    }
}
