#include "shell/RecordCommands.h"

#include "data/RecordNames.h"
#include "data/RecordStore.h"
#include "platform/db/Transaction.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"
#include "platform/widgets/PanelBar.h"
#include "records/RecordTables.h"
#include "records/frmAUSWAHL.h"
#include "records/frmEXPIMP.h"
#include "records/mdiEINGABE.h"
#include "shell/frmMAIN.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

using vb::MsgBox;
using vb::Pointer;

bool RecordCommands::showSelection(const QString& mode)
{
    main_.setTag(mode);
    frmAUSWAHL dialog(main_, &main_);
    dialog.Form_Load();
    vb::Ui::instance().ShowModal(dialog);
    return main_.Tag() == QLatin1String("OK");
}

void RecordCommands::showEntryWindow()
{
    auto* window = new mdiEINGABE(main_);
    window->Form_Load();
    QMdiSubWindow* frame = main_.mdiArea()->addSubWindow(window, Qt::FramelessWindowHint);
    setEntryWindow(window);
    frame->showMaximized();
    window->txtKEN->setFocus(Qt::OtherFocusReason);
}

void RecordCommands::setEntryWindow(mdiEINGABE* window)
{
    eingabe_ = window;
    // Menus and panels follow whether a record is being edited.
    main_.updateMenus();
}

void RecordCommands::closeEntryWindow()
{
    if (!eingabe_) return;
    mdiEINGABE* window = eingabe_;
    window->Form_Unload();
    setEntryWindow(nullptr);
    // The window may be the caller (its Ctrl+S): it goes when the events run again.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) frame->close();
    else window->deleteLater();
}

void RecordCommands::NEU()
{
    vb::Procedure p(kPrefix, caption("mnuNEU"));
    p.step([&] { pointer(Pointer::Arrow); });
    p.step([&] { showEntryWindow(); });
    p.step([&] {
        main_.stbMAIN()->setText(6, QStringLiteral("-"));
        main_.stbMAIN()->setToolTip(6, QString());
    });
    pointer(Pointer::Default);
}

void RecordCommands::OEFFNEN()
{
    const QString title = caption("mnuOEFFNEN");
    vb::Procedure p(kPrefix, title);
    const bool english = main_.session().SPRACHE() == 1;
    int32_t id = 0;
    for (;;) {
        if (!showSelection(QStringLiteral("O"))) return;
        int count = 0;
        p.step([&] {
            std::vector<RecordEntry> active = RecordStore(main_.session()).activeRecords();
            std::erase_if(active, [](const RecordEntry& r) { return r.id <= 0; });
            count = static_cast<int>(active.size());
            if (count == 1) id = active.front().id;
        });
        if (p.cancelled()) return;
        if (count == 1) break;
        const QString text = count == 0
                                 ? (english ? QStringLiteral("There is no selected file!") : QStringLiteral("Es gibt keinen aktuellen Datensatz!"))
                                 : (english ? QStringLiteral("Only one file can be opened!")
                                            : QStringLiteral("Es kann nur ein aktueller Datensatz geöffnet werden!"));
        if (MsgBox(text, vb::vbExclamation | vb::vbOKCancel, title) == vb::vbCancel) return;
    }
    p.step([&] { pointer(Pointer::Hourglass); });
    p.step([&] { showEntryWindow(); });
    p.step([&] { vb::DoEvents(); });
    p.step([&] { main_.SATZANZEIGE(); });
    p.step([&] { eingabe_->OEFFNEN(id); });
    p.step([&] { vb::DoEvents(); });
    pointer(Pointer::Default);
}

void RecordCommands::AUSWAHL()
{
    vb::Procedure p(kPrefix, caption("mnuAUSWAHL"));
    bool confirmed = false;
    p.step([&] { confirmed = showSelection(QStringLiteral("A")); });
    if (!confirmed) return;
    p.step([&] { main_.SATZANZEIGE(); });
    p.step([&] { RecordStore(main_.session()).markChanged(); });
}

void RecordCommands::EXPIMP()
{
    // Without an error trap of its own, as the command always had; the dialog reports its errors.
    main_.setRecordDialogOpen(true);
    // Only an answer of this dialog may mark the copy as changed, not one left by an earlier command.
    main_.setTag(QString());
    {
        frmEXPIMP dialog(main_, &main_);
        dialog.Form_Load();
        vb::Ui::instance().ShowModal(dialog);
        dialog.Form_Unload();
    }
    if (main_.Tag() == QLatin1String("OK")) RecordStore(main_.session()).markChanged();
    main_.setRecordDialogOpen(false);
}

void RecordCommands::LOESCHEN()
{
    const QString title = caption("mnuLOESCHEN");
    vb::Procedure p(kPrefix, title);
    bool confirmed = false;
    p.step([&] { confirmed = showSelection(QStringLiteral("L")); });
    if (!confirmed) return;
    const bool english = main_.session().SPRACHE() == 1;
    RecordStore store(main_.session());
    std::vector<RecordEntry> active;
    p.step([&] { active = store.activeRecords(); });
    if (p.cancelled()) return;
    for (const RecordEntry& record : active) {
        const int answer = MsgBox(english ? QStringLiteral("File ") + record.name + QStringLiteral(" will be deleted!")
                                          : QStringLiteral("Datensatz ") + record.name + QStringLiteral(" wird gelöscht!"),
                                  vb::vbExclamation | vb::vbOKCancel, title);
        if (answer == vb::vbOK && !p.step([&] { records::removeRecord(main_.session().cnnX, record.id); })) return;
    }
    p.step([&] { main_.SATZANZEIGE(); });
    p.step([&] { store.markChanged(); });
}

std::optional<int32_t> RecordCommands::chooseRecordId(const QString& name)
{
    db::Connection& cn = main_.session().cnnX;
    const std::optional<int32_t> existing = RecordNames::find(cn, name);
    if (!existing) {
        const int32_t id = records::nextRecordId(cn);
        records::removeRecordData(cn, id);
        return id;
    }
    const bool english = main_.session().SPRACHE() == 1;
    const int answer = MsgBox(english ? QStringLiteral("Do you want to overwrite the file") + name + QLatin1Char('?')
                                      : QStringLiteral("Soll der vorhandene Datensatz ") + name + QStringLiteral(" überschrieben werden?"),
                              vb::vbQuestion | vb::vbYesNo, main_.stbMAIN()->text(8));
    if (answer != vb::vbYes) return std::nullopt;
    // Only the name row goes: what was captured for the record (polygons, calibration,
    // evaluation) stays with its number and belongs to the record saved again under it.
    RecordStore(main_.session()).removeName(*existing);
    return existing;
}

void RecordCommands::saveInput()
{
    if (!eingabe_) return;
    // A record without a name could be neither listed nor chosen again.
    if (!eingabe_->txtKEN_LostFocus()) return;
    // Blanks around a name would make two records that look like one.
    const QString name = RecordNames::normalized(eingabe_->txtKEN->text());
    eingabe_->txtKEN->setText(name);
    vb::Procedure p(kPrefix, main_.stbMAIN()->text(8));
    p.endSilentlyOn({vb::errInvalidProperty, vb::errDialogCancelled});
    // All or nothing: an overwritten record comes back whole when any write fails.
    std::optional<db::Transaction> saving;
    p.step([&] { saving.emplace(main_.session().cnnX); });
    std::optional<int32_t> id;
    p.step([&] { id = chooseRecordId(name); });
    if (p.cancelled() || !saving || !id) return;
    pointer(Pointer::Hourglass);
    bool written = false;
    p.step([&] { written = eingabe_->OK(*id); });
    // By number, not by name: rows without a name must lose their flag too.
    if (written) p.step([&] { RecordStore(main_.session()).deactivateAllBut(*id); });
    if (!written || p.failed()) {
        pointer(Pointer::Default);
        return;
    }
    p.step([&] { saving->commit(); });
    if (p.failed()) return;
    p.step([&] { main_.SATZANZEIGE(); });
    p.step([&] { RecordStore(main_.session()).markChanged(); });
    p.step([&] { closeEntryWindow(); });
    pointer(Pointer::Default);
}

void RecordCommands::discardInput()
{
    vb::Procedure p(kPrefix, main_.stbMAIN()->text(9));
    p.endSilentlyOn({vb::errInvalidProperty, vb::errDialogCancelled});
    pointer(Pointer::Hourglass);
    p.step([&] { closeEntryWindow(); });
    pointer(Pointer::Default);
}
