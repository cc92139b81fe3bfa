#include "grid/InstrumentFile.h"

#include "platform/vb/VbError.h"

#include <cmath>

namespace {

QStringList splitLines(const QByteArray& content)
{
    // The instruments write single-byte text; any byte reads as some character, so a damaged
    // or binary file still gives lines (and then damaged cycles), never a decoding failure.
    QStringList lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0) end = content.size();
        qsizetype stop = end;
        if (stop > start && content[stop - 1] == '\r') --stop;
        lines.append(QString::fromLatin1(content.constData() + start, stop - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

InstrumentFile::InstrumentFile(Layout layout, CycleSink cycle, ProblemSink problem)
    : layout_(std::move(layout)), cycle_(std::move(cycle)), problem_(std::move(problem))
{
}

bool InstrumentFile::read(const QByteArray& content)
{
    const bool valuePerLine = layout_.cycleSeparator.isEmpty() && layout_.valueSeparator.isEmpty();
    // A cycle of the one-value-per-line layout holds at least its head and its number.
    if (layout_.ZL < (valuePerLine ? 2 : 1))
        vb::raise(vb::errInvalidCall, QStringLiteral("Ungültige Anzahl der Werte je Zyklus: ") + QString::number(layout_.ZL));
    lines_ = splitLines(content);
    if (!layout_.cycleSeparator.isEmpty()) return readCycleStream();
    if (!layout_.valueSeparator.isEmpty()) return readLines();
    return readValueLines();
}

std::optional<QStringList> InstrumentFile::splitCycle(const QString& text, const QString& separator, int ZL)
{
    QStringList values;
    values.reserve(ZL);
    qsizetype from = 0;
    for (int j = 0; j < ZL - 1; ++j) {
        const qsizetype at = text.indexOf(separator, from);
        if (at < 0) return std::nullopt;
        values.append(text.mid(from, at - from));
        from = at + separator.size();
    }
    values.append(text.mid(from));
    return values;
}

bool InstrumentFile::damaged(int cycle)
{
    return problem_(QStringLiteral("ZyklusNr. ") + QString::number(cycle) + QStringLiteral(" ist beschädigt!"));
}

// --- one cycle per line ------------------------------------------------------------------------------

bool InstrumentFile::readLines()
{
    qsizetype first = 0;
    if (layout_.skipCount) {
        first = *layout_.skipCount;
    } else if (!layout_.marker.isEmpty()) {
        while (first < lines_.size() && !lines_[first].contains(layout_.marker)) ++first;
        ++first;  // past the marker's line (past the end when there is none)
    }
    int cycle = 0;
    for (qsizetype i = first; i < lines_.size(); ++i) {
        // Blank lines (often at the end of a file) carry no cycle.
        if (lines_[i].trimmed().isEmpty()) continue;
        ++cycle;
        if (auto values = splitCycle(lines_[i], layout_.valueSeparator, layout_.ZL)) cycle_(*values);
        else if (!damaged(cycle)) return false;
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
        if (from < 0) return true;  // no data after a marker that never comes
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
            ++cycle;
            if (auto values = splitCycle(piece, layout_.valueSeparator, layout_.ZL)) cycle_(*values);
            else if (!damaged(cycle)) return false;
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
        cycle_(values);
        previous = expected;
        ++expected;
        i += ZL;
    }
    return true;
}
