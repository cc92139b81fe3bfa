#pragma once

#include <QString>
#include <QStringList>

// The frame program's view of an installation:
//   <root>/KELMORA            this launcher
//   <root>/VELOR/velor         the module and its empty project database VELOR.mdb
//   <root>/VORLAGEN/           empty ARCHIV.mdb and VORGABE.mdb
//   <root>/INFOSYSTEM/         the information system (ARCHIV.mdb, VORGABE.mdb)
//   <root>/PROJEKTE/<name>/    one folder per project (VELOR.mdb, GRAFIK/, JPG/)
//   <root>/BENUTZER/<user>/    working copies (made by the module)
class Installation {
public:
    explicit Installation(QString root);

    const QString& root() const { return root_; }
    QString programFolder() const;
    QString program() const;
    QString templatesFolder() const;
    QString infoFolder() const;
    QString projectsFolder() const;

    // Creates the information system when it is missing and registers it in the settings
    // store ("KELMORA", "Extras", "Datenbankpfad").
    void ensureInformationSystem() const;
    // Creates a project folder with VELOR.mdb from the template and the GRAFIK and JPG
    // folders; an existing project keeps its database. Returns the project folder.
    QString createProject(const QString& projectsFolder, const QString& name) const;
    // Writes the user's ADMIN row: the current project, its folder and the editor.
    void registerUser(const QString& user, const QString& projectsFolder, const QString& project, const QString& bearbeiter) const;
    // The registered project folder and project of `user` (empty when none).
    bool registration(const QString& user, QString& projectsFolder, QString& project) const;
    // Names of the projects (folders holding a VELOR.mdb) in `projectsFolder`, sorted.
    static QStringList projects(const QString& projectsFolder);

    // Copies the launcher, the program folder and the templates into `target`.
    void copyTo(const QString& target) const;

private:
    QString root_;
};
