#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Reads the cycles of an instrument data file in one of its three layouts:
// - value separator only: every line is one cycle;
// - cycle separator set: cycles follow each other within a line;
// - no separator: every value on a line of its own, a cycle starting with the line "ZL - 1"
//   and the cycle number.
// Damaged and missing cycles are reported through `problem`, which answers whether to go on.
class InstrumentFile {
public:
    struct Layout {
        int ZL = 0;
        std::optional<int> skipCount;  // KENZ1NR
        QString marker;                // KENZ1KZ
        QString valueSeparator;        // TZS
        QString cycleSeparator;        // TZZ
    };
    using CycleSink = std::function<void(const QStringList& values)>;
    // Shows the message; true goes on (OK), false ends the reading (Cancel).
    using ProblemSink = std::function<bool(const QString& message)>;

    InstrumentFile(Layout layout, CycleSink cycle, ProblemSink problem);

    // True when the file was read to its end, false when a problem answer ended it.
    bool read(const QByteArray& content);

    // A cycle's text split into ZL values: the last value runs to the end of the text.
    // Nothing when a separator is missing.
    static std::optional<QStringList> splitCycle(const QString& text, const QString& separator, int ZL);

private:
    bool readLines();
    bool readCycleStream();
    bool readValueLines();
    bool damaged(int cycle);
    bool isCycleStart(const QString& line) const;
    static std::optional<long long> wholeNumber(const QString& text);

    Layout layout_;
    CycleSink cycle_;
    ProblemSink problem_;
    QStringList lines_;
};
