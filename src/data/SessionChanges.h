#pragma once

#include "data/ProjectVersion.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace db { class Connection; }

// What this session changed in its working copy, record by record, and which state of the
// project the copy was taken from. Both are kept in the working copy itself, so that a run
// that was interrupted and is taken up again still knows them; neither goes into the project.
// The project keeps its change counter and, per record, the save that last changed it.
class SessionChanges {
public:
    struct Change {
        int32_t id = 0;
        bool isNew = false;  // the record did not exist when the copy was taken
    };

    explicit SessionChanges(db::Connection& cn) : cn_(cn) {}

    // Creates the bookkeeping tables where missing and records from now on every change this
    // connection makes to a record's rows. A column AKT only marks the session's choice of
    // records and is no change.
    void track();
    void stopTracking();

    // The project state the copy holds; none for a copy made by an older program.
    std::optional<ProjectVersion> base();
    void setBase(const ProjectVersion& version);
    std::vector<Change> changes();

    // The statements that turn a copy of the working copy into save number `counter` of
    // `user`: the project's counter, and the records this session changed marked with both;
    // the session's bookkeeping goes.
    static QString asSaved(int32_t counter, const QString& user);
    // After the save: the working copy holds the same, nothing is unsaved, and the project
    // state is `saved`.
    void saved(int32_t counter, const QString& user, const ProjectVersion& saved);
    // After a fresh copy: nothing is unsaved, and the project state is `taken`.
    void taken(const ProjectVersion& taken);

    // The statements that remove the session's bookkeeping from a copy of the working copy.
    static QString withoutSessionTables();

private:
    db::Connection& cn_;
};
