#pragma once

namespace db { class Connection; }

// The edition of the project database this program writes. A project made by an older
// edition gets the tables it lacks when its working copy is opened; the tables it has keep
// their columns, so older programs still read a project this one has written.
class ProjectSchema {
public:
    static void upgrade(db::Connection& connection);
};
