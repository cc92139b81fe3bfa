// The record store against a real project database: what it writes is what it reads back,
// each write is whole or nothing, and a write is what marks the session changed.
#include "DataFixture.h"

#include "data/RecordStore.h"
#include "platform/db/Statement.h"
#include "platform/vb/VbError.h"

namespace {

class RecordStoreTest : public DataFixture {
protected:
    RecordStore store{session};

    // Lets the working copy grow by `pages` pages at most: a full disk for the next writes.
    void fillDiskBut(int pages)
    {
        db::Statement count = session.cnnX.prepare(QStringLiteral("PRAGMA page_count"));
        ASSERT_TRUE(count.next());
        exec(QStringLiteral("PRAGMA max_page_count=%1").arg(count.integer(0) + pages).toUtf8().constData());
    }
};

PolygonPoints samplePolygons(int pointsPerPolygon)
{
    PolygonPoints points;
    for (int16_t polygon = 0; polygon < 3; ++polygon)
        for (int16_t point = 0; point < pointsPerPolygon; ++point)
            points.push_back({polygon == 1 ? QString() : QStringLiteral("G%1").arg(polygon), polygon, point, 0.25 * point,
                              static_cast<double>(1.5f * static_cast<float>(polygon))});
    return points;
}

}  // namespace

TEST_F(RecordStoreTest, ActiveRecordsComeInNameOrderAndOnlyOneStaysActive)
{
    exec("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (9, 'äpfel', 'a', 1), (4, 'Birnen', NULL, 1)");
    QStringList names;
    for (const RecordEntry& r : store.activeRecords()) names << QStringLiteral("%1 %2 %3").arg(r.id).arg(r.name, r.comment);
    EXPECT_EQ(names, QStringList({"9 äpfel a", "4 Birnen ", "7 Erste k"}));
    EXPECT_EQ(store.activeRecordId(), 9);
    EXPECT_FALSE(session.BOGEAENDERT) << "reading changes nothing";

    // Choosing what to work on is no change of the records.
    store.deactivateAllBut(4);
    EXPECT_EQ(store.activeRecordId(), 4);
    store.setActive({{3, true}, {4, false}});
    EXPECT_EQ(store.activeRecordId(), 3);
    EXPECT_FALSE(session.BOGEAENDERT);
    store.removeName(3);
    EXPECT_EQ(store.activeRecordId(), 0);
    EXPECT_TRUE(session.BOGEAENDERT);
}

// The capture's polygons go into the working tables and from there into the record: group
// labels, numbers and single-precision coordinates come back as written, rows of other
// kinds stay, and the record's evaluation becomes stale.
TEST_F(RecordStoreTest, PolygonsComeBackAsWrittenAndBecomeTheRecordsPoints)
{
    exec("INSERT INTO G2_1 (ID, IDOBJEKT, LFDNR, KEN, TXT) VALUES (7, 11, 0, 3, 'alt'), (7, 11, 0, 1, 'andere')");
    exec("INSERT INTO G2_2 (ID, IDOBJEKT, LFDNR, PKTNR, KEN, PX, PY) VALUES (7, 11, 0, 0, 'D', 9, 9), (7, 11, 0, 0, 'M', 8, 8)");
    exec("INSERT INTO E3 (ID, POLYNR, PKTNR, GRUPPE, PX, PY) VALUES (7, 5, 0, 'weg', 1, 1)");
    exec("INSERT INTO A1 (ID, BONEU) VALUES (7, 0)");
    const PolygonPoints written = samplePolygons(4);
    store.writeWorkingPolygons(7, 11, written);
    EXPECT_EQ(store.workingPolygons(7, 11), written);
    EXPECT_EQ(column(QStringLiteral("SELECT KEN || ':' || IFNULL(TXT, '<null>') FROM G2_1 WHERE ID=7 ORDER BY KEN, LFDNR")),
              QStringList({"1:andere", "3:G0", "3:<null>", "3:G2"}));
    EXPECT_EQ(column(QStringLiteral("SELECT COUNT(*) FROM G2_2 WHERE KEN='M'")), QStringList({"1"}));

    store.takeOverCapture(7, 11, true, true);
    EXPECT_EQ(store.points(7), written);
    EXPECT_EQ(column(QStringLiteral("SELECT BONEU FROM A1 WHERE ID=7")), QStringList({"True"}));
    EXPECT_TRUE(session.BOGEAENDERT);
}

TEST_F(RecordStoreTest, AFrameKeepsItsUnsetValuesAndCalibratesTheRecord)
{
    EXPECT_FALSE(store.frame(7, 11));
    store.changeFrame(7, 11, [](DiagramFrame& f) {
        f.XMAX = 100.5f;
        f.YMIN = -2.0f;
    });
    DiagramFrame expected;
    expected.XMAX = 100.5f;
    expected.YMIN = -2.0f;
    EXPECT_EQ(store.frame(7, 11), expected);
    EXPECT_EQ(column(QStringLiteral("SELECT IFNULL(XMIN, '<null>') || ' ' || XMAX FROM G0 WHERE ID=7")), QStringList({"<null> 100.5"}));

    expected.OX = 1;
    expected.MYMX = 0.0f;
    store.writeFrame(7, 11, expected);
    store.takeOverCapture(7, 11, true, false);
    EXPECT_EQ(column(QStringLiteral("SELECT OX || ' ' || IFNULL(OY, '<null>') || ' ' || XMAX || ' ' || YMIN || ' ' || MYMX FROM E2 WHERE ID=7")),
              QStringList({"1 <null> 100.5 -2 0"}));
    store.removeFrame(7, 11);
    EXPECT_FALSE(store.frame(7, 11));
}

// A record without an evaluation flag waits for one; filling the flag in is bookkeeping.
TEST_F(RecordStoreTest, TheEvaluationFlagIsFilledInWithoutCountingAsAChange)
{
    EXPECT_TRUE(store.evaluationPending(7));
    EXPECT_EQ(column(QStringLiteral("SELECT BONEU FROM A1 WHERE ID=7")), QStringList({"True"}));
    EXPECT_FALSE(session.BOGEAENDERT);
    store.setEvaluationPending(7, false);
    EXPECT_FALSE(store.evaluationPending(7));
    EXPECT_TRUE(session.BOGEAENDERT);
}

// On a full disk a write raises the disk-full error and leaves the old rows, and the session
// is not marked changed by what did not happen.
TEST_F(RecordStoreTest, AWriteOnAFullDiskLeavesTheOldRows)
{
    const PolygonPoints old = samplePolygons(2);
    store.writeWorkingPolygons(7, 11, old);
    session.BOGEAENDERT = false;
    fillDiskBut(1);
    try {
        store.writeWorkingPolygons(7, 11, samplePolygons(3000));
        FAIL() << "the write went through";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number(), vb::errDiskFull);
    }
    EXPECT_EQ(store.workingPolygons(7, 11), old);
    EXPECT_FALSE(session.BOGEAENDERT);
    EXPECT_FALSE(session.cnnX.inTransaction());
}
