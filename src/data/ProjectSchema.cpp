#include "data/ProjectSchema.h"

#include "platform/db/DatabaseFile.h"
#include "platform/vb/VbError.h"

#include <QFile>

void ProjectSchema::upgrade(db::Connection& connection)
{
    // The very script the empty project database is made from, so both cannot differ.
    QFile script(QStringLiteral(":/schema/velor.sql"));
    if (!script.open(QIODevice::ReadOnly)) vb::raise(vb::errDatabase, QStringLiteral("The project schema is missing from the program"));
    db::DatabaseFile::upgrade(connection, QString::fromUtf8(script.readAll()));
}
