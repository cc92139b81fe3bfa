#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace db { class Connection; }

// The tables of this module that hold a record's rows, and the whole-record operations on
// them. Every one of them carries the record ID in its first column.
namespace records {

// In copy order: the record row first, so a target never holds data without its name.
// These are the tables every project has, whichever program made it.
const QStringList& recordTables();
// What a record remembers of its capture (scan, calibration clicks, point pixels): tables a
// project of an older edition lacks until its working copy is opened by this program.
const QStringList& captureTables();

// Removes the rows of record `id` from every record table, in one transaction: a deleted
// record must leave nothing behind, or the next new record (highest ID + 1) would inherit
// its polygons, calibration and evaluation state.
void removeRecord(db::Connection& cn, int32_t id);
// The same without the E1 row: clears what an older program left under a number that is
// about to be given to a new record.
void removeRecordData(db::Connection& cn, int32_t id);

// Highest ID of E1 + 1, or 1 when E1 is empty.
int32_t nextRecordId(db::Connection& cn);

// Copies record `sourceId` with all its rows from `source` to `target` under `newId`,
// columns matched by name; the copy arrives inactive. Tables whose columns differ are
// refused; a capture table one of the two projects lacks is left out. One transaction on
// the target: a failure leaves no part of the record behind.
void copyRecord(db::Connection& source, db::Connection& target, int32_t sourceId, int32_t newId);

}  // namespace records
