#include "shell/frmMAIN.h"

#include "capture/frmVELOR.h"
#include "data/RecordStore.h"
#include "data/VersionInfo.h"
#include "platform/os/Os.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/QtTranslations.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"
#include "platform/widgets/PanelBar.h"
#include "data/PdfPrinterProvider.h"
#include "pages/PageWindow.h"
#include "pages/mdiSEITE1.h"
#include "shell/DialogPrinterProvider.h"
#include "shell/EvaluationCommands.h"
#include "shell/HelpCommands.h"
#include "shell/PageCommands.h"
#include "shell/frmHILFE.h"
#include "shell/ProjectFileCommands.h"
#include "shell/RecordCommands.h"
#include "records/mdiEINGABE.h"
#include "shell/SessionStartup.h"
#include "startscreen/frmINFO.h"
#include "startscreen/mdiAUTOSTART.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QStatusBar>

using vb::MsgBox;
using vb::Os;
using vb::Procedure;

namespace {

struct MenuItem {
    const char* name;
    const char* parent;  // empty: a menu of the menu bar; "-" before the item: a separator first
    const char* german;
    const char* english;  // nullptr: stays German
    bool separatorBefore;
};

// The menu bar in its order, with the German design captions and the English ones.
const MenuItem kMenus[] = {
    {"mnuDATEI", "", "&Datei", "&File", false},
    {"mnuNEU", "mnuDATEI", "&Neu", "&New", false},
    {"mnuOEFFNEN", "mnuDATEI", "&Öffnen", "&Open", false},
    {"mnuAUSWAHL", "mnuDATEI", "&Auswahl", "&Select", false},
    {"mnuEXPIMP", "mnuDATEI", "&Export-Import", nullptr, true},
    {"mnuEXPINF", "mnuDATEI", "Export-&Inf.system", nullptr, false},
    {"mnuLOESCHEN", "mnuDATEI", "&Löschen", "&Delete", false},
    {"mnuSCHLIESSEN", "mnuDATEI", "&Schließen", "&Done", false},
    {"mnuSPEICHERN", "mnuDATEI", "&Speichern", "&Save", true},
    {"mnuBEENDEN", "mnuDATEI", "&Beenden", "&Quit", false},
    {"mnuAUSWERTEN", "", "&Auswerten", "&Evaluate", false},
    {"mnuEINGABEGRAFIK", "mnuAUSWERTEN", "&Eingabegrafik", "&Graphics of Input Data", false},
    {"mnuBERECHNEN", "mnuAUSWERTEN", "&Berechnen", "&Calculate", false},
    {"mnuMBERECHNEN", "mnuAUSWERTEN", "&MBerechnen", "Calculate &Multiple", false},
    {"mnuFBERECHNEN", "mnuAUSWERTEN", "&FBerechnen", "Calculate &Next", false},
    {"mnuNEUBERECHNEN", "mnuAUSWERTEN", "&Neuberechnen", "Calculate &First", false},
    {"mnuPUNKTEXPORT", "mnuAUSWERTEN", "Punkte exportieren …", "Export points …", true},
    {"mnuEXTRAS", "", "E&xtras", "Tools", false},
    {"mnuVVORGABEN", "mnuEXTRAS", "&Vorgaben", "Preset Data", false},
    {"mnuVEVORGABEN", "mnuEXTRAS", "&Elektronikvorgaben", "Preset Electronic Data", false},
    {"mnuWERKZEUGE", "mnuEXTRAS", "&Werkzeuge", "Grafic Tools", true},
    {"mnuTEXT", "mnuWERKZEUGE", "&Text", "Text", false},
    {"mnuPOLYGON", "mnuWERKZEUGE", "&Polygon", "Polygon", false},
    {"mnuKREIS", "mnuWERKZEUGE", "&Kreisbogen", "Circle", false},
    {"mnuKOMPRIMIEREN", "mnuEXTRAS", "&Komprimieren", "Compact Database", false},
    {"mnuFRAGEZEICHEN", "", "?", nullptr, false},
    {"mnuHILFE", "mnuFRAGEZEICHEN", "&Hilfe", "Help", false},
    {"mnuREADME", "mnuFRAGEZEICHEN", "&ReadMe", nullptr, false},
    {"mnuHINWEISE", "mnuFRAGEZEICHEN", "Hin&weise", nullptr, false},
    {"mnuINFO", "mnuFRAGEZEICHEN", "&Info", nullptr, true},
};
const char* kSubmenus[] = {"mnuDATEI", "mnuAUSWERTEN", "mnuEXTRAS", "mnuWERKZEUGE", "mnuFRAGEZEICHEN"};

struct PanelText {
    const char* german;
    const char* germanTip;
    const char* english;     // nullptr: unchanged
    const char* englishTip;  // nullptr: unchanged
};

// The 15 status-bar panels; 8 to 15 are the page command bar.
const PanelText kPanels[15] = {
    {"Projektspfad\\", "", nullptr, nullptr},
    {"Projekt", "", nullptr, nullptr},
    {"/", "", nullptr, nullptr},
    {"Programm", "", nullptr, nullptr},
    {"/", "", nullptr, nullptr},
    {"Datensatz", "", nullptr, nullptr},
    {"", "", nullptr, nullptr},
    {"OK", "Eingabedaten speichern", nullptr, "Save input-data"},
    {"Abbrechen", "Eingabedaten verwerfen", "Cancel", "Discard input-data"},
    {"Anzeigen", "Ausgabeseite anzeigen", "Show", "Show another page"},
    {"Drucken", "Ausgabeseite drucken", "Print", "Print loaded pages"},
    {"Kopie", "Bildschirmkopie speichern", "Copy", "Save Screenshot"},
    {"Word", "Ausgabeseite in ein Word-Dokument übertragen", nullptr, "Send current page to word"},
    {"AutoCAD", "Ausgabeseite in eine AutoCAD-Zeichnung übertragen", nullptr, "Send current page to AutoCAD"},
    {"Schließen", "Zurück zum Startbildschirm", "Close", "Back to the front window"},
};

}  // namespace

frmMAIN::frmMAIN(const QLocale& locale, QWidget* parent)
    : QMainWindow(parent),
      locale_(locale),
      records_(std::make_unique<RecordCommands>(*this)),
      files_(std::make_unique<ProjectFileCommands>(*this)),
      help_(std::make_unique<HelpCommands>(*this)),
      startup_(std::make_unique<SessionStartup>(session_)),
      evaluation_(std::make_unique<EvaluationCommands>(*this)),
      pages_(std::make_unique<PageCommands>(*this)),
      dialogPrinter_(std::make_unique<DialogPrinterProvider>(this))
{
    setObjectName(QStringLiteral("frmMAIN"));
    setWindowTitle(QStringLiteral("KELMORA"));
    evaluation_->setOutputPageMaker([](ShellWindow& shell) { return new mdiSEITE1(shell); });
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiMAIN"));
    mdi_->setBackground(QColor(128, 128, 128));
    setCentralWidget(mdi_);
    buildMenus();
    buildStatusBar();
    connect(mdi_, &QMdiArea::subWindowActivated, this, &frmMAIN::updateMenus);
    resize(1024, 720);
}

frmMAIN::~frmMAIN()
{
    // The children closing with the window activate each other; the menus are gone by then.
    mdi_->disconnect(this);
    vb::Ui::instance().setHelpHandler(nullptr);
}

void frmMAIN::buildMenus()
{
    for (const char* name : kSubmenus) {
        auto* m = new QMenu(this);
        m->setObjectName(QString::fromLatin1(name));
        menus_.insert(QString::fromLatin1(name), m);
    }
    for (const MenuItem& item : kMenus) {
        const QString name = QString::fromLatin1(item.name);
        QAction* action = nullptr;
        if (QMenu* sub = menus_.value(name)) {
            action = sub->menuAction();
            sub->setTitle(QString::fromUtf8(item.german));
        } else {
            action = new QAction(QString::fromUtf8(item.german), this);
        }
        action->setObjectName(name);
        const QString parentName = QString::fromLatin1(item.parent);
        if (parentName.isEmpty()) {
            menuBar()->addAction(action);
        } else {
            QMenu* parentMenu = menus_.value(parentName);
            if (item.separatorBefore) parentMenu->addSeparator();
            parentMenu->addAction(action);
        }
        actions_.insert(name, action);
    }
    const auto on = [this](const char* name, void (frmMAIN::*handler)()) {
        connect(menu(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    on("mnuNEU", &frmMAIN::mnuNEU_Click);
    on("mnuOEFFNEN", &frmMAIN::mnuOEFFNEN_Click);
    on("mnuAUSWAHL", &frmMAIN::mnuAUSWAHL_Click);
    on("mnuEXPIMP", &frmMAIN::mnuEXPIMP_Click);
    on("mnuLOESCHEN", &frmMAIN::mnuLOESCHEN_Click);
    on("mnuSPEICHERN", &frmMAIN::mnuSPEICHERN_Click);
    on("mnuBEENDEN", &frmMAIN::mnuBEENDEN_Click);
    on("mnuSCHLIESSEN", &frmMAIN::mnuSCHLIESSEN_Click);
    on("mnuKOMPRIMIEREN", &frmMAIN::mnuKOMPRIMIEREN_Click);
    on("mnuHILFE", &frmMAIN::mnuHILFE_Click);
    on("mnuREADME", &frmMAIN::mnuREADME_Click);
    on("mnuHINWEISE", &frmMAIN::mnuHINWEISE_Click);
    on("mnuINFO", &frmMAIN::mnuINFO_Click);
    on("mnuEINGABEGRAFIK", &frmMAIN::mnuEINGABEGRAFIK_Click);
    on("mnuBERECHNEN", &frmMAIN::mnuBERECHNEN_Click);
    on("mnuNEUBERECHNEN", &frmMAIN::mnuNEUBERECHNEN_Click);
    on("mnuPUNKTEXPORT", &frmMAIN::mnuPUNKTEXPORT_Click);
    // MBerechnen and FBerechnen have no action in this module.
    connect(menus_.value(QStringLiteral("mnuFRAGEZEICHEN")), &QMenu::aboutToShow, this, &frmMAIN::mnuFRAGEZEICHEN_Click);
    connect(menus_.value(QStringLiteral("mnuAUSWERTEN")), &QMenu::aboutToShow, this, &frmMAIN::mnuAUSWERTEN_Click);
}

void frmMAIN::buildStatusBar()
{
    stbMAIN_ = new vb::PanelBar(15, this);
    for (int i = 0; i < 15; ++i) {
        stbMAIN_->setText(i + 1, QString::fromUtf8(kPanels[i].german));
        stbMAIN_->setToolTip(i + 1, QString::fromUtf8(kPanels[i].germanTip));
        if (i >= 7) {
            stbMAIN_->setBevel(i + 1, vb::PanelBar::Bevel::Raised);
            stbMAIN_->setPanelVisible(i + 1, false);
        }
    }
    stbMAIN_->setBevel(3, vb::PanelBar::Bevel::None);
    stbMAIN_->setBevel(5, vb::PanelBar::Bevel::None);
    stbMAIN_->setSpring(7);
    statusBar()->addWidget(stbMAIN_, 1);
    statusBar()->setSizeGripEnabled(true);
    connect(stbMAIN_, &vb::PanelBar::panelClicked, this, &frmMAIN::stbMAIN_PanelClick);
    connect(stbMAIN_, &vb::PanelBar::panelPressed, this, &frmMAIN::stbMAIN_MouseDown);
}

void frmMAIN::applyEnglishCaptions()
{
    for (const MenuItem& item : kMenus) {
        if (!item.english) continue;
        const QString name = QString::fromLatin1(item.name);
        if (QMenu* sub = menus_.value(name)) sub->setTitle(QString::fromUtf8(item.english));
        else menu(name)->setText(QString::fromUtf8(item.english));
    }
    for (int i = 7; i < 15; ++i) {
        if (kPanels[i].english) stbMAIN_->setText(i + 1, QString::fromUtf8(kPanels[i].english));
        if (kPanels[i].englishTip) stbMAIN_->setToolTip(i + 1, QString::fromUtf8(kPanels[i].englishTip));
    }
}

QString frmMAIN::LAENDERINFO(const QLocale& locale, int item)
{
    switch (item) {
    case LOCALE_SISO639LANGNAME: return QLocale::languageToCode(locale.language(), QLocale::ISO639Part1);
    case LOCALE_SDECIMAL: return locale.decimalPoint();
    default: return QString();
    }
}

QString frmMAIN::shortenedProjectPath(const QString& path)
{
    QString s = path;
    if (s.size() <= 20) return s;
    int position = 2;  // 1-based, as the original counted
    while (s.size() > 20) {
        s = s.mid(position - 1);
        position = static_cast<int>(s.indexOf(QLatin1Char('/'), 2)) + 1;
        if (position == 0) {
            // No further folder boundary: keep the last 20 characters rather than fail.
            s = s.right(20);
            break;
        }
    }
    return QStringLiteral(" ... ") + s;
}

bool frmMAIN::MDIForm_Load()
{
    // Cancel in an error box ends the start, and so does any failure of a step the session
    // cannot do without: the one message shown is the last word, and the process ends.
    Procedure p(QStringLiteral("VB-Error: "), SessionContext::title());
    const auto essential = [&p](const std::function<bool()>& f) {
        bool done = false;
        p.step([&] { done = f(); });
        return done && !p.cancelled();
    };

    // The warning beep of the original platform has no counterpart here: nothing to switch off.
    p.step([&] {
        session_.setLanguage(LAENDERINFO(locale_, LOCALE_SISO639LANGNAME) == QLatin1String("en") ? 1 : 3);
        QtTranslations::use(session_.SPRACHE() == 3);
    });
    p.step([&] { session_.setDecimalSeparator(LAENDERINFO(locale_, LOCALE_SDECIMAL)); });
    p.step([&] {
        if (session_.SPRACHE() == 1) applyEnglishCaptions();
        setWindowTitle(QStringLiteral("KELMORA"));
    });
    if (p.cancelled()) return false;
    if (!essential([&] { return startup_->claimWorkingCopy(); })) return false;
    if (!essential([&] { return startup_->readFrameEntry(); })) return false;
    p.step([&] { fillStatusBar(); });
    if (!essential([&] { return startup_->openWorkingCopy(); })) return false;
    p.step([&] { SATZANZEIGE(); });
    if (p.cancelled()) return false;
    return essential([&] {
        showStartScreen();
        return true;
    });
}

void frmMAIN::fillStatusBar()
{
    stbMAIN_->setText(1, shortenedProjectPath(session_.PROJEKTSPFAD()) + QLatin1Char('/'));
    stbMAIN_->setToolTip(1, session_.PROJEKTSPFAD());
    stbMAIN_->setText(2, session_.PROJEKT());
    stbMAIN_->setToolTip(2, session_.BEARBEITER());
    stbMAIN_->setText(4, SessionContext::title());
    stbMAIN_->setToolTip(4, session_.SPRACHE() == 1 ? VersionInfo::productNameEnglish() : VersionInfo::productName());
}

void frmMAIN::SATZANZEIGE()
{
    const std::vector<RecordEntry> active = RecordStore(session_).activeRecords();
    if (active.empty()) {
        stbMAIN_->setText(6, QStringLiteral("-"));
        stbMAIN_->setToolTip(6, QString());
    } else if (active.size() == 1) {
        stbMAIN_->setText(6, active.front().name);
        stbMAIN_->setToolTip(6, active.front().comment);
    } else {
        QStringList names;
        for (const RecordEntry& record : active) names.append(record.name);
        stbMAIN_->setText(6, names.first() + QStringLiteral(",..."));
        stbMAIN_->setToolTip(6, names.join(QStringLiteral(", ")));
    }
}

void frmMAIN::showStartScreen()
{
    show();
    autostart_ = new mdiAUTOSTART(session_.SPRACHE());
    autostart_->Form_Load();
    autostartWindow_ = mdi_->addSubWindow(autostart_, Qt::FramelessWindowHint);
    vb::DoEvents();
    autostartWindow_->showMaximized();
    // A message's Help button opens the program's help, as the menu does.
    vb::Ui::instance().setHelpHandler([this] { mnuHILFE_Click(); });
}

QWidget* frmMAIN::activeChild() const
{
    QMdiSubWindow* w = mdi_->activeSubWindow();
    return w ? w->widget() : nullptr;
}

QProgressBar* frmMAIN::progressBar() const { return autostart_ ? autostart_->pgbBERECHNEN : nullptr; }

void frmMAIN::stbMAIN_MouseDown(int panel)
{
    if (panel < 8 || panel > 15 || !stbMAIN_->isPanelVisible(panel)) return;
    stbMAIN_->setBevel(panel, vb::PanelBar::Bevel::Sunken);
    stbMAIN_->repaint();
    vb::Ui::instance().Sleep(250);
}

void frmMAIN::stbMAIN_PanelClick(int panel)
{
    switch (panel) {
    case 8: records_->saveInput(); break;
    case 9: records_->discardInput(); break;
    case 10: pages_->ANZEIGEN(); break;
    case 11: pages_->DRUCKEN(); break;
    case 12: pages_->KOPIE(); break;
    case 13: pages_->WORD(); break;
    case 14: break;  // AutoCAD: no action in this module
    case 15: pages_->SCHLIESSEN(); break;
    default: break;
    }
    if (panel >= 8 && panel <= 15) stbMAIN_->setBevel(panel, vb::PanelBar::Bevel::Raised);
    vb::Ui::instance().SetPointer(vb::Pointer::Default);
}

mdiEINGABE* frmMAIN::entryWindow() const { return records_->entryWindow(); }
frmHILFE* frmMAIN::helpWindow() const { return help_->helpWindow(); }

void frmMAIN::mnuNEU_Click() { records_->NEU(); }
void frmMAIN::mnuOEFFNEN_Click() { records_->OEFFNEN(); }
void frmMAIN::mnuAUSWAHL_Click() { records_->AUSWAHL(); }
void frmMAIN::mnuEXPIMP_Click() { records_->EXPIMP(); }
void frmMAIN::mnuLOESCHEN_Click() { records_->LOESCHEN(); }
void frmMAIN::mnuSPEICHERN_Click() { files_->SPEICHERN(); }
void frmMAIN::mnuKOMPRIMIEREN_Click() { files_->KOMPRIMIEREN(); }
void frmMAIN::mnuFRAGEZEICHEN_Click() { help_->FRAGEZEICHEN(); }
void frmMAIN::mnuHILFE_Click() { help_->HILFE(); }
void frmMAIN::mnuREADME_Click() { help_->README(); }
void frmMAIN::mnuHINWEISE_Click() { help_->HINWEISE(); }

void frmMAIN::mnuAUSWERTEN_Click() { evaluation_->AUSWERTEN(); }
void frmMAIN::mnuEINGABEGRAFIK_Click() { evaluation_->EINGABEGRAFIK(); }
void frmMAIN::mnuBERECHNEN_Click() { evaluation_->BERECHNEN(); }
void frmMAIN::mnuNEUBERECHNEN_Click() { evaluation_->NEUBERECHNEN(); }
void frmMAIN::mnuPUNKTEXPORT_Click() { evaluation_->PUNKTEXPORT(); }

QString frmMAIN::menuTag(const QString& name) const
{
    QAction* action = menu(name);
    return action ? action->data().toString() : QString();
}

void frmMAIN::setMenuTag(const QString& name, const QString& tag)
{
    if (QAction* action = menu(name)) action->setData(tag);
}

PointCapture* frmMAIN::showCapture(vb::PictureBox* picture)
{
    if (!picture) return nullptr;
    if (!capture_) {
        capture_ = new frmVELOR(*this, *picture, this);
        connect(capture_, &frmVELOR::closed, capture_, &QObject::deleteLater);
    }
    capture_->show();
    capture_->raise();
    return capture_;
}

void frmMAIN::setPanelEnabled(int panel, bool enabled) { stbMAIN_->label(panel)->setEnabled(enabled); }

QList<QWidget*> frmMAIN::pageList() const
{
    QList<PageWindow*> open;
    for (QMdiSubWindow* frame : mdi_->subWindowList())
        if (auto* page = qobject_cast<PageWindow*>(frame->widget()); page && !page->isUnloaded()) open.append(page);
    QList<QWidget*> list;
    for (const char* kind : {"mdiESEITE", "mdiSEITE", "mdiPSEITE", "mdiMSEITE"})
        for (PageWindow* page : open)
            if (page->objectName().contains(QLatin1String(kind))) list.append(page);
    return list;
}

void frmMAIN::printNextTo(const QString& folder) { nextPrint_ = std::make_unique<PdfPrinterProvider>(folder); }

PrinterProvider& frmMAIN::printers()
{
    // A PDF folder chosen for the next print serves that one print command.
    if (nextPrint_ && nextPrint_->jobs() > 0 && !nextPrint_->isOpen()) nextPrint_.reset();
    if (nextPrint_) return *nextPrint_;
    return *dialogPrinter_;
}

void frmMAIN::updateMenus()
{
    const bool editing = entryWindow() != nullptr;
    const bool pages = !pageList().isEmpty();
    stbMAIN_->setPanelVisible(8, editing);
    stbMAIN_->setPanelVisible(9, editing);
    for (int panel = 10; panel <= 15; ++panel) {
        if (pages && !stbMAIN_->isPanelVisible(panel)) stbMAIN_->setBevel(panel, vb::PanelBar::Bevel::Raised);
        stbMAIN_->setPanelVisible(panel, pages);
    }
    menu(QStringLiteral("mnuDATEI"))->setEnabled(!editing && !pages && !recordDialogOpen_);
    menu(QStringLiteral("mnuAUSWERTEN"))->setEnabled(!editing && !recordDialogOpen_);
    menu(QStringLiteral("mnuEXTRAS"))->setEnabled(!editing && !recordDialogOpen_);
}

void frmMAIN::setRecordDialogOpen(bool open)
{
    recordDialogOpen_ = open;
    updateMenus();
}

void frmMAIN::mnuINFO_Click()
{
    frmINFO info(session_.SPRACHE(), this);
    vb::Ui::instance().ShowModal(info);
}

QString frmMAIN::framePrograms() const { return Os::join(Os::parentFolder(session_.programFolder()), QStringLiteral("KELMORA")); }

void frmMAIN::mnuSCHLIESSEN_Click()
{
    handBack_ = true;
    close();
}

void frmMAIN::mnuBEENDEN_Click()
{
    handBack_ = false;
    close();
}

void frmMAIN::closeEvent(QCloseEvent* event)
{
    // A close the program asked for (Schließen, Beenden) counts as mode 1, the close box as 0.
    const int mode = event->spontaneous() ? 0 : 1;
    if (unloaded_ || !MDIForm_QueryUnload(mode)) {
        if (!unloaded_) event->ignore();
        return;
    }
    MDIForm_Unload();
    event->accept();
}

bool frmMAIN::MDIForm_QueryUnload(int unloadMode)
{
    Procedure p(QStringLiteral("VB-Error: "), SessionContext::title());
    bool goOn = true;
    // The pages copy their work into the record when they close: that must happen before
    // the question whether the project is to be saved.
    p.step([&] { goOn = pages_->SCHLIESSEN(); });
    if (!goOn) return false;
    p.step([&] {
        if ((unloadMode == 0 || unloadMode == 1) && session_.BOGEAENDERT) {
            const bool english = session_.SPRACHE() == 1;
            const int answer = MsgBox(english ? QStringLiteral("Do you want to save changes to project ") + session_.PROJEKT() + QLatin1Char('?')
                                              : QStringLiteral("Sollen die Änderungen in Projekt ") + session_.PROJEKT()
                                                    + QStringLiteral(" gespeichert werden?"),
                                      vb::vbQuestion | vb::vbYesNoCancel, menu(QStringLiteral("mnuBEENDEN"))->text());
            // A save that failed keeps the window and the working copy: nothing may be lost.
            if (answer == vb::vbCancel || (answer == vb::vbYes && !files_->SPEICHERN())) goOn = false;
        }
    });
    if (!goOn) return false;
    p.step([&] {
        if ((unloadMode == 0 || handBack_) && Os::fileExists(framePrograms())) QProcess::startDetached(framePrograms(), {});
    });
    return true;
}

void frmMAIN::MDIForm_Unload()
{
    Procedure p(QStringLiteral("VB-Error: "), SessionContext::title());
    p.step([&] {
        if (entryWindow()) entryWindow()->Form_Unload();
        mdi_->closeAllSubWindows();
        help_->closeHelp();
    });
    if (!session_.isStandAlone()) {
        p.step([&] { startup_->handBack(); });
        p.step([&] { startup_->closeInformationSystem(); });
    }
    p.step([&] { startup_->removeWorkingCopy(); });
    unloaded_ = true;
    QApplication::quit();
}
