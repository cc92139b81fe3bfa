#include "data/ProjectMerge.h"

#include "data/RecordNames.h"
#include "data/RecordSchema.h"
#include "data/SessionChanges.h"
#include "data/SessionContext.h"
#include "platform/db/Connection.h"
#include "platform/db/Quoted.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"

#include <algorithm>
#include <optional>

namespace {

const QString kProject = QStringLiteral("PROJEKT");

int32_t number(db::Connection& cn, const QString& sql)
{
    db::Statement st = cn.prepare(sql);
    return st.next() && !st.isNull(0) ? static_cast<int32_t>(st.integer(0)) : 0;
}

// The first column of the first row as a text; none without a row.
std::optional<QString> text(db::Connection& cn, const QString& sql)
{
    db::Statement st = cn.prepare(sql);
    if (!st.next()) return std::nullopt;
    return st.text(0);
}

bool hasTable(db::Connection& cn, const QString& schema, const QString& table)
{
    return number(cn, QStringLiteral("SELECT count(*) FROM [%1].sqlite_master WHERE type='table' AND name=%2").arg(schema, db::quoted(table))) > 0;
}

}  // namespace

ProjectMerge::ProjectMerge(SessionContext& session, QString title) : session_(session), cn_(session.cnnX), title_(std::move(title)) {}

ProjectVersion ProjectMerge::run(const ProjectVersion& base)
{
    const QString path = session_.projectDatabase();
    ProjectVersion theirs{0, ProjectVersion::fileIdentity(path)};
    SessionChanges changes(cn_);
    // The merge's own writes are no changes of this session.
    changes.stopTracking();
    cn_.Execute(QStringLiteral("ATTACH DATABASE %1 AS [%2]").arg(db::quoted(path), kProject));
    try {
        db::Transaction t(cn_);
        theirs.counter = ProjectVersion::counterOf(cn_, kProject);
        merge(base, theirs.counter);
        changes.setBase(theirs);
        t.commit();
    } catch (...) {
        cn_.Execute(QStringLiteral("DETACH DATABASE [%1]").arg(kProject));
        changes.track();
        throw;
    }
    cn_.Execute(QStringLiteral("DETACH DATABASE [%1]").arg(kProject));
    changes.track();
    return theirs;
}

void ProjectMerge::merge(const ProjectVersion& base, int32_t theirCounter)
{
    tables_ = RecordSchema::idTables(cn_);
    const QStringList theirTables = RecordSchema::idTables(cn_, kProject);
    sharedTables_.clear();
    for (const QString& table : tables_)
        if (theirTables.contains(table, Qt::CaseInsensitive)) sharedTables_ << table;
    highestId_ = 0;
    for (const QString& table : tables_) highestId_ = std::max(highestId_, number(cn_, QStringLiteral("SELECT max([ID]) FROM main.[%1]").arg(table)));
    for (const QString& table : sharedTables_)
        highestId_ = std::max(highestId_, number(cn_, QStringLiteral("SELECT max([ID]) FROM [%1].[%2]").arg(kProject, table)));

    collectTheirChanges(base, theirCounter);
    renumberCollidingNewRecords();
    resolveRecordsChangedByBoth();
    takeTheirRecords();
    takeTheirBookkeeping();
    cn_.Execute(QStringLiteral("DROP TABLE temp.[THEIRS]"));
}

void ProjectMerge::collectTheirChanges(const ProjectVersion& base, int32_t theirCounter)
{
    cn_.Execute(QStringLiteral("DROP TABLE IF EXISTS temp.[THEIRS]"));
    cn_.Execute(QStringLiteral("CREATE TEMP TABLE [THEIRS] ([SATZ] LONG PRIMARY KEY)"));
    if (theirCounter > base.counter && hasTable(cn_, kProject, QStringLiteral("SATZSTAND"))) {
        cn_.Execute(QStringLiteral("INSERT INTO temp.[THEIRS] SELECT [SATZ] FROM [%1].[SATZSTAND] WHERE [ZAEHLER] > %2").arg(kProject).arg(base.counter));
        return;
    }
    // Written by a program that marks no records: any record may have changed.
    for (const QString& table : sharedTables_)
        cn_.Execute(QStringLiteral("INSERT OR IGNORE INTO temp.[THEIRS] SELECT [ID] FROM [%1].[%2] UNION SELECT [ID] FROM main.[%2]").arg(kProject, table));
}

bool ProjectMerge::inProject(int32_t id)
{
    for (const QString& table : sharedTables_)
        if (number(cn_, QStringLiteral("SELECT count(*) FROM [%1].[%2] WHERE [ID]=%3").arg(kProject, table).arg(id)) > 0) return true;
    return false;
}

int32_t ProjectMerge::nextFreeId() { return ++highestId_; }

void ProjectMerge::renumber(int32_t from, int32_t to)
{
    for (const QString& table : tables_) cn_.Execute(QStringLiteral("UPDATE main.[%1] SET [ID]=%2 WHERE [ID]=%3").arg(table).arg(to).arg(from));
    cn_.Execute(QStringLiteral("UPDATE main.[GEAENDERT] SET [SATZ]=%1, [NEU]=1 WHERE [SATZ]=%2").arg(to).arg(from));
}

void ProjectMerge::renumberCollidingNewRecords()
{
    for (const SessionChanges::Change& change : SessionChanges(cn_).changes())
        if (change.isNew && inProject(change.id)) renumber(change.id, nextFreeId());
}

// Whether the record's rows differ on the two sides, AKT aside.
bool ProjectMerge::differs(int32_t id)
{
    for (const QString& table : tables_) {
        if (!sharedTables_.contains(table)) {
            if (number(cn_, QStringLiteral("SELECT count(*) FROM main.[%1] WHERE [ID]=%2").arg(table).arg(id)) > 0) return true;
            continue;
        }
        const QString columns = columnsOf(table);
        const QString mine = QStringLiteral("SELECT %1 FROM main.[%2] WHERE [ID]=%3").arg(columns, table).arg(id);
        const QString theirs = QStringLiteral("SELECT %1 FROM [%2].[%3] WHERE [ID]=%4").arg(columns, kProject, table).arg(id);
        if (number(cn_, QStringLiteral("SELECT count(*) FROM (%1 EXCEPT %2)").arg(mine, theirs)) > 0
            || number(cn_, QStringLiteral("SELECT count(*) FROM (%1 EXCEPT %2)").arg(theirs, mine)) > 0)
            return true;
    }
    return false;
}

// The columns both sides have, AKT aside (the session's own choice of records).
QString ProjectMerge::columnsOf(const QString& table)
{
    const QStringList theirs = RecordSchema::columns(cn_, table, kProject);
    QStringList shared;
    for (const QString& column : RecordSchema::columns(cn_, table))
        if (theirs.contains(column, Qt::CaseInsensitive) && column.compare(QLatin1String("AKT"), Qt::CaseInsensitive) != 0)
            shared << QStringLiteral("[%1]").arg(column);
    return shared.join(QLatin1Char(','));
}

QString ProjectMerge::nameOf(int32_t id)
{
    return text(cn_, QStringLiteral("SELECT [KEN] FROM main.[E1] WHERE [ID]=%1").arg(id)).value_or(QString());
}

QString ProjectMerge::lastSaverOf(int32_t id)
{
    if (const auto saver = text(cn_, QStringLiteral("SELECT [BENUTZER] FROM [%1].[SATZSTAND] WHERE [SATZ]=%2").arg(kProject).arg(id)))
        return *saver;
    if (!hasTable(cn_, kProject, QStringLiteral("STAND"))) return QStringLiteral("?");
    return text(cn_, QStringLiteral("SELECT [BENUTZER] FROM [%1].[STAND]").arg(kProject)).value_or(QStringLiteral("?"));
}

QString ProjectMerge::copyName(const QString& name)
{
    QStringList taken;
    for (const QString& schema : {QStringLiteral("main"), kProject}) {
        db::Statement st = cn_.prepare(QStringLiteral("SELECT [KEN] FROM [%1].[E1]").arg(schema));
        while (st.next()) taken << st.text(0);
    }
    for (int n = 2;; ++n) {
        const QString candidate = name + QStringLiteral(" (%1)").arg(n);
        if (std::none_of(taken.begin(), taken.end(), [&](const QString& t) { return RecordNames::same(t, candidate); })) return candidate;
    }
}

ProjectMerge::Choice ProjectMerge::ask(const QString& name, const QString& otherUser)
{
    const QString copy = copyName(name);
    const bool english = session_.SPRACHE() == 1;
    const QString text = english ? QStringLiteral("Record ") + name + QStringLiteral(" was changed and saved by ") + otherUser
                                       + QStringLiteral(" too!") + vb::vbCrLf + QStringLiteral("Yes: overwrite the version of ") + otherUser
                                       + QStringLiteral(" with yours") + vb::vbCrLf + QStringLiteral("No: keep the version of ") + otherUser
                                       + vb::vbCrLf + QStringLiteral("Cancel: save yours as a copy \"") + copy + QStringLiteral("\"")
                                 : QStringLiteral("Datensatz ") + name + QStringLiteral(" wurde auch von ") + otherUser
                                       + QStringLiteral(" geändert und gespeichert!") + vb::vbCrLf + QStringLiteral("Ja: die Fassung von ")
                                       + otherUser + QStringLiteral(" mit Ihrer überschreiben") + vb::vbCrLf
                                       + QStringLiteral("Nein: die Fassung von ") + otherUser + QStringLiteral(" behalten") + vb::vbCrLf
                                       + QStringLiteral("Abbrechen: Ihre Fassung als Kopie \"") + copy + QStringLiteral("\" speichern");
    const int answer = vb::MsgBox(text, vb::vbQuestion | vb::vbYesNoCancel, title_);
    return answer == vb::vbYes ? Choice::Mine : answer == vb::vbNo ? Choice::Theirs : Choice::MineAsCopy;
}

void ProjectMerge::resolveRecordsChangedByBoth()
{
    for (const SessionChanges::Change& change : SessionChanges(cn_).changes()) {
        if (change.isNew || number(cn_, QStringLiteral("SELECT count(*) FROM temp.[THEIRS] WHERE [SATZ]=%1").arg(change.id)) == 0) continue;
        // Deleted here: their changes stay. Deleted there or changed alike: nothing to ask.
        const bool deletedHere = number(cn_, QStringLiteral("SELECT count(*) FROM main.[E1] WHERE [ID]=%1").arg(change.id)) == 0;
        if (!deletedHere && (!inProject(change.id) || !differs(change.id))) continue;
        const QString mine = nameOf(change.id);
        const Choice choice = deletedHere ? Choice::Theirs : ask(mine, lastSaverOf(change.id));
        if (choice == Choice::Mine) continue;
        if (choice == Choice::MineAsCopy) {
            const int32_t copy = nextFreeId();
            const QString name = copyName(mine);
            renumber(change.id, copy);
            cn_.Execute(QStringLiteral("UPDATE main.[E1] SET [KEN]=%1 WHERE [ID]=%2").arg(db::quoted(name)).arg(copy));
        }
        cn_.Execute(QStringLiteral("DELETE FROM main.[GEAENDERT] WHERE [SATZ]=%1").arg(change.id));
    }
}

void ProjectMerge::takeTheirRecords()
{
    const QString taken = QStringLiteral("(SELECT [SATZ] FROM temp.[THEIRS] WHERE [SATZ] NOT IN (SELECT [SATZ] FROM main.[GEAENDERT]))");
    // Which records this session has chosen stays its own choice.
    cn_.Execute(QStringLiteral("CREATE TEMP TABLE [AKTIV] AS SELECT [ID] FROM main.[E1] WHERE [AKT]"));
    for (const QString& table : tables_) cn_.Execute(QStringLiteral("DELETE FROM main.[%1] WHERE [ID] IN %2").arg(table, taken));
    for (const QString& table : sharedTables_) {
        const QString columns = columnsOf(table);
        cn_.Execute(QStringLiteral("INSERT INTO main.[%1] (%2) SELECT %2 FROM [%3].[%1] WHERE [ID] IN %4").arg(table, columns, kProject, taken));
    }
    cn_.Execute(QStringLiteral("UPDATE main.[E1] SET [AKT]=([ID] IN (SELECT [ID] FROM temp.[AKTIV])) WHERE [ID] IN %1").arg(taken));
    cn_.Execute(QStringLiteral("DROP TABLE temp.[AKTIV]"));
}

void ProjectMerge::takeTheirBookkeeping()
{
    for (const QString& table : {QStringLiteral("STAND"), QStringLiteral("SATZSTAND")}) {
        if (!hasTable(cn_, kProject, table)) continue;
        cn_.Execute(QStringLiteral("DELETE FROM main.[%1]").arg(table));
        cn_.Execute(QStringLiteral("INSERT INTO main.[%1] SELECT * FROM [%2].[%1]").arg(table, kProject));
    }
}
