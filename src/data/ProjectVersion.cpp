#include "data/ProjectVersion.h"

#include "platform/db/Connection.h"
#include "platform/db/Statement.h"

#include <QFile>
#include <sys/stat.h>

ProjectVersion ProjectVersion::of(const QString& path)
{
    ProjectVersion version;
    version.file = fileIdentity(path);
    if (version.file.isEmpty()) return version;
    db::Connection cn;
    cn.OpenFile(path);
    version.counter = counterOf(cn);
    return version;
}

int32_t ProjectVersion::counterOf(db::Connection& cn, const QString& schema)
{
    if (!cn.prepare(QStringLiteral("SELECT 1 FROM [%1].sqlite_master WHERE type='table' AND name='STAND'").arg(schema)).next()) return 0;
    db::Statement st = cn.prepare(QStringLiteral("SELECT max([ZAEHLER]) FROM [%1].[STAND]").arg(schema));
    return st.next() && !st.isNull(0) ? static_cast<int32_t>(st.integer(0)) : 0;
}

QString ProjectVersion::fileIdentity(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return QString();
    return QStringLiteral("%1:%2:%3:%4.%5")
        .arg(st.st_dev)
        .arg(st.st_ino)
        .arg(st.st_size)
        .arg(st.st_mtim.tv_sec)
        .arg(st.st_mtim.tv_nsec);
}
