// Record lists in the order of the session's language.
#include "data/RecordNames.h"
#include "platform/db/Connection.h"
#include "platform/db/DatabaseFile.h"
#include "platform/db/Recordset.h"
#include "platform/vb/Convert.h"
#include "support/TestEnvironment.h"

#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(RecordNames, SortByTheSessionsLanguageWhateverTheSystemLocale)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("VELOR.mdb"));
    db::DatabaseFile::copy(TestEnvironment::velorTemplate(), path);
    db::Connection cn;
    cn.OpenFile(path);
    int id = 0;
    for (const char* name : {"Zebra", "Öl", "äpfel", "Apfel", "ober"})
        cn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (%1, '%2')").arg(++id).arg(QString::fromUtf8(name)));
    const QLocale system;
    QLocale::setDefault(QLocale::c());  // as under LANG=C.UTF-8
    for (const int16_t sprache : {int16_t{1}, int16_t{3}}) {
        db::Recordset rs(QStringLiteral("SELECT [KEN] FROM [E1] ORDER BY [KEN]"), cn);
        QStringList names;
        for (const int position : RecordNames::order(rs, QStringLiteral("KEN"), sprache)) {
            rs.setAbsolutePosition(position);
            names << vb::toText(rs.field(0));
        }
        EXPECT_EQ(names, (QStringList{QStringLiteral("Apfel"), QStringLiteral("äpfel"), QStringLiteral("ober"), QStringLiteral("Öl"),
                                      QStringLiteral("Zebra")}))
            << sprache;
    }
    QLocale::setDefault(system);
}
