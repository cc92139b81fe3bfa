#include "records/ProjectCheck.h"

#include "platform/db/Connection.h"
#include "platform/db/SchemaCheck.h"

#include <QStringList>

namespace records {

QString projectProblems(const db::SchemaCheck& check, const QString& database, bool english)
{
    db::Connection cn;
    cn.OpenFile(database, 30, db::Connection::Access::ReadOnly);
    const QStringList foreign = check.foreignObjects(cn);
    const QStringList oversized = check.oversizedValues(cn);
    QStringList lines;
    const QString limit = QString::number(db::SchemaCheck::kTextLimit);
    if (!foreign.isEmpty())
        lines << (english ? QStringLiteral("The project database %1 contains foreign objects: %2")
                          : QStringLiteral("Die Projektdatenbank %1 enthält fremde Objekte: %2"))
                     .arg(database, foreign.join(QStringLiteral(", ")));
    if (!oversized.isEmpty())
        lines << (english ? QStringLiteral("The project database %1 contains values longer than %2 characters: %3")
                          : QStringLiteral("Die Projektdatenbank %1 enthält Werte mit mehr als %2 Zeichen: %3"))
                     .arg(database, limit, oversized.join(QStringLiteral(", ")));
    return lines.join(QStringLiteral("\r\n"));
}

}  // namespace records
