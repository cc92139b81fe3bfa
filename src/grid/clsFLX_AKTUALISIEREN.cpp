// Numbering of the index columns, formats and the elapsed-time column.
#include "grid/clsFLX.h"

#include "grid/ElapsedClock.h"
#include "platform/ui/Procedure.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Format.h"
#include "platform/vb/VbError.h"
#include "platform/widgets/FlexGrid.h"

void clsFLX::NUMMERIEREN()
{
    if (!flx_ || special_[1] < 0) return;
    // The levels present in a row from level 1 on; they count like an odometer. The counters
    // are wider than the original's 16 bits so that long imports never overflow them.
    const int levels = special_[2] < 0 ? 1 : special_[3] < 0 ? 2 : 3;
    int c1 = first_[1], c2 = first_[2], c3 = first_[3];
    for (int r = flx_->FixedRows(); r < flx_->Rows(); ++r) {
        if (levels == 3 && c3 > last_[3]) {
            c3 = first_[3];
            ++c2;
        }
        if (levels >= 2 && c2 > last_[2]) {
            c2 = first_[2];
            ++c1;
        }
        flx_->setTextMatrix(r, special_[1], QString::number(c1));
        if (levels == 1) ++c1;
        if (levels >= 2) flx_->setTextMatrix(r, special_[2], QString::number(c2));
        if (levels == 2) ++c2;
        if (levels == 3) {
            flx_->setTextMatrix(r, special_[3], QString::number(c3));
            ++c3;
        }
    }
}

void clsFLX::AKTUALISIEREN()
{
    auto p = trap(QStringLiteral("MSFlexGrid / Aktulisieren"));
    p.step([&] { NUMMERIEREN(); });
    p.step([&] {
        if (!flx_) vb::raise(vb::errObjectNotSet);
        formatColumns(flx_->FixedRows());
    });
    p.step([&] { computeElapsed(); });
}

void clsFLX::formatColumns(int firstRow)
{
    for (int c = 0; c < flx_->Cols(); ++c) {
        const QString format = formatOf(c);
        if (format.isEmpty()) continue;
        for (int r = firstRow; r < flx_->Rows(); ++r) {
            const QString text = flx_->TextMatrix(r, c);
            if (!text.isEmpty()) flx_->setTextMatrix(r, c, vb::Format(vb::Value(text), format));
        }
    }
}

void clsFLX::computeElapsed()
{
    const int col = special_[Elapsed];
    const int first = flx_->FixedRows();
    if (col < 0 || flx_->Rows() <= first) return;
    const int dateCol = special_[Date], timeCol = special_[Time];
    ElapsedClock clock(*flx_, dateCol, timeCol);
    const QString format = formatOf(col);
    flx_->setTextMatrix(first, col, QStringLiteral("0"));

    // With EDET = n the reference is the nearest row above whose text in column n differs;
    // rows with equal text share their reference, so it is carried along in one pass.
    const int groupCol = edet_ > 0 && edet_ < flx_->Cols() ? edet_ : -1;
    int groupRef = first;
    for (int r = first + 1; r < flx_->Rows(); ++r) {
        if (groupCol >= 0 && flx_->TextMatrix(r, groupCol) != flx_->TextMatrix(r - 1, groupCol)) groupRef = r - 1;
        const int ref = edet_ == -1 ? r - 1 : edet_ == 0 ? first : groupCol >= 0 ? groupRef : r - 1;
        const bool stamped = (dateCol >= 0 && !flx_->TextMatrix(r, dateCol).isEmpty())
                             || (timeCol >= 0 && !flx_->TextMatrix(r, timeCol).isEmpty());
        if (!stamped) continue;
        const std::optional<double> value = clock.between(ref, r);
        // A stamp that is no date or time leaves no number behind rather than a stale one.
        const QString text = !value ? QString() : format.isEmpty() ? vb::CStr(vb::Value(*value)) : vb::Format(vb::Value(*value), format);
        flx_->setTextMatrix(r, col, text);
    }
}
