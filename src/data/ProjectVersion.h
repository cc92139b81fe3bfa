#pragma once

#include <QString>
#include <cstdint>

namespace db { class Connection; }

// Which state of a project a working copy holds: the change counter the project keeps (every
// save raises it) and the identity of its file (every save puts a new file in place, so a
// project written by a program that knows no counter shows as changed too).
struct ProjectVersion {
    int32_t counter = 0;
    QString file;

    bool operator==(const ProjectVersion&) const = default;

    // The project file as it lies now.
    static ProjectVersion of(const QString& path);
    // The counter a database holds (0 for one that keeps none).
    static int32_t counterOf(db::Connection& cn, const QString& schema = QStringLiteral("main"));
    // Device, inode, size and modification time: what changes when anybody replaces or writes the file.
    static QString fileIdentity(const QString& path);
};
