#pragma once

#include "platform/db/Connection.h"

#include <QString>
#include <optional>

// The ADMIN table of the information system (ARCHIV.mdb): one row per user that names the
// user's current project and the program the user runs. The frame program writes the
// project; the module marks itself as running at start and hands back at the end.
class AdminTable {
public:
    struct Entry {
        QString projectsFolder;  // PROJEKTSPFAD
        QString project;         // PROJEKT
        QString bearbeiter;      // BEARBEITER
    };

    // Opens the information system's ARCHIV.mdb (raises when it cannot be opened).
    void open(const QString& archivePath);
    void close() { cn_.Close(); }
    db::Connection& connection() { return cn_; }

    // The user's entry; none when the frame program has not registered the user.
    std::optional<Entry> entry(const QString& user);
    // The same, and PROG of the user's row becomes `program`.
    std::optional<Entry> enter(const QString& user, const QString& program);
    // PROG of the user's row becomes `program` (the frame program at the end of a run).
    void setProgram(const QString& user, const QString& program);
    // Writes the user's row (a new one when there is none); PROG names the frame program.
    void registerUser(const QString& user, const Entry& entry);

    static QString frameProgram() { return QStringLiteral("KELMORA"); }

private:
    std::optional<Entry> read(const QString& user, const QString* program);

    db::Connection cn_;
};
