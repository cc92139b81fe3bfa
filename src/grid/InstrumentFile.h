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
// The text is UTF-8 when it is valid UTF-8 (a byte-order mark dropped), else Windows-1252,
// the single-byte text of the instruments' PCs.
class InstrumentFile {
public:
    struct Layout {
        int ZL = 0;
        std::optional<int> skipCount;  // KENZ1NR
        QString marker;                // KENZ1KZ
        QString valueSeparator;        // TZS
        QString cycleSeparator;        // TZZ
    };
    // Takes one cycle's values; false when they are damaged (a value without its prefix).
    using CycleSink = std::function<bool(const QStringList& values)>;
    // Shows the message; true goes on (OK), false ends the reading (Cancel).
    using ProblemSink = std::function<bool(const QString& message)>;

    InstrumentFile(Layout layout, CycleSink cycle, ProblemSink problem);

    enum class Result {
        Read,           // read to its end
        Cancelled,      // a problem answer ended the reading
        MarkerMissing,  // the marker after which the data begins is not in the file
        NoData,         // not one cycle (sound or damaged) in the file
    };
    Result read(const QByteArray& content);

    // A cycle's text split into exactly ZL values; nothing when there are fewer or more. A
    // separator at the end closes the last value; a blank separator is any run of blanks,
    // and blanks at either end separate nothing (columns aligned by blanks).
    static std::optional<QStringList> splitCycle(const QString& text, const QString& separator, int ZL);
    static QString decode(const QByteArray& content);

private:
    bool readLines();
    bool readCycleStream();
    bool readValueLines();
    bool damaged(int cycle);
    // Hands a split cycle to the sink; a missing split or a refusal is a damaged cycle.
    bool deliver(int cycle, const std::optional<QStringList>& values);
    bool isCycleStart(const QString& line) const;
    static std::optional<long long> wholeNumber(const QString& text);

    Layout layout_;
    CycleSink cycle_;
    ProblemSink problem_;
    QStringList lines_;
    bool markerMissing_ = false;
    bool sawData_ = false;
};
