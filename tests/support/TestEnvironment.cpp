#include "support/TestEnvironment.h"

#include "platform/db/Connection.h"
#include "platform/db/DatabaseFile.h"
#include "platform/db/Recordset.h"
#include "platform/os/Os.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbLocale.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>

namespace {
QTemporaryDir& home()
{
    static QTemporaryDir dir;
    return dir;
}
vb::ScriptedUi& scripted()
{
    static vb::ScriptedUi ui;
    return ui;
}
}  // namespace

void TestEnvironment::prepareHome()
{
    qputenv("HOME", home().path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home().path() + QStringLiteral("/.config")).toUtf8());
    qputenv("USER", "tester");
    const QString runtime = home().path() + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
}

void TestEnvironment::install()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    vb::VbLocale::set(QLocale(QLocale::German, QLocale::Germany));
    vb::Ui::install(&scripted());
}

vb::ScriptedUi& TestEnvironment::ui() { return scripted(); }

QStringList TestEnvironment::column(db::Connection& connection, const QString& sql)
{
    QStringList out;
    db::Recordset rs(sql, connection);
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const vb::Value v = rs.field(0);
        out << (v.isNull() ? QStringLiteral("<null>") : vb::CStr(v));
    }
    return out;
}

TestInstallation::TestInstallation(const QString& programFolderName) : programFolderName_(programFolderName)
{
    QDir().mkpath(programFolder());
    QDir().mkpath(infoFolder());
    QDir().mkpath(projectsFolder());
    QFile::copy(TestEnvironment::velorTemplate(), programFolder() + QStringLiteral("/VELOR.mdb"));
    QFile::copy(TestEnvironment::archivTemplate(), infoFolder() + QStringLiteral("/ARCHIV.mdb"));
    QFile::copy(TestEnvironment::vorgabeTemplate(), infoFolder() + QStringLiteral("/VORGABE.mdb"));
    vb::Os::saveSetting(QStringLiteral("KELMORA"), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad"), infoFolder());
}

QString TestInstallation::addProject(const QString& project)
{
    QDir().mkpath(projectFolder(project));
    const QString db = projectFolder(project) + QStringLiteral("/VELOR.mdb");
    QFile::copy(TestEnvironment::velorTemplate(), db);
    return db;
}

void TestInstallation::registerUser(const QString& user, const QString& project, const QString& bearbeiter)
{
    db::Connection cn;
    cn.OpenFile(infoFolder() + QStringLiteral("/ARCHIV.mdb"));
    // One row per user, as the frame program keeps it: registering again moves the user.
    cn.Execute(QStringLiteral("DELETE FROM [ADMIN] WHERE [BENUTZER]='") + user.toUpper() + QLatin1Char('\''));
    db::Recordset rs(QStringLiteral("SELECT * FROM [ADMIN]"), cn);
    rs.AddNew();
    rs.setField(QStringLiteral("BENUTZER"), user.toUpper());
    rs.setField(QStringLiteral("PROG"), QStringLiteral("KELMORA"));
    rs.setField(QStringLiteral("PROJEKTSPFAD"), projectsFolder());
    rs.setField(QStringLiteral("PROJEKT"), project);
    rs.setField(QStringLiteral("BEARBEITER"), bearbeiter);
    rs.Update();
}
