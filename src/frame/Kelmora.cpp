#include "frame/Kelmora.h"

#include "data/SessionContext.h"
#include "frame/DemoDiagram.h"
#include "platform/os/Os.h"
#include "platform/vb/VbError.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using vb::Os;

QString Kelmora::user() { return SessionContext().BENUTZER(); }

QString Kelmora::demoFolder(const QString& dir) const
{
    if (!dir.isEmpty() || QFileInfo(installation_.root()).isWritable()) return dir;
    return Os::join(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), QStringLiteral("KELMORA"));
}

Installation Kelmora::demo(const QString& requested) const
{
    Installation target = installation_;
    const QString dir = demoFolder(requested);
    if (!dir.isEmpty() && QDir(dir).absolutePath() != installation_.root()) {
        installation_.copyTo(dir);
        target = Installation(dir);
    }
    target.ensureInformationSystem();
    const QString project = target.createProject(target.projectsFolder(), QStringLiteral("DEMO"));
    const QString picture = Os::join(Os::join(project, QStringLiteral("GRAFIK")), QStringLiteral("Drucksetzung.jpg"));
    if (!Os::fileExists(picture)) DemoDiagram::save(picture);
    const QString straight = Os::join(Os::join(project, QStringLiteral("GRAFIK")), QStringLiteral("Versuchskurven.png"));
    if (!Os::fileExists(straight)) DemoDiagram::saveStraight(straight);
    const QString logarithmic = Os::join(Os::join(project, QStringLiteral("GRAFIK")), QStringLiteral("Dampfdruck.png"));
    if (!Os::fileExists(logarithmic)) DemoDiagram::saveLogarithmic(logarithmic);
    const QString turned = Os::join(Os::join(project, QStringLiteral("GRAFIK")), QStringLiteral("Versuchskurven-gedreht.png"));
    if (!Os::fileExists(turned)) DemoDiagram::saveTurned(turned);
    target.registerUser(user(), target.projectsFolder(), QStringLiteral("DEMO"), Os::userName());
    return target;
}

QString Kelmora::projectsFolder() const
{
    QString folder, project;
    if (installation_.registration(user(), folder, project) && !folder.isEmpty()) return folder;
    return installation_.projectsFolder();
}

QString Kelmora::currentProject() const
{
    QString folder, project;
    return installation_.registration(user(), folder, project) ? project : QString();
}

void Kelmora::selectProject(const QString& project, bool create) const
{
    installation_.ensureInformationSystem();
    const QString folder = projectsFolder();
    if (create) installation_.createProject(folder, project);
    // A name that is no project would send the next start to a folder without data.
    else if (!Installation::projects(folder).contains(project))
        vb::raise(vb::errFileNotFound, QStringLiteral("Project '%1' does not exist in %2 (--create makes it).").arg(project, folder));
    installation_.registerUser(user(), folder, project, Os::userName());
}

int Kelmora::startModule(const QStringList& arguments, bool wait) const
{
    if (wait) return QProcess::execute(installation_.program(), arguments);
    return QProcess::startDetached(installation_.program(), arguments) ? 0 : -1;
}
