#include "shell/PointExport.h"

#include "data/RecordStore.h"
#include "data/SessionContext.h"
#include "platform/os/Os.h"
#include "platform/ui/Ui.h"
#include "shell/ReplaceQuestion.h"

#include <QStringList>
#include <charconv>

namespace {

// Spreadsheets take a cell that begins with one of these for a formula, even inside quotes.
bool looksLikeFormula(const QString& text)
{
    static const QString starts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && starts.contains(text.at(0));
}

// A text field quoted when it holds the separator, a quote or a line break; one that a
// spreadsheet would evaluate gets a leading "'", which shows it as the text it is.
QString field(QString text, QChar separator)
{
    if (looksLikeFormula(text)) text.prepend(QLatin1Char('\''));
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

QString PointExport::number(float value, bool german)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    QString text = QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
    if (german) text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QByteArray PointExport::csv(const PolygonPoints& points, bool german)
{
    const QChar sep = german ? QLatin1Char(';') : QLatin1Char(',');
    const QStringList header = german ? QStringList{QStringLiteral("Gruppe"), QStringLiteral("Polygon"),
                                              QStringLiteral("Punkt"), QStringLiteral("x"), QStringLiteral("y")}
                                : QStringList{QStringLiteral("Group"), QStringLiteral("Polygon"),
                                              QStringLiteral("Point"), QStringLiteral("x"), QStringLiteral("y")};
    QString text = header.join(sep) + QLatin1Char('\n');
    for (const PolygonPoint& p : points) {
        text += field(p.group, sep) + sep + QString::number(p.polygon) + sep + QString::number(p.point) + sep +
                number(static_cast<float>(p.x), german) + sep + number(static_cast<float>(p.y), german) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

bool PointExport::german() const { return session_.SPRACHE() != 1; }

QString PointExport::title() const
{
    return german() ? QStringLiteral("Punkte exportieren") : QStringLiteral("Export points");
}

void PointExport::run(int32_t id, const QString& recordName)
{
    PolygonPoints nonNumbers;
    const PolygonPoints points = RecordStore(session_).points(id, &nonNumbers);
    // A coordinate written as 0 would pass for a measured one in the next program.
    if (!nonNumbers.empty()) return reportNonNumbers(recordName, nonNumbers);
    const QString proposed = vb::Os::join(session_.projectFolder(), recordName + QStringLiteral(".csv"));
    const QString filter = german() ? QStringLiteral("CSV-Dateien (*.csv)") : QStringLiteral("CSV files (*.csv)");
    const QString path = vb::Ui::instance().SaveFileName(title(), proposed, filter);
    if (path.isEmpty() || !ReplaceQuestion::mayWrite(path, german(), title())) return;
    write(path, csv(points, german()));
}

void PointExport::reportNonNumbers(const QString& recordName, const PolygonPoints& nonNumbers) const
{
    constexpr size_t kListed = 10;
    QString text = german() ? QStringLiteral("Die Punkte von Datensatz %1 wurden nicht exportiert: diese Punkte haben Koordinaten, die keine Zahlen sind:").arg(recordName)
                            : QStringLiteral("The points of record %1 were not exported: these points have coordinates that are no numbers:").arg(recordName);
    for (size_t i = 0; i < nonNumbers.size() && i < kListed; ++i)
        text += vb::vbCrLf + (german() ? QStringLiteral("Polygon %1, Punkt %2") : QStringLiteral("Polygon %1, point %2")).arg(nonNumbers[i].polygon).arg(nonNumbers[i].point);
    if (nonNumbers.size() > kListed) text += vb::vbCrLf + QStringLiteral("…");
    vb::MsgBox(text, vb::vbExclamation, title());
}


void PointExport::write(const QString& path, const QByteArray& content) const
{
    QString error;
    if (vb::Os::writeFile(path, content, &error)) return;
    const QString text = german()
        ? QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.\r\n%2").arg(path, error)
        : QStringLiteral("The file %1 could not be written.\r\n%2").arg(path, error);
    vb::MsgBox(text, vb::vbExclamation, title());
}
