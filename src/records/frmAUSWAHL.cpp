#include "records/frmAUSWAHL.h"

#include "data/RecordStore.h"
#include "data/SessionContext.h"
#include "data/ShellWindow.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/widgets/DialogButtons.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString captionOf(const QString& mode, bool english)
{
    if (mode == QLatin1String("A")) return english ? QStringLiteral("File/Select") : QStringLiteral("Datei/Auswahl");
    if (mode == QLatin1String("O")) return english ? QStringLiteral("File/Open") : QStringLiteral("Datei/Öffnen");
    if (mode == QLatin1String("L")) return english ? QStringLiteral("File/Delete") : QStringLiteral("Datei/Löschen");
    if (mode == QLatin1String("E")) return english ? QStringLiteral("File/Export Inf.system") : QStringLiteral("Datei/Export Inf.system");
    return QString();
}

}  // namespace

frmAUSWAHL::frmAUSWAHL(ShellWindow& shell, QWidget* parent) : QDialog(parent), shell_(shell)
{
    setObjectName(QStringLiteral("frmAUSWAHL"));
    lstKEN = new QListWidget(this);
    lstKEN->setObjectName(QStringLiteral("lstKEN"));
    lstKEN->setSelectionMode(QAbstractItemView::MultiSelection);
    const vb::DialogButtons buttons(this);
    cmdOK = buttons.ok;
    cmdABBRECHEN = buttons.cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstKEN, 1);
    layout->addLayout(buttons.row);
    resize(340, 380);

    connect(cmdOK, &QPushButton::clicked, this, &frmAUSWAHL::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmAUSWAHL::cmdABBRECHEN_Click);
    connect(lstKEN->selectionModel(), &QItemSelectionModel::selectionChanged, this, &frmAUSWAHL::onSelectionChanged);
}

void frmAUSWAHL::Form_Load()
{
    const bool english = shell_.session().SPRACHE() == 1;
    loading_ = true;
    mode_ = shell_.Tag();
    setWindowTitle(captionOf(mode_, english));
    if (english) cmdABBRECHEN->setText(QStringLiteral("Cancel"));

    vb::Procedure p(QStringLiteral("VB-Error: "), windowTitle());
    vb::Ui::instance().SetPointer(vb::Pointer::Hourglass);
    p.step([&] {
        comments_.clear();
        lstKEN->clear();
        for (const RecordEntry& record : RecordStore(shell_.session()).records()) {
            // Numbers of 0 and below hold no record of the user's.
            if (record.id <= 0) continue;
            // Items know their record by its ID: names may be empty or repeat in old files.
            auto* item = new QListWidgetItem(record.name);
            item->setData(Qt::UserRole, record.id);
            lstKEN->addItem(item);
            comments_.append(record.comment);
            if (record.active) setSelected(lstKEN->count() - 1, true);
        }
    });
    vb::Ui::instance().SetPointer(vb::Pointer::Default);
    loading_ = false;
}

int32_t frmAUSWAHL::recordId(int index) const { return lstKEN->item(index)->data(Qt::UserRole).toInt(); }

void frmAUSWAHL::setSelected(int index, bool selected) { lstKEN->item(index)->setSelected(selected); }

int frmAUSWAHL::selectedCount() const { return static_cast<int>(lstKEN->selectedItems().size()); }

void frmAUSWAHL::onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    // The list's click: it also fires for the selections made while loading, and not for
    // the corrections the click rules make themselves.
    if (inClick_) return;
    const QModelIndexList changed = selected.indexes().isEmpty() ? deselected.indexes() : selected.indexes();
    if (changed.isEmpty()) return;
    lstKEN_Click(changed.first().row());
}

void frmAUSWAHL::lstKEN_Click(int index)
{
    if (index < 0 || index >= lstKEN->count()) return;
    inClick_ = true;
    vb::Procedure p(QStringLiteral("VB-Error: "), windowTitle());
    p.step([&] {
        if (mode_ == QLatin1String("O")) {
            if (loading_) {
                // At most one record is preselected for opening: the first in name order.
                if (selectedCount() > 1) {
                    int first = -1;
                    for (int i = 0; i < lstKEN->count(); ++i) {
                        if (!lstKEN->item(i)->isSelected()) continue;
                        if (first < 0) first = i;
                        else setSelected(i, false);
                    }
                    if (index != first) setSelected(index, false);
                }
            } else if (selectedCount() != 1) {
                setSelected(index, false);
            }
        } else if (!loading_ && (mode_ == QLatin1String("A") || mode_ == QLatin1String("E"))) {
            const int threshold = mode_ == QLatin1String("A") ? 2 : 1;
            if (selectedCount() >= threshold) checkEvaluated(index);
        }
    });
    p.step([&] { lstKEN->setToolTip(comments_.value(index)); });
    inClick_ = false;
}

void frmAUSWAHL::checkEvaluated(int index)
{
    // Several records may be active together only when each was evaluated on its own.
    const QString name = lstKEN->item(index)->text();
    const std::optional<bool> flag = RecordStore(shell_.session()).evaluationFlag(recordId(index));
    const bool missing = !flag;
    if (flag && !*flag) return;
    const bool english = shell_.session().SPRACHE() == 1;
    vb::MsgBox(english ? QStringLiteral("File ") + name + QStringLiteral(" has to be calculated first!")
                       : QStringLiteral("Datensatz ") + name + QStringLiteral(" muß zuerst einzeln ausgewertet werden!"),
               vb::vbExclamation | vb::vbOKOnly, SessionContext::title());
    if (missing) setSelected(index, false);
}

void frmAUSWAHL::cmdOK_Click()
{
    vb::Procedure p(QStringLiteral("VB-Error: "), windowTitle());
    vb::Ui::instance().SetPointer(vb::Pointer::Hourglass);
    p.step([&] {
        std::map<int32_t, bool> marks;
        for (int i = 0; i < lstKEN->count(); ++i) marks[recordId(i)] = lstKEN->item(i)->isSelected();
        RecordStore(shell_.session()).setActive(marks);
    });
    if (!p.cancelled()) {
        shell_.setTag(QStringLiteral("OK"));
        accept();
    }
    vb::Ui::instance().SetPointer(vb::Pointer::Default);
}

void frmAUSWAHL::cmdABBRECHEN_Click()
{
    shell_.setTag(QStringLiteral("Abbrechen"));
    reject();
}
