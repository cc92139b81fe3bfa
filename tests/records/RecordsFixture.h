#pragma once

#include "platform/db/Connection.h"
#include "platform/db/DatabaseFile.h"
#include "platform/db/Recordset.h"
#include "platform/vb/Convert.h"
#include "support/FakeShell.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QStringList>
#include <gtest/gtest.h>

// A throw-away installation with project P1 whose working copy is open as cnnX.
class RecordsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::ui().clear();
        project = inst.addProject(QStringLiteral("P1"));
        SessionContext& s = shell.session_;
        s.setProgramFolder(inst.programFolder());
        s.setProject(inst.projectsFolder(), QStringLiteral("P1"), QStringLiteral("Tester"));
        db::DatabaseFile::copy(project, s.XMDBPFAD());
        s.cnnX.OpenFile(s.XMDBPFAD());
    }
    void TearDown() override { shell.session_.cnnX.Close(); }

    db::Connection& cn() { return shell.session_.cnnX; }
    void exec(const QString& sql) { cn().Execute(sql); }
    static void exec(db::Connection& c, const QString& sql) { c.Execute(sql); }

    // A record with one row in every record table, so that copies and deletions can be checked.
    static void addRecord(db::Connection& c, int id, const QString& ken, const QString& kom, bool akt)
    {
        const QString n = QString::number(id);
        c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (%1, '%2', %3, %4)")
                      .arg(n, ken, kom.isNull() ? QStringLiteral("NULL") : QLatin1Char('\'') + kom + QLatin1Char('\''),
                           akt ? QStringLiteral("1") : QStringLiteral("0")));
        c.Execute(QStringLiteral("INSERT INTO E2 (ID, LOGX, LOGY, OX, XMIN) VALUES (%1, 1, 0, 2, 0.5)").arg(n));
        c.Execute(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, GRUPPE, PX, PY) VALUES (%1, 1, 1, 'a', 1.5, 2), (%1, 1, 2, 'a', 3, 4)").arg(n));
        c.Execute(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (%1, 0)").arg(n));
        c.Execute(QStringLiteral("INSERT INTO G0 (ID, IDOBJEKT, XMIN, XMAX) VALUES (%1, 11, 0, 10)").arg(n));
        c.Execute(QStringLiteral("INSERT INTO G2_1 (ID, IDOBJEKT, LFDNR, KEN, TXT) VALUES (%1, 11, 1, 1, 'Kurve')").arg(n));
        c.Execute(QStringLiteral("INSERT INTO G2_2 (ID, IDOBJEKT, LFDNR, PKTNR, KEN, PX, PY) VALUES (%1, 11, 1, 1, 'p', 1, 2)").arg(n));
    }

    // The rows of record `id` per record table, e.g. "E1:1 E2:1 E3:2 A1:1 G0:1 G2_1:1 G2_2:1".
    static QString rowCounts(db::Connection& c, int id)
    {
        QStringList out;
        for (const char* t : {"E1", "E2", "E3", "A1", "G0", "G2_1", "G2_2"}) {
            db::Recordset rs(QStringLiteral("SELECT * FROM [%1] WHERE [ID]=%2").arg(QString::fromLatin1(t)).arg(id), c);
            out << QStringLiteral("%1:%2").arg(QString::fromLatin1(t)).arg(rs.RecordCount());
        }
        return out.join(QLatin1Char(' '));
    }

    static QStringList column(db::Connection& c, const QString& sql) { return TestEnvironment::column(c, sql); }
    QStringList column(const QString& sql) { return column(cn(), sql); }

    const QList<vb::ScriptedUi::Message>& messages() { return TestEnvironment::ui().messages; }

    TestInstallation inst;
    QString project;
    FakeShell shell;
};
