#include "data/AdminTable.h"

#include "platform/db/Quoted.h"
#include "platform/db/Recordset.h"
#include "platform/vb/Convert.h"

namespace {

QString rowsOf(const QString& user, const QString& columns)
{
    return QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM [ADMIN] WHERE [BENUTZER]=") + db::quoted(user);
}

}  // namespace

void AdminTable::open(const QString& archivePath) { cn_.Open(db::Connection::connectionString(archivePath), 30); }

std::optional<AdminTable::Entry> AdminTable::read(const QString& user, const QString* program)
{
    db::Recordset rs(rowsOf(user, QStringLiteral("*")), cn_);
    if (rs.IsEOF()) return std::nullopt;
    rs.MoveFirst();
    if (program) {
        rs.setField(QStringLiteral("PROG"), *program);
        rs.Update();
    }
    return Entry{vb::toText(rs.field(QStringLiteral("PROJEKTSPFAD"))), vb::toText(rs.field(QStringLiteral("PROJEKT"))),
                 vb::toText(rs.field(QStringLiteral("BEARBEITER")))};
}

std::optional<AdminTable::Entry> AdminTable::entry(const QString& user) { return read(user, nullptr); }

std::optional<AdminTable::Entry> AdminTable::enter(const QString& user, const QString& program) { return read(user, &program); }

void AdminTable::setProgram(const QString& user, const QString& program)
{
    db::Recordset rs(rowsOf(user, QStringLiteral("[PROG]")), cn_);
    if (rs.IsEOF()) return;
    rs.MoveFirst();
    rs.setField(QStringLiteral("PROG"), program);
    rs.Update();
}

void AdminTable::registerUser(const QString& user, const Entry& entry)
{
    db::Recordset rs(rowsOf(user, QStringLiteral("*")), cn_);
    if (rs.IsEOF()) {
        rs.AddNew();
        rs.setField(QStringLiteral("BENUTZER"), user);
    } else {
        rs.MoveFirst();
    }
    rs.setField(QStringLiteral("PROG"), frameProgram());
    rs.setField(QStringLiteral("PROJEKTSPFAD"), entry.projectsFolder);
    rs.setField(QStringLiteral("PROJEKT"), entry.project);
    rs.setField(QStringLiteral("BEARBEITER"), entry.bearbeiter);
    rs.Update();
}
