#pragma once

#include "frame/Installation.h"

#include <QString>
#include <QStringList>

// What the frame program does for VELOR: build a demo installation, create and register
// projects, and start the module.
class Kelmora {
public:
    explicit Kelmora(Installation installation) : installation_(std::move(installation)) {}

    const Installation& installation() const { return installation_; }
    // The user as the module sees it (upper case).
    static QString user();

    // Builds a complete demo installation in the own root (or copies the program into `dir`
    // first): information system, settings key, project "DEMO" with a sample scan, and the
    // user's registration. An existing demo keeps its data. Returns the installation used.
    // An installation the user cannot write (the package's) builds its demo in the user's
    // data folder (~/.local/share/KELMORA) when no `dir` is given.
    Installation demo(const QString& dir) const;
    // Makes `project` the user's current project, creating it when asked.
    void selectProject(const QString& project, bool create) const;
    // The projects folder of the user's registration, or the installation's own.
    QString projectsFolder() const;
    // The user's current project (empty when the user is not registered).
    QString currentProject() const;
    // Starts the module. With `wait` the call returns its exit code, else 0 once it runs
    // (-1 when it could not be started).
    int startModule(const QStringList& arguments, bool wait) const;

private:
    QString demoFolder(const QString& dir) const;

    Installation installation_;
};
