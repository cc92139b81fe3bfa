// Import of instrument data files: one grid row per measuring cycle, each value into the
// column its configuration names, then the clean-up of the imported values.
#include "grid/clsFLX.h"

#include "data/SessionContext.h"
#include "grid/ImportSettings.h"
#include "grid/ImportedValue.h"
#include "grid/InstrumentFile.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"
#include "platform/widgets/FlexGrid.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kTitle = QStringLiteral("MSFlexGrid / Importieren");
// Far beyond any instrument's log, small enough that reading it never exhausts memory.
constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;
constexpr int kMaxRows = 2'000'000;

bool warn(const QString& text, int buttons)
{
    return vb::MsgBox(text, buttons | vb::vbExclamation, kTitle) == vb::vbOK;
}

// The value of `v` in a cycle, when the configuration reads it into a grid column.
const QString* importedValue(const ImportValue& v, const QStringList& values)
{
    if (v.column < 0 || !v.POSITION || *v.POSITION < 0 || *v.POSITION >= values.size()) return nullptr;
    return &values[*v.POSITION];
}

// A file that gave not one cycle: an import that silently adds nothing looks like success.
void reportNoCycles(InstrumentFile::Result result, const QString& marker, bool english)
{
    QString text;
    if (result == InstrumentFile::Result::MarkerMissing)
        text = english ? QStringLiteral("The marker \"") + marker + QStringLiteral("\" was not found in the instrument data file!")
                       : QStringLiteral("Die Kennung \"") + marker + QStringLiteral("\" wurde in der Elektronikdatei nicht gefunden!");
    else
        text = english ? QStringLiteral("The instrument data file contains no data!")
                       : QStringLiteral("Die Elektronikdatei enthält keine Daten!");
    warn(text, vb::vbOKOnly);
}

// The hourglass for the whole import, whichever way it ends.
struct Hourglass {
    Hourglass() { vb::Ui::instance().SetPointer(vb::Pointer::Hourglass); }
    ~Hourglass() { vb::Ui::instance().SetPointer(vb::Pointer::Default); }
};

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile()) vb::raise(vb::errFileNotFound, QStringLiteral("Datei nicht gefunden: ") + path);
    if (file.size() > kMaxFileBytes)
        vb::raise(7, QStringLiteral("Die Elektronikdatei ist zu groß (mehr als 256 MB): ") + path);
    if (!file.open(QIODevice::ReadOnly)) vb::raise(vb::errPathAccess, QStringLiteral("Pfad/Datei-Zugriffsfehler: ") + path);
    return file.readAll();
}

}  // namespace

bool clsFLX::IMPORTIEREN(const QString& AKVK, const QString& DATEI)
{
    if (!flx_ || isEmptyState()) return false;
    Hourglass hourglass;
    try {
        if (!session_) vb::raise(vb::errObjectNotSet);
        ImportSettings settings;
        switch (settings.read(*session_, AKVK)) {
        case ImportSettings::Outcome::Failed: return false;
        case ImportSettings::Outcome::Missing:
            warn(QStringLiteral("Die Konfiguration \"") + AKVK + QStringLiteral("\" ist in den Elektronikvorgaben nicht vorhanden!"),
                 vb::vbOKOnly);
            return false;
        case ImportSettings::Outcome::Read: break;
        }
        for (ImportValue& v : settings.values)
            for (int c = 0; c < static_cast<int>(lselek_.size()) && v.column < 0; ++c)
                if (!v.SPALTE.isEmpty() && vb::toText(lselek_[static_cast<size_t>(c)]) == v.SPALTE) v.column = c;
        settings.translateSeparators();
        const QByteArray content = readFile(DATEI);

        // A grid that holds only its one empty row is filled from that row.
        bool onlyEmptyRow = flx_->Rows() - flx_->FixedRows() == 1;
        for (int c = flx_->FixedCols(); c < flx_->Cols() && onlyEmptyRow; ++c)
            onlyEmptyRow = flx_->TextMatrix(flx_->FixedRows(), c).isEmpty();
        const int firstRow = onlyEmptyRow ? flx_->FixedRows() : flx_->Rows();
        int row = firstRow;

        const auto putCycle = [&](const QStringList& values) {
            // A value without its prefix or suffix is damaged: cutting by length would keep the wrong figures.
            for (const ImportValue& v : settings.values)
                if (const QString* text = importedValue(v, values); text && !ImportedValue::framed(text->trimmed(), v.PRAEFIX, v.SUFFIX))
                    return false;
            if (row >= kMaxRows) vb::raise(7, QStringLiteral("Die Elektronikdatei hat mehr Zyklen, als die Tabelle aufnehmen kann!"));
            if (row >= flx_->Rows()) flx_->setRows(row + 1);
            for (const ImportValue& v : settings.values)
                if (const QString* text = importedValue(v, values)) flx_->setTextMatrix(row, v.column, text->trimmed());
            ++row;
            return true;
        };
        InstrumentFile file({settings.ZL, settings.skipCount(), settings.KENZ1KZ, settings.TZS, settings.TZZ}, putCycle,
                            [](const QString& text) { return warn(text, vb::vbOKCancel); });
        const InstrumentFile::Result result = file.read(content);
        switch (result) {
        case InstrumentFile::Result::Read: break;
        case InstrumentFile::Result::Cancelled:
            // The cycles read so far stay; their index columns are numbered all the same.
            NUMMERIEREN();
            return false;
        case InstrumentFile::Result::MarkerMissing:
        case InstrumentFile::Result::NoData:
            reportNoCycles(result, settings.KENZ1KZ, english());
            return false;
        }
        cleanImported(settings, firstRow);
        AKTUALISIEREN();
        NUMMERIEREN();
        return true;
    } catch (const vb::VbError& e) {
        warn(vb::Procedure::message(QStringLiteral("VB-Error: "), e.number(), e.description()), vb::vbOKOnly);
    } catch (const std::bad_alloc&) {
        warn(vb::Procedure::message(QStringLiteral("VB-Error: "), 7, QStringLiteral("Out of memory")), vb::vbOKOnly);
    }
    NUMMERIEREN();
    return false;
}

void clsFLX::cleanImported(const ImportSettings& settings, int firstRow)
{
    const int rows = flx_->Rows();
    const auto rewrite = [&](int col, const auto& change) {
        for (int r = firstRow; r < rows; ++r) {
            const QString text = flx_->TextMatrix(r, col);
            const QString changed = change(text);
            if (changed != text) flx_->setTextMatrix(r, col, changed);
        }
    };
    for (const ImportValue& v : settings.values) {
        if (v.column < 0) continue;
        if (!v.PRAEFIX.isEmpty()) rewrite(v.column, [&](const QString& t) { return ImportedValue::withoutPrefix(t, v.PRAEFIX); });
        if (!v.SUFFIX.isEmpty()) rewrite(v.column, [&](const QString& t) { return ImportedValue::withoutSuffix(t, v.SUFFIX); });
    }
    const int dateCol = special_[Date], timeCol = special_[Time];
    if (!settings.DATUM.isEmpty() && dateCol >= 0) {
        const ImportedValue::Layout layout = ImportedValue::dateLayout(settings.DATUM);
        if (!layout.valid())
            warn(QStringLiteral("Es wurde für diese Konfiguration ein ungültiges Datumsformat im Menü Elektronikvorgaben eingegeben!"), vb::vbOKOnly);
        else
            rewrite(dateCol, [&](const QString& t) { return t.isEmpty() ? t : ImportedValue::date(t, layout); });
    }
    if (!settings.UHRZEIT.isEmpty() && timeCol >= 0) {
        const ImportedValue::Layout layout = ImportedValue::timeLayout(settings.UHRZEIT);
        if (!layout.valid())
            warn(QStringLiteral("Es wurde für diese Konfiguration ein ungültiges Zeitformat im Menü Elektronikvorgaben eingegeben!"), vb::vbOKOnly);
        else
            rewrite(timeCol, [&](const QString& t) { return t.isEmpty() ? t : ImportedValue::time(t, layout); });
    }
    std::vector<bool> done(static_cast<size_t>(flx_->Cols()), false);
    for (const ImportValue& v : settings.values) {
        if (v.column < 0 || done[static_cast<size_t>(v.column)]) continue;
        done[static_cast<size_t>(v.column)] = true;
        const bool stamp = v.column == dateCol || v.column == timeCol;
        rewrite(v.column, [&](const QString& t) {
            const QString fixed = ImportedValue::leadingZero(t);
            return stamp ? fixed : ImportedValue::sessionDecimal(fixed);
        });
    }
    for (const ImportValue& v : settings.values) {
        if (v.column < 0 || v.FAKTOR == 1.0f) continue;
        rewrite(v.column, [&](const QString& t) { return ImportedValue::scaled(t, v.FAKTOR).value_or(t); });
    }
}
