#pragma once

#include "platform/db/Connection.h"

#include <QDialog>
#include <functional>
#include <memory>

class DriveList;
class FolderList;
class QGroupBox;
class QListWidget;
class QPushButton;
class ShellWindow;

// Export/Import: copies whole records between the current project (its working copy) and
// another project on disk, chosen with the drive and folder lists. Each record arrives with
// all its rows under a new record number.
class frmEXPIMP : public QDialog {
    Q_OBJECT
public:
    explicit frmEXPIMP(ShellWindow& shell, QWidget* parent = nullptr);
    ~frmEXPIMP() override;

    void Form_Load();
    void drvEXP_Change();
    void dirEXP_Change();
    void cmdEXP_Click();
    void cmdIMP_Click();
    void cmdSCHLIESSEN_Click();
    void Form_Unload();

    bool otherProjectOpen() const { return otherOpen_; }
    db::Connection& otherProject() { return *other_; }

    QGroupBox* fraIMP = nullptr;
    QListWidget* lstIMP = nullptr;
    QGroupBox* fraEXP = nullptr;
    DriveList* drvEXP = nullptr;
    FolderList* dirEXP = nullptr;
    QListWidget* lstEXP = nullptr;
    QPushButton* cmdEXP = nullptr;
    QPushButton* cmdIMP = nullptr;
    QPushButton* cmdSCHLIESSEN = nullptr;

protected:
    void done(int result) override;

private:
    void fillList(QListWidget* list, db::Connection& cn);
    // Copies the selected records of `list` from `source` into `target`.
    void KOPIEREN(db::Connection& source, QListWidget* list, db::Connection& target);
    // One statement under the dialog's error report (OK and Cancel, no icon); false after Cancel.
    bool step(const QString& title, const std::function<void()>& f);

    ShellWindow& shell_;
    int16_t sprache_ = 3;
    std::unique_ptr<db::Connection> other_;
    bool otherOpen_ = false;
    bool unloaded_ = false;
};
