#include "grid/InstrumentFile.h"

#include "platform/vb/VbError.h"

#include <QStringDecoder>
#include <algorithm>

#include <cmath>

namespace {

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0) end = text.size();
        qsizetype stop = end;
        if (stop > start && text[stop - 1] == QLatin1Char('\r')) --stop;
        lines.append(text.mid(start, stop - start));
        start = end + 1;
    }
    return lines;
}

// Windows-1252 where it differs from Latin-1 (0x80..0x9F); its five unused codes keep their
// Latin-1 meaning, as Windows reads them.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString windows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? kWindows1252[b - 0x80] : char16_t(b));
    }
    return text;
}

// At most ZL + 1 values: enough to tell a line with too many, and a huge line of separators
// never becomes millions of empty strings.
QStringList separated(QStringView text, const QString& separator, int ZL)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' ')) --end;
    text = text.left(end);
    if (text.endsWith(separator)) text.chop(separator.size());
    QStringList values;
    qsizetype from = 0;
    while (values.size() <= ZL) {
        const qsizetype at = text.indexOf(separator, from);
        if (at < 0) {
            values.append(text.mid(from).toString());
            break;
        }
        values.append(text.mid(from, at - from).toString());
        from = at + separator.size();
    }
    return values;
}

QStringList blankSeparated(QStringView text, int ZL)
{
    QStringList values;
    qsizetype i = 0;
    while (values.size() <= ZL) {
        while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;
        if (i == text.size()) break;
        qsizetype j = i;
        while (j < text.size() && text[j] != QLatin1Char(' ')) ++j;
        values.append(text.mid(i, j - i).toString());
        i = j;
    }
    return values;
}

}  // namespace

InstrumentFile::InstrumentFile(Layout layout, CycleSink cycle, ProblemSink problem)
    : layout_(std::move(layout)), cycle_(std::move(cycle)), problem_(std::move(problem))
{
}

QString InstrumentFile::decode(const QByteArray& content)
{
    QByteArrayView bytes(content);
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    // Any byte reads as some character of the single-byte text, so a damaged or binary file
    // still gives lines (and then damaged cycles), never a decoding failure.
    return utf8.hasError() ? windows1252(bytes) : text;
}

InstrumentFile::Result InstrumentFile::read(const QByteArray& content)
{
    const bool valuePerLine = layout_.cycleSeparator.isEmpty() && layout_.valueSeparator.isEmpty();
    // A cycle of the one-value-per-line layout holds at least its head and its number.
    if (layout_.ZL < (valuePerLine ? 2 : 1))
        vb::raise(vb::errInvalidCall, QStringLiteral("Ungültige Anzahl der Werte je Zyklus: ") + QString::number(layout_.ZL));
    lines_ = splitLines(decode(content));
    markerMissing_ = sawData_ = false;
    const bool complete = !layout_.cycleSeparator.isEmpty() ? readCycleStream()
                          : !layout_.valueSeparator.isEmpty() ? readLines()
                                                              : readValueLines();
    if (!complete) return Result::Cancelled;
    if (sawData_) return Result::Read;
    // A file without any text has no data; its missing marker would say less.
    const bool blank = std::all_of(lines_.cbegin(), lines_.cend(), [](const QString& line) { return line.trimmed().isEmpty(); });
    return markerMissing_ && !blank ? Result::MarkerMissing : Result::NoData;
}

std::optional<QStringList> InstrumentFile::splitCycle(const QString& text, const QString& separator, int ZL)
{
    QStringList values = separator == QLatin1String(" ") ? blankSeparated(text, ZL) : separated(text, separator, ZL);
    if (values.size() != ZL) return std::nullopt;
    return values;
}

bool InstrumentFile::damaged(int cycle)
{
    return problem_(QStringLiteral("ZyklusNr. ") + QString::number(cycle) + QStringLiteral(" ist beschädigt!"));
}

bool InstrumentFile::deliver(int cycle, const std::optional<QStringList>& values)
{
    return (values && cycle_(*values)) || damaged(cycle);
}

// --- one cycle per line ------------------------------------------------------------------------------

bool InstrumentFile::readLines()
{
    qsizetype first = 0;
    if (layout_.skipCount) {
        first = *layout_.skipCount;
    } else if (!layout_.marker.isEmpty()) {
        while (first < lines_.size() && !lines_[first].contains(layout_.marker)) ++first;
        if (first == lines_.size()) {
            markerMissing_ = true;
            return true;
        }
        ++first;  // past the marker's line
    }
    int cycle = 0;
    for (qsizetype i = first; i < lines_.size(); ++i) {
        // Blank lines (often at the end of a file) carry no cycle.
        if (lines_[i].trimmed().isEmpty()) continue;
        sawData_ = true;
        if (!deliver(++cycle, splitCycle(lines_[i], layout_.valueSeparator, layout_.ZL))) return false;
    }
    return true;
}

// --- cycles within a line ----------------------------------------------------------------------------

bool InstrumentFile::readCycleStream()
{
    // A line end closes a cycle as the cycle separator does.
    qsizetype line = 0, from = 0;
    if (!layout_.skipCount && !layout_.marker.isEmpty()) {
        from = -1;
        for (; line < lines_.size(); ++line) {
            const qsizetype at = lines_[line].indexOf(layout_.marker);
            if (at >= 0) {
                from = at + layout_.marker.size();
                break;
            }
        }
        if (from < 0) {
            markerMissing_ = true;
            return true;
        }
    }
    int toSkip = layout_.skipCount.value_or(0);
    int cycle = 0;
    for (; line < lines_.size(); ++line, from = 0) {
        const QString& text = lines_[line];
        while (from <= text.size()) {
            qsizetype end = text.indexOf(layout_.cycleSeparator, from);
            const bool atSeparator = end >= 0;
            if (!atSeparator) end = text.size();
            const QString piece = text.mid(from, end - from);
            from = end + (atSeparator ? layout_.cycleSeparator.size() : 1);
            if (toSkip > 0) {
                if (atSeparator) --toSkip;
                continue;
            }
            if (piece.trimmed().isEmpty()) continue;
            sawData_ = true;
            if (!deliver(++cycle, splitCycle(piece, layout_.valueSeparator, layout_.ZL))) return false;
        }
    }
    return true;
}

// --- one value per line ------------------------------------------------------------------------------

std::optional<long long> InstrumentFile::wholeNumber(const QString& text)
{
    bool ok = false;
    const long long n = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<long long>(n) : std::nullopt;
}

bool InstrumentFile::isCycleStart(const QString& line) const { return wholeNumber(line) == layout_.ZL - 1; }

bool InstrumentFile::readValueLines()
{
    const int ZL = layout_.ZL;
    qsizetype i = 0;
    long long expected = 0;
    if (layout_.skipCount) {
        i = static_cast<qsizetype>(*layout_.skipCount) * ZL;
        expected = *layout_.skipCount;
    } else if (!layout_.marker.isEmpty()) {
        const QString marker = layout_.marker.trimmed();
        while (i < lines_.size() && lines_[i].trimmed() != marker) ++i;
        if (i == lines_.size()) {
            markerMissing_ = true;
            return true;
        }
        ++i;
    }
    long long previous = expected - 1;
    bool firstCycle = true;
    // After skipping damaged lines the next cycle's own number is taken as the expected one:
    // the damage has already been reported once.
    bool resync = false;
    const auto skipToNextStart = [&] {
        ++i;
        while (i < lines_.size() && !isCycleStart(lines_[i])) ++i;
        resync = true;
    };
    while (i < lines_.size()) {
        if (lines_[i].trimmed().isEmpty()) {
            ++i;
            continue;
        }
        sawData_ = true;
        if (!isCycleStart(lines_[i])) {
            const QString text = firstCycle
                ? QStringLiteral("Elektronikvorgaben passen nicht zur Struktur der Elektronikdatei!")
                : QStringLiteral("ZyklusNr. ") + QString::number(previous) + QStringLiteral(" der Elektronikdatei ist beschädigt!");
            firstCycle = false;
            if (!problem_(text)) return false;
            skipToNextStart();
            continue;
        }
        firstCycle = false;
        if (i + ZL > lines_.size()) return damaged(static_cast<int>(expected));  // cut off at the end
        const std::optional<long long> number = wholeNumber(lines_[i + 1]);
        if (!number) {
            if (!problem_(QStringLiteral("ZyklusNr. ") + QString::number(previous) + QStringLiteral(" der Elektronikdatei ist beschädigt!")))
                return false;
            skipToNextStart();
            continue;
        }
        if (resync) {
            expected = *number;
            resync = false;
        }
        if (*number != expected) {
            if (!problem_(QStringLiteral("Es fehlen ein oder mehrere Zyklen nach ZyklusNr. ") + QString::number(previous)
                          + QStringLiteral(" !")))
                return false;
            expected = *number;
        }
        QStringList values;
        values.reserve(ZL);
        for (int j = 0; j < ZL; ++j) values.append(lines_[i + j]);
        if (!deliver(static_cast<int>(expected), values)) return false;
        previous = expected;
        ++expected;
        i += ZL;
    }
    return true;
}
