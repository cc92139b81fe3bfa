#pragma once

#include "data/AdminTable.h"
#include "platform/os/FileLock.h"

#include <QString>

class SessionContext;

// The session's side of start-up and shutdown, apart from the window: the frame program's
// entry in the information system, the checks of project and template, the working copy and
// the connections; at the end the hand-back in ADMIN and the removal of the working copy.
class SessionStartup {
public:
    explicit SessionStartup(SessionContext& session) : session_(session) {}

    // The session takes its working copy for itself for as long as it runs. False when
    // another session of the same user holds it: the start ends before anything is touched.
    bool claimWorkingCopy();

    // Framed start: opens the information system and the presets, reads the user's ADMIN
    // row (marking the program as running) and checks project folder and template.
    // Stand-alone start: the fixed development project. False ends the start; the reason
    // has been shown.
    bool readFrameEntry();
    // Prepares the working copy (offering what an interrupted run left) and opens cnnX on
    // it. False ends the start.
    bool openWorkingCopy();

    // The end of a run: PROG back to the frame program; then the information system and the
    // presets are closed.
    void handBack();
    void closeInformationSystem();
    // The orderly end's last step: the working copy goes.
    void removeWorkingCopy();

    // A start-up message in the session's language: warning icon, OK, the program title.
    void message(const QString& english, const QString& german) const;

private:
    bool openInformationSystem();
    bool readAdminRow();
    bool checkInstallation();
    bool checkProjectPath();
    bool checkUserFolder();

    SessionContext& session_;
    AdminTable admin_;
    vb::FileLock lock_;
};
