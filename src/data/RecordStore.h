#pragma once

#include "data/AxisTitles.h"
#include "data/DiagramFrame.h"
#include "data/PolygonPoint.h"
#include "data/RecordEntry.h"
#include "data/StoredCapture.h"
#include "platform/vb/Value.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class SessionContext;
namespace db { class Connection; }

// The records' rows in the working copy, for the windows and commands: which record is
// active (E1.AKT), its division and calibration (E2), its points (E3), the diagram frames
// (G0), the capture's working polygons (G2_1/G2_2), what the record remembers of its capture
// (E4 to E6) and the evaluation flag (A1.BONEU).
// Nothing above the data layer writes SQL for them; clsDATEN stays the transfer of single
// values between a widget and a column.
//
// Every write is one transaction (a savepoint inside an open one): it is stored whole or
// raises and leaves the rows as they were. A write marks the session changed; nothing else
// does.
class RecordStore {
public:
    explicit RecordStore(SessionContext& session);

    // --- the records -------------------------------------------------------------------------
    // Every record, in the order of their names.
    std::vector<RecordEntry> records() const;
    // The active records in the order of their names.
    std::vector<RecordEntry> activeRecords() const;
    // The record the windows work on: the first active one.
    std::optional<RecordEntry> activeRecord() const;
    // Its number; 0, the number of no record, when none is active.
    int32_t activeRecordId() const;
    // Which records are active is the user's choice of what to work on, not a change of the
    // records: these writes leave the session's changed flag alone.
    // Every record but `id` stops being active.
    void deactivateAllBut(int32_t id);
    // Records named in `active` become active or not as it says; others stay as they are.
    void setActive(const std::map<int32_t, bool>& active);
    // Record `id` loses its name row; what was captured for it stays under its number.
    void removeName(int32_t id);

    // --- the evaluation flag -------------------------------------------------------------------
    // The stored flag of record `id`: true while it waits for an evaluation; none without a row.
    std::optional<bool> evaluationFlag(int32_t id) const;
    // Whether record `id` waits for an evaluation. A record without a flag waits, and is
    // given the flag (bookkeeping: it does not count as a change).
    bool evaluationPending(int32_t id);
    void setEvaluationPending(int32_t id, bool pending);

    // --- the diagram frames --------------------------------------------------------------------
    // Diagram `diagram`'s frame of record `id`; none when it has no row.
    std::optional<DiagramFrame> frame(int32_t id, int16_t diagram) const;
    // Writes every value of the frame (a new row when there is none).
    void writeFrame(int32_t id, int16_t diagram, const DiagramFrame& frame);
    // Reads the frame (empty when there is none), lets `change` set what it sets, writes it.
    void changeFrame(int32_t id, int16_t diagram, const std::function<void(DiagramFrame&)>& change);
    void removeFrame(int32_t id, int16_t diagram);

    // --- the polygons --------------------------------------------------------------------------
    // The polygons the capture stored for diagram `diagram` of record `id`.
    PolygonPoints workingPolygons(int32_t id, int16_t diagram) const;
    // Replaces the capture's polygons of the diagram: a head per polygon (its group label),
    // a row per point.
    void writeWorkingPolygons(int32_t id, int16_t diagram, const PolygonPoints& points);
    // The record's own points, ordered by polygon and point number. Rows without both
    // coordinates or without their numbers are not points and are left out. A coordinate that
    // is no number (a text, an infinity an import left) raises; with `nonNumbers` such points
    // are collected there instead (coordinates 0), for a caller that names them.
    PolygonPoints points(int32_t id, PolygonPoints* nonNumbers = nullptr) const;
    // What the input page leaves in the record when it closes: with `calibration` diagram
    // `diagram`'s frame becomes the record's calibration, and with `polygons` the capture's
    // polygons become the record's points and the old evaluation is stale.
    void takeOverCapture(int32_t id, int16_t diagram, bool calibration, bool polygons);

    // --- the capture ---------------------------------------------------------------------------
    // What record `id` remembers of its capture.
    StoredCapture capture(int32_t id) const;
    // Replaces what record `id` remembers of its capture.
    void writeCapture(int32_t id, const StoredCapture& capture);
    // The titles of record `id`'s axes, kept with its capture (the plain ones without).
    AxisTitles axisTitles(int32_t id) const;
    // The polygons a capture of the diagram starts from: what the capture stored last, else
    // the record's own points.
    PolygonPoints capturedPolygons(int32_t id, int16_t diagram) const;
    // Polygons a capture stored that never became the record's points (the program ended
    // between OK and closing the page); none when they are its points.
    PolygonPoints untakenPolygons(int32_t id, int16_t diagram) const;

    // --- any table -----------------------------------------------------------------------------
    struct Rows {
        QStringList columns;
        std::vector<std::vector<vb::Value>> values;
    };
    // Record `id`'s rows of `table` (a plain name), as stored: for the scripted session's dumps.
    Rows rows(const QString& table, int32_t id) const;

    // Runs `writes` (transfers of the data layer) as one write of the store: they are kept
    // together when it returns true, rolled back otherwise.
    bool write(const std::function<bool()>& writes);
    // For the commands that change the working copy through the windows of the records.
    void markChanged();

private:
    db::Connection& connection() const;
    // Runs `work` in one transaction and marks the session changed when it is kept.
    void transaction(const std::function<void()>& work);
    // The same for bookkeeping, which is no change of the records.
    void unitOfWork(const std::function<void()>& work);
    void writePoints(int32_t id, const PolygonPoints& points);
    void copyFrameToCalibration(int32_t id, const DiagramFrame& frame);

    SessionContext& session_;
};
