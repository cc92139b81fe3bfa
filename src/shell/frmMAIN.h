#pragma once

#include "data/SessionContext.h"
#include "data/ShellWindow.h"

#include <QHash>
#include <QLocale>
#include <QMainWindow>
#include <memory>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class HelpCommands;
class ProjectFileCommands;
class RecordCommands;
class SessionStartup;
class frmHILFE;
class mdiAUTOSTART;
class mdiEINGABE;
namespace vb { class PanelBar; }

// The main window: a multiple-document frame with the menus and the status bar whose right
// panels act as command buttons. It owns the session (user, project, paths, language, the
// connections) for the whole run.
class frmMAIN : public QMainWindow, public ShellWindow {
    Q_OBJECT
public:
    explicit frmMAIN(const QLocale& locale = QLocale::system(), QWidget* parent = nullptr);
    ~frmMAIN() override;

    // Start-up. Returns false when the program must end (no frame-program entry, missing
    // project or template, a database that cannot be opened).
    bool MDIForm_Load();

    // ShellWindow
    SessionContext& session() override { return session_; }
    QString Tag() const override { return tag_; }
    void setTag(const QString& tag) override { tag_ = tag; }
    void SATZANZEIGE() override;
    void mnuBEENDEN_Click() override;
    void mnuHILFE_Click() override;
    void stbMAIN_PanelClick(int panel) override;
    // Mouse-down on a command panel: it looks pressed for a moment before the click acts.
    void stbMAIN_MouseDown(int panel);
    QWidget* activeChild() const override;
    QProgressBar* progressBar() const override;

    // Record commands of the "Datei" menu.
    void mnuNEU_Click();
    void mnuOEFFNEN_Click();
    void mnuAUSWAHL_Click();
    void mnuEXPIMP_Click();
    void mnuLOESCHEN_Click();
    void mnuSPEICHERN_Click();
    void mnuKOMPRIMIEREN_Click();

    // The "?" menu.
    void mnuFRAGEZEICHEN_Click();
    void mnuREADME_Click();
    void mnuHINWEISE_Click();

    // Shutdown.
    void mnuSCHLIESSEN_Click();
    // Returns true when the close may go on.
    bool MDIForm_QueryUnload(int unloadMode);
    void MDIForm_Unload();

    void mnuINFO_Click();

    // A locale information item of `locale` (the platform's locale query): the ISO 639
    // language name or the decimal separator; empty text for an item it does not know.
    enum LocaleItem { LOCALE_SDECIMAL = 0x0E, LOCALE_SISO639LANGNAME = 0x59 };
    static QString LAENDERINFO(const QLocale& locale, int item);
    // Panel 1's text: the project path shortened to about 20 characters, with " ... " before it.
    static QString shortenedProjectPath(const QString& path);

    QAction* menu(const QString& name) const { return actions_.value(name); }
    vb::PanelBar* stbMAIN() const { return stbMAIN_; }
    mdiAUTOSTART* startScreen() const { return autostart_; }
    QMdiArea* mdiArea() const { return mdi_; }
    // The entry window while a record is being edited.
    mdiEINGABE* entryWindow() const;
    frmHILFE* helpWindow() const;
    HelpCommands& help() { return *help_; }
    bool handBack() const { return handBack_; }
    // The path of the frame program started at hand-back.
    QString framePrograms() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildStatusBar();
    void applyEnglishCaptions();
    void fillStatusBar();
    void showStartScreen();

    QLocale locale_;
    SessionContext session_;
    QString tag_;
    bool handBack_ = false;
    bool unloaded_ = false;
    QMdiArea* mdi_ = nullptr;
    vb::PanelBar* stbMAIN_ = nullptr;
    mdiAUTOSTART* autostart_ = nullptr;
    QMdiSubWindow* autostartWindow_ = nullptr;
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    std::unique_ptr<RecordCommands> records_;
    std::unique_ptr<ProjectFileCommands> files_;
    std::unique_ptr<HelpCommands> help_;
    std::unique_ptr<SessionStartup> startup_;
};
