// The frame program's installation work: projects, registration and the demo.
#include "frame/DemoDiagram.h"
#include "frame/Installation.h"
#include "frame/Kelmora.h"
#include "frame/frmPROJEKTE.h"
#include "platform/db/Connection.h"
#include "platform/db/DatabaseFile.h"
#include "platform/db/Recordset.h"
#include "platform/os/Os.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A launcher installation with the built templates but no binaries.
class Launcher : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(dir.path() + QStringLiteral("/VELOR"));
        QDir().mkpath(dir.path() + QStringLiteral("/VORLAGEN"));
        QFile::copy(TestEnvironment::velorTemplate(), dir.path() + QStringLiteral("/VELOR/VELOR.mdb"));
        QFile::copy(TestEnvironment::archivTemplate(), dir.path() + QStringLiteral("/VORLAGEN/ARCHIV.mdb"));
        QFile::copy(TestEnvironment::vorgabeTemplate(), dir.path() + QStringLiteral("/VORLAGEN/VORGABE.mdb"));
    }

    QList<QStringList> adminRows()
    {
        db::Connection cn;
        cn.OpenFile(dir.path() + QStringLiteral("/INFOSYSTEM/ARCHIV.mdb"));
        db::Recordset rs(QStringLiteral("SELECT * FROM [ADMIN]"), cn);
        QList<QStringList> rows;
        for (; !rs.IsEOF(); rs.MoveNext()) {
            QStringList row;
            for (const char* f : {"BENUTZER", "PROG", "PROJEKTSPFAD", "PROJEKT", "BEARBEITER"})
                row << vb::toText(rs.field(QString::fromLatin1(f)));
            rows << row;
        }
        return rows;
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(Launcher, DemoBuildsACompleteInstallationAndKeepsItsDataWhenRunAgain)
{
    Kelmora kelmora{Installation(dir.path())};
    const Installation demo = kelmora.demo(QString());
    const QString project = dir.path() + QStringLiteral("/PROJEKTE/DEMO");
    EXPECT_TRUE(db::DatabaseFile::isDatabase(project + QStringLiteral("/VELOR.mdb")));
    EXPECT_TRUE(QDir(project + QStringLiteral("/JPG")).exists());
    const QImage scan(project + QStringLiteral("/GRAFIK/Drucksetzung.jpg"));
    EXPECT_EQ(scan.size(), QSize(1400, 990));
    EXPECT_EQ(vb::Os::getSetting(QStringLiteral("KELMORA"), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad")),
              dir.path() + QStringLiteral("/INFOSYSTEM"));
    EXPECT_TRUE(db::DatabaseFile::isDatabase(dir.path() + QStringLiteral("/INFOSYSTEM/VORGABE.mdb")));
    ASSERT_EQ(adminRows().size(), 1);
    EXPECT_EQ(adminRows()[0].mid(0, 4), QStringList({"TESTER", "KELMORA", dir.path() + QStringLiteral("/PROJEKTE"), "DEMO"}));

    {  // a record saved in the demo project survives a second demo run
        db::Connection cn;
        cn.OpenFile(project + QStringLiteral("/VELOR.mdb"));
        cn.Execute(QStringLiteral("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (1,'behalten',1)"));
    }
    kelmora.demo(QString());
    db::Connection cn;
    cn.OpenFile(project + QStringLiteral("/VELOR.mdb"));
    EXPECT_EQ(db::Recordset(QStringLiteral("SELECT [ID] FROM [E1]"), cn).RecordCount(), 1);
    EXPECT_EQ(adminRows().size(), 1);
}

TEST_F(Launcher, SelectingAProjectRewritesTheUsersOnlyRow)
{
    Kelmora kelmora{Installation(dir.path())};
    kelmora.demo(QString());
    kelmora.selectProject(QStringLiteral("B-Plan 7"), true);
    ASSERT_EQ(adminRows().size(), 1);
    EXPECT_EQ(adminRows()[0][3], QStringLiteral("B-Plan 7"));
    EXPECT_EQ(Installation::projects(dir.path() + QStringLiteral("/PROJEKTE")), QStringList({"B-Plan 7", "DEMO"}));
    QDir().mkpath(dir.path() + QStringLiteral("/PROJEKTE/kein Projekt"));  // a folder without database is not listed
    EXPECT_EQ(Installation::projects(dir.path() + QStringLiteral("/PROJEKTE")).size(), 2);
    EXPECT_THROW(kelmora.selectProject(QStringLiteral("../aussen"), true), vb::VbError);
    // Without --create only a project that exists: the registration stays as it was.
    EXPECT_THROW(kelmora.selectProject(QStringLiteral("kein Projekt"), false), vb::VbError);
    EXPECT_THROW(kelmora.selectProject(QStringLiteral("Tippfehler"), false), vb::VbError);
    EXPECT_EQ(adminRows()[0][3], QStringLiteral("B-Plan 7"));
    kelmora.selectProject(QStringLiteral("DEMO"), false);
    EXPECT_EQ(adminRows()[0][3], QStringLiteral("DEMO"));
}

// After a hand-back the project list offers the user's current project, wherever it stands.
TEST_F(Launcher, ProjectWindowPreselectsTheCurrentProject)
{
    Kelmora kelmora{Installation(dir.path())};
    kelmora.demo(QString());
    kelmora.selectProject(QStringLiteral("A-Plan"), true);
    kelmora.selectProject(QStringLiteral("DEMO"), false);
    frmPROJEKTE window(kelmora);
    EXPECT_EQ(window.lstPROJEKTE->count(), 2);
    ASSERT_NE(window.lstPROJEKTE->currentItem(), nullptr);
    EXPECT_EQ(window.lstPROJEKTE->currentItem()->text(), QStringLiteral("DEMO"));
}

TEST(DemoScan, LooksScannedNotPrinted)
{
    const QImage clean = DemoDiagram::render(700, 495);
    const QImage scan = DemoDiagram::scanned(700, 495);
    // Paper tone instead of pure white, and the page turned: the frame's corner moved.
    EXPECT_NE(scan.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_NE(clean, scan);
}

// The straight demo scan is where its documentation says: curves and frame corners are ink.
TEST(DemoScan, StraightScanHasItsCurvesWhereTheyAreDocumented)
{
    const QImage scan = DemoDiagram::straight();
    auto ink = [&](double x, double y) {
        const QPoint p = DemoDiagram::straightPixel(x, y).toPoint();
        return qGray(scan.pixel(p)) < 100;
    };
    for (double x : {0.0, 25.0, 50.0, 75.0, 100.0}) {
        EXPECT_TRUE(ink(x, DemoDiagram::curveA(x))) << x;
        EXPECT_TRUE(ink(x, DemoDiagram::curveB(x))) << x;
    }
    EXPECT_TRUE(ink(0, 0));
    EXPECT_TRUE(ink(100, 50));
    EXPECT_FALSE(ink(60, 30));  // between the curves: paper
}

TEST(DemoScan, LogarithmicScanHasItsCurvesWhereTheyAreDocumented)
{
    const QImage scan = DemoDiagram::logarithmic();
    auto ink = [&](double x, double y) { return qGray(scan.pixel(DemoDiagram::logarithmicPixel(x, y).toPoint())) < 100; };
    for (double x : {0.0, 25.0, 50.0, 75.0, 100.0}) {
        EXPECT_TRUE(ink(x, DemoDiagram::vapourA(x))) << x;
        EXPECT_TRUE(ink(x, DemoDiagram::vapourB(x))) << x;
    }
    EXPECT_TRUE(ink(0, 1e-4));
    EXPECT_TRUE(ink(100, 1e3));
    EXPECT_FALSE(ink(20, 10));  // above both curves: paper
}
