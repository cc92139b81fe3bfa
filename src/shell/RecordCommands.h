#pragma once

#include "shell/MainCommands.h"

#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>

class frmMAIN;
class mdiEINGABE;

// The record commands of the "Datei" menu and the two panels that save or discard what was
// typed into the entry window. They work on the working copy only.
class RecordCommands : MainCommands {
public:
    explicit RecordCommands(frmMAIN& main) : MainCommands(main) {}

    void NEU();
    void OEFFNEN();
    void AUSWAHL();
    void EXPIMP();
    void LOESCHEN();
    // Panel 8: the entry window's input becomes a record (new, or overwriting one of that name).
    void saveInput();
    // Panel 9: the input is dropped.
    void discardInput();

    mdiEINGABE* entryWindow() const { return eingabe_; }

private:
    // Shows the selection dialog in `mode`; true when the user confirmed.
    bool showSelection(const QString& mode);
    void showEntryWindow();
    void closeEntryWindow();
    void setEntryWindow(mdiEINGABE* window);
    // The record number the input is saved under; none when the user refused to overwrite.
    std::optional<int32_t> chooseRecordId(const QString& name);

    QPointer<mdiEINGABE> eingabe_;
};
