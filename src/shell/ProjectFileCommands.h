#pragma once

#include "shell/MainCommands.h"

#include <QString>

class frmMAIN;

// The commands on whole database files: "Speichern" (the working copy becomes the project
// database) and "Komprimieren" (the working copy is compacted in place).
class ProjectFileCommands : MainCommands {
public:
    explicit ProjectFileCommands(frmMAIN& main) : MainCommands(main) {}

    // Returns true when the project database now holds the working copy.
    bool SPEICHERN();
    void KOMPRIMIEREN();

    // Above this size (in MB, one decimal) "Speichern" offers to compact first.
    static constexpr float kCompactionThresholdMB = 10.0f;
    // The message box's Help button (bound to the program's help file).

    // File size in MB (10^6 bytes), rounded to one decimal, as the messages show it.
    static float sizeMB(const QString& path);
    // The compaction target: the path up to its first ".mdb" (any case) + "TEMP.mdb".
    static QString compactionTarget(const QString& source);

private:
    // The working copy's size with everything written so far in the file itself.
    float workingCopySizeMB();
    // A project is replaced only by a database with the record tables, and only when it may
    // be written; otherwise a message says why not.
    bool mayReplaceProject(const QString& title);
    // Writes the working copy into the project, merged with what others saved meanwhile.
    // True when it was merged.
    bool writeProject(const QString& title);
    // How long (in tenths of a second) a save waits for another user's save to end.
    static constexpr int kSaveLockTries = 300;

};
