#pragma once

#include "data/ProjectVersion.h"

#include <QString>
#include <QStringList>
#include <cstdint>

class SessionContext;
namespace db { class Connection; }

// Brings what others saved into the project since the working copy was taken into the working
// copy, so that the next save adds this session's work to theirs instead of putting it over
// theirs. Records are independent units: a record this session did not change takes the
// project's state; a new record of this session whose number the project has meanwhile given
// to another gets the next free number, with all its rows; a record changed on both sides is
// the user's choice. One transaction: a failure leaves the working copy as it was.
class ProjectMerge {
public:
    ProjectMerge(SessionContext& session, QString title);

    // `base`: the project state the working copy was taken from. Returns the state it now holds.
    ProjectVersion run(const ProjectVersion& base);

private:
    void merge(const ProjectVersion& base, int32_t theirCounter);
    void collectTheirChanges(const ProjectVersion& base, int32_t theirCounter);
    void renumberCollidingNewRecords();
    void resolveRecordsChangedByBoth();
    void takeTheirRecords();
    void takeTheirBookkeeping();

    enum class Choice { Mine, Theirs, MineAsCopy };
    Choice ask(const QString& name, const QString& otherUser);
    void renumber(int32_t from, int32_t to);
    int32_t nextFreeId();
    bool inProject(int32_t id);
    bool differs(int32_t id);
    QString nameOf(int32_t id);
    QString copyName(const QString& name);
    QString lastSaverOf(int32_t id);
    QString columnsOf(const QString& table);

    SessionContext& session_;
    db::Connection& cn_;
    QString title_;
    QStringList tables_;        // the working copy's record tables
    QStringList sharedTables_;  // those the project has too
    int32_t highestId_ = 0;
};
