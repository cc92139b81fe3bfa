#pragma once

#include "platform/ui/ScriptedUi.h"

#include <QStringList>

namespace db { class Connection; }

#include <QString>
#include <QTemporaryDir>
#include <memory>

// Shared fixtures of all test programs.
class TestEnvironment {
public:
    // Points HOME and XDG_CONFIG_HOME at a fresh temporary folder (before QApplication).
    static void prepareHome();
    // Installs the scripted Ui and the German test locale.
    static void install();
    static vb::ScriptedUi& ui();

    // The folder with the built templates (VELOR.mdb in VELOR/, ARCHIV.mdb and VORGABE.mdb in VORLAGEN/).
    static QString stageFolder() { return QStringLiteral(VELOR_STAGE_DIR); }
    static QString velorTemplate() { return stageFolder() + QStringLiteral("/VELOR/VELOR.mdb"); }
    static QString archivTemplate() { return stageFolder() + QStringLiteral("/VORLAGEN/ARCHIV.mdb"); }
    static QString vorgabeTemplate() { return stageFolder() + QStringLiteral("/VORLAGEN/VORGABE.mdb"); }

    // The first column of a query's rows as text ("<null>" for NULL), for comparing table contents.
    static QStringList column(db::Connection& connection, const QString& sql);
};

// A throw-away installation for one test: <root>/VELOR (program folder with the template),
// <root>/INFO (ARCHIV.mdb, VORGABE.mdb, registered in the settings), <root>/PROJEKTE/<project>.
class TestInstallation {
public:
    explicit TestInstallation(const QString& programFolderName = QStringLiteral("VELOR"));

    QString root() const { return dir_.path(); }
    QString programFolder() const { return root() + QLatin1Char('/') + programFolderName_; }
    QString infoFolder() const { return root() + QStringLiteral("/INFO"); }
    QString projectsFolder() const { return root() + QStringLiteral("/PROJEKTE"); }
    QString projectFolder(const QString& project) const { return projectsFolder() + QLatin1Char('/') + project; }

    // Creates a project folder with a project database made from the template.
    QString addProject(const QString& project);
    // Writes the user's ADMIN row (user name as the session reads it).
    void registerUser(const QString& user, const QString& project, const QString& bearbeiter = QStringLiteral("Tester"));

private:
    QTemporaryDir dir_;
    QString programFolderName_;
};

// Readable failure output for texts.
#include <ostream>
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
