#pragma once

#include "platform/ui/Ui.h"

#include <QElapsedTimer>

namespace vb {

// The service on real windows: QMessageBox, QInputDialog, exec(), processEvents.
class QtUi : public Ui {
public:
    QtUi();
    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    void ShowModal(QDialog& dialog) override;
    std::optional<OleColor> ChooseColor(OleColor initial) override;
    void DoEvents() override;
    void Sleep(int milliseconds) override;
    void SetPointer(Pointer pointer) override;
    bool OpenDocument(const QString& path) override;
    QString SaveFileName(const QString& title, const QString& proposedPath, const QString& filter) override;
    QString OpenFileName(const QString& title, const QString& folder, const QString& filter) override;

private:
    QElapsedTimer sinceEvents_;
    bool pointerOverridden_ = false;
};

}  // namespace vb
