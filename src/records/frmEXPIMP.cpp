#include "records/frmEXPIMP.h"

#include "data/ProjectSchema.h"
#include "data/RecordNames.h"
#include "data/SessionContext.h"
#include "data/ShellWindow.h"
#include "platform/db/Recordset.h"
#include "platform/db/SchemaCheck.h"
#include "platform/os/Os.h"
#include "platform/os/SafePath.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"
#include "records/DriveList.h"
#include "records/FolderList.h"
#include "records/ProjectCheck.h"
#include "records/RecordTables.h"

#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kPrefix = QStringLiteral("VB-Error: ");
const QString kCopyTitle = QStringLiteral("Export/Import");

bool samePath(const QString& a, const QString& b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

}  // namespace

frmEXPIMP::frmEXPIMP(ShellWindow& shell, QWidget* parent) : QDialog(parent), shell_(shell), other_(std::make_unique<db::Connection>())
{
    setObjectName(QStringLiteral("frmEXPIMP"));
    setWindowTitle(QStringLiteral("Export/Import"));

    fraIMP = new QGroupBox(this);
    fraIMP->setObjectName(QStringLiteral("fraIMP"));
    lstIMP = new QListWidget(fraIMP);
    lstIMP->setObjectName(QStringLiteral("lstIMP"));
    lstIMP->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* impLayout = new QVBoxLayout(fraIMP);
    impLayout->addWidget(lstIMP);

    fraEXP = new QGroupBox(this);
    fraEXP->setObjectName(QStringLiteral("fraEXP"));
    drvEXP = new DriveList(fraEXP);
    drvEXP->setObjectName(QStringLiteral("drvEXP"));
    dirEXP = new FolderList(fraEXP);
    dirEXP->setObjectName(QStringLiteral("dirEXP"));
    lstEXP = new QListWidget(fraEXP);
    lstEXP->setObjectName(QStringLiteral("lstEXP"));
    lstEXP->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* expLayout = new QVBoxLayout(fraEXP);
    expLayout->addWidget(drvEXP);
    expLayout->addWidget(dirEXP, 1);
    expLayout->addWidget(lstEXP, 1);

    cmdEXP = new QPushButton(QApplication::style()->standardIcon(QStyle::SP_ArrowRight), QStringLiteral("Export"), this);
    cmdEXP->setObjectName(QStringLiteral("cmdEXP"));
    cmdEXP->setLayoutDirection(Qt::RightToLeft);  // the arrow after the word, pointing at the other project
    cmdIMP = new QPushButton(QApplication::style()->standardIcon(QStyle::SP_ArrowLeft), QStringLiteral("Import"), this);
    cmdIMP->setObjectName(QStringLiteral("cmdIMP"));
    cmdSCHLIESSEN = new QPushButton(QStringLiteral("Schließen"), this);
    cmdSCHLIESSEN->setObjectName(QStringLiteral("cmdSCHLIESSEN"));

    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(cmdEXP);
    middle->addWidget(cmdIMP);
    middle->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addWidget(fraIMP, 1);
    columns->addLayout(middle);
    columns->addWidget(fraEXP, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmdSCHLIESSEN);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(bottom);
    resize(760, 480);

    connect(drvEXP, &DriveList::driveChanged, this, &frmEXPIMP::drvEXP_Change);
    connect(dirEXP, &FolderList::pathChanged, this, &frmEXPIMP::dirEXP_Change);
    connect(cmdEXP, &QPushButton::clicked, this, &frmEXPIMP::cmdEXP_Click);
    connect(cmdIMP, &QPushButton::clicked, this, &frmEXPIMP::cmdIMP_Click);
    connect(cmdSCHLIESSEN, &QPushButton::clicked, this, &frmEXPIMP::cmdSCHLIESSEN_Click);
}

frmEXPIMP::~frmEXPIMP() { Form_Unload(); }

bool frmEXPIMP::step(const QString& title, const std::function<void()>& f)
{
    try {
        f();
    } catch (const vb::VbError& e) {
        return vb::MsgBox(vb::Procedure::message(kPrefix, e.number(), e.description()), vb::vbOKCancel, title) != vb::vbCancel;
    }
    return true;
}

void frmEXPIMP::Form_Load()
{
    vb::Ui::instance().SetPointer(vb::Pointer::Hourglass);
    SessionContext& s = shell_.session();
    sprache_ = s.SPRACHE();
    const bool english = sprache_ == 1;
    step(windowTitle(), [&] {
        const QString project = s.projectFolder();
        drvEXP->blockSignals(true);
        drvEXP->setDrive(project);
        drvEXP->blockSignals(false);
        dirEXP->setPath(vb::Os::parentFolder(project));
        fraIMP->setTitle((english ? QStringLiteral("Selected Projekt: ") : QStringLiteral("Aktuelles Projekt: ")) + s.PROJEKT());
        fraEXP->setTitle(english ? QStringLiteral("External Project") : QStringLiteral("Externes Projekt"));
        if (english) cmdSCHLIESSEN->setText(QStringLiteral("Quit"));
        fillList(lstIMP, s.cnnX);
    });
    otherOpen_ = false;
    vb::Ui::instance().SetPointer(vb::Pointer::Default);
}

void frmEXPIMP::fillList(QListWidget* list, db::Connection& cn)
{
    list->clear();
    db::Recordset rs(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]<>'M' ORDER BY [KEN]"), cn);
    if (rs.IsEOF()) {
        list->addItem(QStringLiteral("<leer>"));
        return;
    }
    for (const int position : RecordNames::order(rs, rs.fieldName(1), sprache_)) {
        rs.setAbsolutePosition(position);
        // A record without a comment is listed by its name alone.
        const QString comment = vb::toText(rs.field(2));
        auto* item = new QListWidgetItem(comment.isEmpty() ? vb::toText(rs.field(1))
                                                           : vb::toText(rs.field(1)) + QStringLiteral(" (") + comment + QLatin1Char(')'));
        item->setData(Qt::UserRole, vb::CLng(rs.field(0)));
        list->addItem(item);
    }
}

void frmEXPIMP::drvEXP_Change()
{
    step(windowTitle(), [&] { dirEXP->setPath(drvEXP->drive()); });
}

void frmEXPIMP::dirEXP_Change()
{
    const QString candidate = vb::Os::join(dirEXP->path(), SessionContext::title() + QStringLiteral(".mdb"));
    // The user's own working copy and folders without a project database are no other project.
    if (samePath(candidate, shell_.session().XMDBPFAD()) || !vb::Os::fileExists(candidate)) return;
    const bool english = sprache_ == 1;
    step(windowTitle(), [&] {
        if (otherOpen_) other_->Close();
        otherOpen_ = false;
        // Another project is looked at, not worked on: it is read without being changed, and
        // one with objects the template does not know (a trigger would run on every export
        // into it, a view might never end) or with over-long values is not listed at all.
        if (vb::SafePath::isLink(candidate)) vb::raise(vb::errPathAccess, QStringLiteral("The database '%1' is a symbolic link.").arg(candidate));
        const QString problems = records::projectProblems(db::SchemaCheck(shell_.session().templateDatabase()), candidate, english);
        if (!problems.isEmpty()) {
            lstEXP->clear();
            vb::MsgBox(problems, vb::vbExclamation | vb::vbOKOnly, windowTitle());
            return;
        }
        other_->OpenFile(candidate, 30, db::Connection::Access::ReadOnly);
        otherOpen_ = true;
        fillList(lstEXP, *other_);
        fraEXP->setTitle((english ? QStringLiteral("Project ") : QStringLiteral("Projekt ")) + QFileInfo(dirEXP->path()).fileName());
    });
}

void frmEXPIMP::cmdEXP_Click()
{
    if (!otherOpen_ || lstIMP->selectedItems().isEmpty()) return;
    // Written only for the export, through a connection of its own.
    db::Connection target;
    step(windowTitle(), [&] { target.OpenFile(other_->path()); });
    if (!target.isOpen()) return;
    KOPIEREN(shell_.session().cnnX, lstIMP, target);
    target.Close();
    step(windowTitle(), [&] { fillList(lstEXP, *other_); });
}

void frmEXPIMP::cmdIMP_Click()
{
    if (!otherOpen_ || lstEXP->selectedItems().isEmpty()) return;
    KOPIEREN(*other_, lstEXP, shell_.session().cnnX);
    step(windowTitle(), [&] { fillList(lstIMP, shell_.session().cnnX); });
    otherOpen_ = true;
}

void frmEXPIMP::KOPIEREN(db::Connection& source, QListWidget* list, db::Connection& target)
{
    vb::Ui::instance().SetPointer(vb::Pointer::Hourglass);
    // A project of an older edition takes the records with everything they remember.
    if (!step(kCopyTitle, [&] { ProjectSchema::upgrade(target); })) {
        vb::Ui::instance().SetPointer(vb::Pointer::Default);
        return;
    }
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        // "<leer>" stands for no record at all.
        if (!item->isSelected() || !item->data(Qt::UserRole).isValid()) continue;
        const int32_t sourceId = item->data(Qt::UserRole).toInt();
        bool cancelAll = false;
        const bool goOn = step(kCopyTitle, [&] {
            db::Recordset row(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=") + QString::number(sourceId), source);
            if (row.IsEOF()) return;
            const QString name = vb::toText(row.field(1));
            row.Close();
            if (RecordNames::find(target, name)) {
                cancelAll = vb::MsgBox(QStringLiteral("Datensatz ") + name + QStringLiteral(" ist bereits vorhanden!"),
                                       vb::vbExclamation | vb::vbOKCancel, SessionContext::title())
                            == vb::vbCancel;
                return;
            }
            records::copyRecord(source, target, sourceId, records::nextRecordId(target));
        });
        if (!goOn || cancelAll) break;
    }
    vb::Ui::instance().SetPointer(vb::Pointer::Default);
}

void frmEXPIMP::cmdSCHLIESSEN_Click() { accept(); }

void frmEXPIMP::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmEXPIMP::Form_Unload()
{
    if (unloaded_) return;
    unloaded_ = true;
    if (otherOpen_) {
        other_->Close();
        shell_.setTag(QStringLiteral("OK"));
    }
    otherOpen_ = false;
    other_.reset();
}
