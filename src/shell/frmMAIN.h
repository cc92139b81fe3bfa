#pragma once

#include "data/SessionContext.h"
#include "data/ShellWindow.h"

#include <QHash>
#include <QLocale>
#include <QMainWindow>
#include <QPointer>
#include <memory>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class DialogPrinterProvider;
class EvaluationCommands;
class HelpCommands;
class PageCommands;
class PdfPrinterProvider;
class ProjectFileCommands;
class RecordCommands;
class SessionStartup;
class frmHILFE;
class frmVELOR;
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
    QString menuTag(const QString& name) const override;
    void setMenuTag(const QString& name, const QString& tag) override;
    PointCapture* showCapture(vb::PictureBox* picture) override;
    void setPanelEnabled(int panel, bool enabled) override;
    QList<QWidget*> pageList() const override;
    PrinterProvider& printers() override;
    // Recomputes which menus and command panels are offered from the open windows: run when
    // the active child changes, a page unloads, the entry window comes or goes and a record
    // dialog opens or closes.
    void updateMenus();
    // The export/import dialog is open: the menus wait for it.
    void setRecordDialogOpen(bool open);

    // The next print command prints into a PDF file in `folder` instead of asking.
    void printNextTo(const QString& folder);

    // The "Auswerten" menu.
    void mnuAUSWERTEN_Click();
    void mnuEINGABEGRAFIK_Click();
    void mnuBERECHNEN_Click();
    void mnuPUNKTEXPORT_Click();
    void mnuNEUBERECHNEN_Click();

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
    EvaluationCommands& evaluation() { return *evaluation_; }
    PageCommands& pageCommands() { return *pages_; }
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
    bool recordDialogOpen_ = false;
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
    std::unique_ptr<EvaluationCommands> evaluation_;
    std::unique_ptr<PageCommands> pages_;
    std::unique_ptr<DialogPrinterProvider> dialogPrinter_;
    std::unique_ptr<PdfPrinterProvider> nextPrint_;
    QPointer<frmVELOR> capture_;
};
