#pragma once

#include <QString>

class SessionContext;

// The per-user working copy of the project database. A note beside it names the project it
// was made from, so that a copy left by an interrupted run is never taken for another
// project's data.
class WorkingCopy {
public:
    enum class Start { Fresh, KeptFromInterruptedRun, Refused };

    explicit WorkingCopy(SessionContext& session) : session_(session) {}

    // The start-up step: copy the project, or offer what an interrupted run left.
    Start prepare();
    // The orderly end: the copy, its journal files and its note go.
    void remove();
    // Opens the session's connection on the copy, gives the copy the tables of the program's
    // edition and records the session's changes from then on.
    void open();
    // After a fresh copy: nothing is changed yet, and the copy holds the project state it was
    // taken from.
    void markTaken();

    QString ownerNote() const;
    // The file a running session holds locked: no second session may use the copy.
    QString lockFile() const;
    // True when the file is a database this program can work on: one with the record tables.
    static bool isUsable(const QString& path);

private:
    // Copies the project into a new working copy; one with foreign objects or over-long values
    // only after the user agreed, and then only its known data.
    bool copyFromProject();
    bool agreeToCleanCopy(const QString& problems);
    Start offerNewStart(const QString& english, const QString& german);
    Start offerInterruptedRun();
    Start offerOtherProjectsRun(const QString& ownerDatabase);
    void writeOwner();
    bool isProjectOfThisInstallation(const QString& database) const;
    // Shows that `path` is a link and is not used; false when it is none.
    bool refuseLink(const QString& path);
    QString owner() const;
    int ask(const QString& english, const QString& german, int buttons);
    void tell(const QString& english, const QString& german);

    SessionContext& session_;
    QString takenFile_;  // the identity of the project file the copy was taken from
};
