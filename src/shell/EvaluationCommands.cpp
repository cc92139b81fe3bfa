#include "shell/EvaluationCommands.h"

#include "pages/PageWindow.h"
#include "pages/mdiESEITE1.h"
#include "platform/db/Recordset.h"
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
    int active = 0;
    int32_t id = 0;
    p.step([&] {
        db::Recordset rs(QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [AKT]=true"), main_.session().cnnX);
        active = rs.RecordCount();
        if (active == 1) id = vb::CLng(rs.field(QStringLiteral("ID")));
    });
    p.step([&] {
        if (active == 0) {
            for (const char* name : {"mnuEINGABEGRAFIK", "mnuBERECHNEN", "mnuMBERECHNEN", "mnuFBERECHNEN", "mnuNEUBERECHNEN"})
                enable(name, false);
        } else if (active == 1) {
            enable("mnuEINGABEGRAFIK", true);
            db::Recordset rs(QStringLiteral("SELECT [ID],[BONEU] FROM [A1] WHERE [ID]=") + QString::number(id), main_.session().cnnX);
            if (rs.IsEOF()) {
                rs.AddNew();
                rs.setField(QStringLiteral("ID"), id);
                rs.setField(QStringLiteral("BONEU"), true);
                rs.Update();
            }
            if (vb::CBool(rs.field(QStringLiteral("BONEU")))) {
                enable("mnuBERECHNEN", false);
                enable("mnuFBERECHNEN", false);
            } else {
                enable("mnuBERECHNEN", true);
            }
            rs.Close();
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
        db::Recordset rs(QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [AKT]=true"), main_.session().cnnX);
        if (rs.RecordCount() != 1) return;
        const int32_t id = vb::CLng(rs.field(QStringLiteral("ID")));
        const QString name = vb::toText(rs.field(QStringLiteral("KEN")));
        rs.Close();
        PointExport(main_.session()).run(id, name);
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
    main_.session().BOGEAENDERT = true;
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

// Shows the output page as it was last evaluated: no calculation, BONEU untouched.
void EvaluationCommands::BERECHNEN() { showPageCommand("mnuBERECHNEN", kOutputPage, outputPage_, false); }

void EvaluationCommands::NEUBERECHNEN()
{
    vb::Procedure p(kPrefix, caption("mnuNEUBERECHNEN"));
    db::Recordset a1;
    int32_t id = 0;
    bool computed = false;
    PageWindow* page = nullptr;
    p.step([&] { showProgress(true); });
    p.step([&] {
        db::Recordset rs(QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [AKT]=true ORDER BY [KEN]"), main_.session().cnnX);
        if (!rs.IsEOF()) id = vb::CLng(rs.field(QStringLiteral("ID")));
    });
    // The record counts as not evaluated until the new evaluation has completed.
    p.step([&] {
        a1.Open(QStringLiteral("SELECT [ID],[BONEU] FROM [A1] WHERE [ID]=") + QString::number(id), main_.session().cnnX);
        if (!a1.IsEOF()) a1.Delete();
        a1.AddNew();
        a1.setField(QStringLiteral("ID"), id);
        a1.setField(QStringLiteral("BONEU"), true);
        a1.Update();
    });
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
    p.step([&] {
        a1.setField(QStringLiteral("BONEU"), false);
        a1.Update();
        a1.Close();
    });
    p.step([&] { progressPause(); });
    p.step([&] { markChanged(); });
    pointer(Pointer::Default);
}
