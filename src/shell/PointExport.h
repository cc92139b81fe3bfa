#pragma once

#include "data/PolygonPoint.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

class SessionContext;

// "Punkte exportieren …": the active record's points as a CSV file for the next program in
// the engineer's chain. German sessions separate fields with ";" and write "," as decimal
// mark, English ones "," and "."; coordinates keep every digit a single holds.
class PointExport {
public:
    explicit PointExport(SessionContext& session) : session_(session) {}

    // Asks for the file (the record's name in the project folder is proposed), asks before
    // replacing one, writes the file and reports a failed write.
    void run(int32_t id, const QString& recordName);

    // The file's content: a header line and one row per point, UTF-8.
    static QByteArray csv(const PolygonPoints& points, bool german);
    // The shortest text that reads back as the same single.
    static QString number(float value, bool german);

private:
    bool german() const;
    QString title() const;
    void write(const QString& path, const QByteArray& content) const;
    void reportNonNumbers(const QString& recordName, const PolygonPoints& nonNumbers) const;

    SessionContext& session_;
};
