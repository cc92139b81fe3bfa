#include "shell/EvaluationCommands.h"

#include "data/RecordStore.h"
#include "pages/PageWindow.h"
#include "pages/mdiESEITE1.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "shell/PointExport.h"
#include "shell/clsBERECHNEN.h"
#include "shell/frmMAIN.h"

#include <QAction>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>

using vb::Pointer;

namespace {
const QString kInputPage = QStringLiteral("mdiESEITE1");
const QString kOutputPage = QStringLiteral("mdiSEITE1");


}  // namespace

EvaluationCommands::EvaluationCommands(frmMAIN& main)
    : MainCommands(main),
      inputPage_([](ShellWindow& shell) { return new mdiESEITE1(shell); }),
      calculation_([&main] { return clsBERECHNEN(main).BERECHNUNG(); })
{
}

void EvaluationCommands::enable(const char* menuName, bool enabled) { main_.menu(QString::fromLatin1(menuName))->setEnabled(enabled); }

void EvaluationCommands::AUSWERTEN()
{
    vb::Procedure p(kPrefix, caption("mnuAUSWERTEN"));
    pointer(Pointer::Hourglass);
    RecordStore store(main_.session());
    std::vector<RecordEntry> active;
    p.step([&] { active = store.activeRecords(); });
    p.step([&] {
        if (active.empty()) {
            for (const char* name : {"mnuEINGABEGRAFIK", "mnuBERECHNEN", "mnuMBERECHNEN", "mnuFBERECHNEN", "mnuNEUBERECHNEN"})
                enable(name, false);
        } else if (active.size() == 1) {
            enable("mnuEINGABEGRAFIK", true);
            if (store.evaluationPending(active.front().id)) {
                enable("mnuBERECHNEN", false);
                enable("mnuFBERECHNEN", false);
            } else {
                enable("mnuBERECHNEN", true);
            }
            enable("mnuMBERECHNEN", false);
            enable("mnuNEUBERECHNEN", true);
        } else {
            for (const char* name : {"mnuEINGABEGRAFIK", "mnuBERECHNEN", "mnuFBERECHNEN", "mnuNEUBERECHNEN"}) enable(name, false);
        }
        // The points go out when the record could be shown: the rule of Berechnen.
        enable("mnuPUNKTEXPORT", main_.menu(QStringLiteral("mnuBERECHNEN"))->isEnabled());
    });
    pointer(Pointer::Default);
}

void EvaluationCommands::PUNKTEXPORT()
{
    vb::Procedure p(kPrefix, caption("mnuPUNKTEXPORT"));
    p.step([&] {
        const std::vector<RecordEntry> active = RecordStore(main_.session()).activeRecords();
        if (active.size() != 1) return;
        PointExport(main_.session()).run(active.front().id, active.front().name);
    });
}

PageWindow* EvaluationCommands::openPage(const QString& name) const
{
    for (QWidget* page : main_.pageList())
        if (page->objectName() == name) return static_cast<PageWindow*>(page);
    return nullptr;
}

void EvaluationCommands::showProgress(bool visible)
{
    if (QProgressBar* bar = main_.progressBar()) bar->setVisible(visible);
}

void EvaluationCommands::progressPause()
{
    QProgressBar* bar = main_.progressBar();
    if (!bar) return;
    bar->setVisible(true);
    bar->setValue(100);
    vb::DoEvents();
    vb::Ui::instance().Sleep(1500);
    bar->setValue(0);
    bar->setVisible(false);
}

PageWindow* EvaluationCommands::loadPage(const QString& name, const PageMaker& maker)
{
    if (PageWindow* open = openPage(name)) return open;
    if (!maker) return nullptr;
    PageWindow* page = maker(main_);
    // The page is built at its maximized size, still hidden: it shows only when it is complete.
    // Its drawings are made for that size, so the main window's layout must be settled first.
    if (QLayout* layout = main_.layout()) layout->activate();
    page->resize(main_.mdiArea()->viewport()->size());
    page->Form_Load();
    return page;
}

void EvaluationCommands::showPage(PageWindow* page)
{
    if (!page) return;
    auto* frame = qobject_cast<QMdiSubWindow*>(page->parentWidget());
    if (!frame) {
        const QSize loaded = page->size();
        frame = main_.mdiArea()->addSubWindow(page, Qt::FramelessWindowHint);
        // The frame takes the page's size at once: a page passing through a smaller size on
        // its way to maximized would lose the drawings beyond it.
        frame->resize(loaded);
        QObject::connect(main_.mdiArea(), &QMdiArea::subWindowActivated, page, [page, frame](QMdiSubWindow* active) {
            if (active == frame) page->Form_Activate();
        });
        // The page panels go when the last page unloads, whichever way it closes.
        QObject::connect(page, &PageWindow::unloaded, &main_, &frmMAIN::updateMenus);
    }
    frame->showMaximized();
    main_.mdiArea()->setActiveSubWindow(frame);
    page->setFocus(Qt::OtherFocusReason);
}

void EvaluationCommands::markChanged()
{
    RecordStore(main_.session()).markChanged();
}

void EvaluationCommands::showPageCommand(const char* menuName, const QString& name, const PageMaker& maker, bool pauseBeforeShowing)
{
    vb::Procedure p(kPrefix, caption(menuName));
    // A page of that name already open comes to the front instead of a second one.
    if (PageWindow* open = openPage(name)) {
        p.step([&] { showPage(open); });
        return;
    }
    PageWindow* page = nullptr;
    p.step([&] {
        pointer(Pointer::Hourglass);
        showProgress(true);
        vb::DoEvents();
    });
    p.step([&] {
        page = loadPage(name, maker);
        vb::DoEvents();
    });
    if (pauseBeforeShowing) p.step([&] { progressPause(); });
    p.step([&] { showPage(page); });
    if (!pauseBeforeShowing) p.step([&] { progressPause(); });
    p.step([&] {
        if (page) markChanged();
    });
    pointer(Pointer::Default);
}

void EvaluationCommands::EINGABEGRAFIK() { showPageCommand("mnuEINGABEGRAFIK", kInputPage, inputPage_, true); }

bool EvaluationCommands::refusedWhileCapturing(const char* menuName)
{
    if (!openPage(kInputPage)) return false;
    const bool english = main_.session().SPRACHE() == 1;
    vb::MsgBox(english ? QStringLiteral("Please close the input page first: its capture is not yet in the record!")
                       : QStringLiteral("Bitte zuerst die Eingabeseite schließen: ihre Erfassung ist noch nicht im Datensatz!"),
               vb::vbExclamation, caption(menuName));
    return true;
}

// Shows the output page as it was last evaluated: no calculation, BONEU untouched.
void EvaluationCommands::BERECHNEN()
{
    if (refusedWhileCapturing("mnuBERECHNEN")) return;
    showPageCommand("mnuBERECHNEN", kOutputPage, outputPage_, false);
}

void EvaluationCommands::NEUBERECHNEN()
{
    if (refusedWhileCapturing("mnuNEUBERECHNEN")) return;
    vb::Procedure p(kPrefix, caption("mnuNEUBERECHNEN"));
    RecordStore store(main_.session());
    int32_t id = 0;
    bool computed = false;
    PageWindow* page = nullptr;
    p.step([&] { showProgress(true); });
    p.step([&] { id = store.activeRecordId(); });
    // The record counts as not evaluated until the new evaluation has completed.
    p.step([&] { store.setEvaluationPending(id, true); });
    p.step([&] {
        vb::DoEvents();
        pointer(Pointer::Hourglass);
    });
    p.step([&] {
        computed = calculation_();
        if (!computed) return;
        vb::DoEvents();
        // An open output page shows the new evaluation instead of a second page.
        if (PageWindow* open = openPage(kOutputPage)) {
            open->reload();
            page = open;
        } else {
            page = loadPage(kOutputPage, outputPage_);
        }
    });
    p.step([&] {
        showProgress(false);
        pointer(Pointer::Default);
        vb::DoEvents();
    });
    // A failed evaluation shows no page and leaves the record not evaluated.
    if (!computed || !page || p.cancelled()) {
        pointer(Pointer::Default);
        return;
    }
    p.step([&] {
        showPage(page);
        vb::DoEvents();
    });
    p.step([&] { store.setEvaluationPending(id, false); });
    p.step([&] { progressPause(); });
    p.step([&] { markChanged(); });
    pointer(Pointer::Default);
}
