#pragma once

#include "data/SessionContext.h"
#include "data/clsDATEN.h"
#include "platform/db/Recordset.h"
#include "platform/vb/Convert.h"
#include "support/TestEnvironment.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// A project database made from the real template, opened as the session's cnnX, with two
// records in E1 of which record 7 is the active one.
class DataFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::ui().clear();
        projectDb = installation.addProject(QStringLiteral("P1"));
        session.setProject(installation.projectsFolder(), QStringLiteral("P1"), QStringLiteral("Tester"));
        session.cnnX.OpenFile(projectDb);
        exec("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (3, 'Zweite', NULL, 0), (7, 'Erste', 'k', 1)");
        dat = std::make_unique<clsDATEN>(session);
    }

    void exec(const char* sql) { session.cnnX.Execute(QString::fromUtf8(sql)); }

    // The values of one column in the order given, NULL shown as "<null>".
    QStringList column(const QString& sql)
    {
        QStringList out;
        db::Recordset rs(sql, session.cnnX);
        for (; !rs.IsEOF(); rs.MoveNext()) {
            const vb::Value v = rs.field(0);
            out << (v.isNull() ? QStringLiteral("<null>") : vb::CStr(v));
        }
        return out;
    }

    const QList<vb::ScriptedUi::Message>& messages() { return TestEnvironment::ui().messages; }

    TestInstallation installation;
    QString projectDb;
    SessionContext session;
    std::unique_ptr<clsDATEN> dat;
};
