#pragma once

#include "data/SessionContext.h"
#include "platform/db/Connection.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

// A project database with one active record 7 "Kurve": its calibration in E2, its points in
// E3, and A1 marking it as newly evaluated.
class PagesFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::ui().clear();
        session.cnnX.OpenFile(inst.addProject(QStringLiteral("P1")));
        session.setProject(inst.projectsFolder(), QStringLiteral("P1"), QStringLiteral("Tester"));
        exec(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (7, 'Kurve', 'Versuch 3', 1)"));
        exec(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (7, 1)"));
    }

    void exec(const QString& sql) { session.cnnX.Execute(sql); }

    void calibrate(int logx, int logy, double xmin, double xmax, double ymin, double ymax, int ox = 1, int oy = 1)
    {
        exec(QStringLiteral("DELETE FROM E2"));
        exec(QStringLiteral("INSERT INTO E2 (ID, LOGX, LOGY, OX, OY, XMIN, XMAX, YMIN, YMAX, MYMX) "
                            "VALUES (7, %1, %2, %3, %4, %5, %6, %7, %8, 0)")
                 .arg(logx)
                 .arg(logy)
                 .arg(ox)
                 .arg(oy)
                 .arg(xmin)
                 .arg(xmax)
                 .arg(ymin)
                 .arg(ymax));
    }

    // A point of record 7; a null group is stored as NULL.
    void addPoint(int polygon, int point, double x, double y, const QString& group = QString())
    {
        const QString g = group.isNull() ? QStringLiteral("NULL") : QLatin1Char('\'') + group + QLatin1Char('\'');
        exec(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, GRUPPE, PX, PY) VALUES (7, %1, %2, %3, %4, %5)")
                 .arg(polygon)
                 .arg(point)
                 .arg(g)
                 .arg(x, 0, 'g', 9)
                 .arg(y, 0, 'g', 9));
    }

    vb::ScriptedUi& ui() { return TestEnvironment::ui(); }

    TestInstallation inst;
    SessionContext session;
};
