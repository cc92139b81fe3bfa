#include "data/SessionChanges.h"

#include "data/RecordSchema.h"

#include "platform/db/Connection.h"
#include "platform/db/Quoted.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "platform/vb/Convert.h"

namespace {

const QString kTriggerPrefix = QStringLiteral("VELOR_AENDERUNG_");

QStringList triggerNames(db::Connection& cn)
{
    QStringList names;
    db::Statement st = cn.prepare(QStringLiteral("SELECT [name] FROM temp.sqlite_master WHERE type='trigger' AND [name] LIKE 'VELOR\\_AENDERUNG\\_%' ESCAPE '\\'"));
    while (st.next()) names << st.text(0);
    return names;
}

// A row counts as changed when a column other than AKT has another value.
QString changedCondition(const QStringList& columns)
{
    QStringList parts;
    for (const QString& column : columns)
        if (column.compare(QLatin1String("AKT"), Qt::CaseInsensitive) != 0)
            parts << QStringLiteral("NEW.[%1] IS NOT OLD.[%1]").arg(column);
    return parts.isEmpty() ? QStringLiteral("0") : parts.join(QStringLiteral(" OR "));
}

}  // namespace

void SessionChanges::track()
{
    cn_.Execute(QStringLiteral("CREATE TABLE IF NOT EXISTS [STAND] ([ZAEHLER] LONG, [BENUTZER] TEXT COLLATE NOCASE)"));
    cn_.Execute(QStringLiteral("CREATE TABLE IF NOT EXISTS [SATZSTAND] ([SATZ] LONG PRIMARY KEY, [ZAEHLER] LONG, [BENUTZER] TEXT COLLATE NOCASE)"));
    cn_.Execute(QStringLiteral("CREATE TABLE IF NOT EXISTS [SITZUNG] ([ZAEHLER] LONG, [DATEI] TEXT)"));
    cn_.Execute(QStringLiteral("CREATE TABLE IF NOT EXISTS [GEAENDERT] ([SATZ] LONG PRIMARY KEY, [NEU] BOOLEAN)"));
    stopTracking();
    // Temporary triggers belong to this connection only: a copy of the file carries none.
    for (const QString& table : RecordSchema::idTables(cn_)) {
        const QString isNew = table.compare(QLatin1String("E1"), Qt::CaseInsensitive) == 0 ? QStringLiteral("1") : QStringLiteral("0");
        const QString mark = QStringLiteral("INSERT OR IGNORE INTO [GEAENDERT] ([SATZ],[NEU]) VALUES (%1, %2);");
        const QString name = kTriggerPrefix + table;
        cn_.Execute(QStringLiteral("CREATE TEMP TRIGGER [%1_I] AFTER INSERT ON main.[%2] BEGIN %3 END").arg(name, table, mark.arg(QStringLiteral("NEW.[ID]"), isNew)));
        cn_.Execute(QStringLiteral("CREATE TEMP TRIGGER [%1_D] AFTER DELETE ON main.[%2] BEGIN %3 END").arg(name, table, mark.arg(QStringLiteral("OLD.[ID]"), QStringLiteral("0"))));
        cn_.Execute(QStringLiteral("CREATE TEMP TRIGGER [%1_U] AFTER UPDATE ON main.[%2] WHEN %3 BEGIN %4 %5 END")
                        .arg(name, table, changedCondition(RecordSchema::columns(cn_, table)),
                             mark.arg(QStringLiteral("OLD.[ID]"), QStringLiteral("0")), mark.arg(QStringLiteral("NEW.[ID]"), QStringLiteral("0"))));
    }
}

void SessionChanges::stopTracking()
{
    for (const QString& trigger : triggerNames(cn_)) cn_.Execute(QStringLiteral("DROP TRIGGER temp.[%1]").arg(trigger));
}

std::optional<ProjectVersion> SessionChanges::base()
{
    db::Statement st = cn_.prepare(QStringLiteral("SELECT [ZAEHLER],[DATEI] FROM [SITZUNG]"));
    if (!st.next()) return std::nullopt;
    return ProjectVersion{static_cast<int32_t>(st.integer(0)), st.text(1)};
}

void SessionChanges::setBase(const ProjectVersion& version)
{
    db::Transaction t(cn_);
    cn_.Execute(QStringLiteral("DELETE FROM [SITZUNG]"));
    cn_.Execute(QStringLiteral("INSERT INTO [SITZUNG] ([ZAEHLER],[DATEI]) VALUES (?, ?)"),
                {vb::Value(version.counter), vb::Value(version.file)});
    t.commit();
}

std::vector<SessionChanges::Change> SessionChanges::changes()
{
    std::vector<Change> out;
    db::Statement st = cn_.prepare(QStringLiteral("SELECT [SATZ],[NEU] FROM [GEAENDERT] ORDER BY [SATZ]"));
    while (st.next()) out.push_back({static_cast<int32_t>(st.integer(0)), st.integer(1) != 0});
    return out;
}

namespace {

QString stamps(int32_t counter, const QString& user)
{
    return QStringLiteral("DELETE FROM [STAND]; INSERT INTO [STAND] ([ZAEHLER],[BENUTZER]) VALUES (%1, %2);"
                          "INSERT OR REPLACE INTO [SATZSTAND] ([SATZ],[ZAEHLER],[BENUTZER]) SELECT [SATZ], %1, %2 FROM [GEAENDERT];")
        .arg(counter)
        .arg(db::quoted(user));
}

}  // namespace

QString SessionChanges::asSaved(int32_t counter, const QString& user) { return stamps(counter, user) + withoutSessionTables(); }

void SessionChanges::saved(int32_t counter, const QString& user, const ProjectVersion& version)
{
    db::Transaction t(cn_);
    cn_.Execute(stamps(counter, user));
    taken(version);
    t.commit();
}

void SessionChanges::taken(const ProjectVersion& version)
{
    db::Transaction t(cn_);
    cn_.Execute(QStringLiteral("DELETE FROM [GEAENDERT]"));
    setBase(version);
    t.commit();
}

QString SessionChanges::withoutSessionTables()
{
    return QStringLiteral("DROP TABLE IF EXISTS [SITZUNG]; DROP TABLE IF EXISTS [GEAENDERT];");
}
