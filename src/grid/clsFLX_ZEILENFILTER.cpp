// The row filter: keeps every n-th row of a range.
#include "grid/clsFLX.h"

#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"
#include "platform/widgets/FlexGrid.h"

#include <cmath>

namespace {

const QString kTitle = QStringLiteral("MSFlexGrid / Zeilenfilter");
const QString kAskTitle = QStringLiteral("Zeilenfilter");

// Asks until the answer is a number or the user gives up (Cancel on the warning).
std::optional<double> askNumber(const QString& prompt, const QString& offered, const QString& invalid,
                                const std::function<bool(double)>& acceptable)
{
    for (;;) {
        const QString answer = vb::Ui::instance().InputBox(prompt, kAskTitle, offered);
        const std::optional<double> n = vb::parseNumber(answer);
        if (n && acceptable(*n)) return n;
        if (vb::MsgBox(invalid, vb::vbOKCancel | vb::vbExclamation, kTitle) != vb::vbOK) return std::nullopt;
    }
}

}  // namespace

void clsFLX::ZEILENFILTER()
{
    auto p = trap(kTitle);
    int first = 0, last = 0, step = 0;
    bool asked = false;
    p.step([&] {
        if (!flx_) vb::raise(vb::errObjectNotSet);
        // Rows outside the grid's data rows cannot be filtered; they count as invalid answers.
        const int lo = flx_->FixedRows(), hi = flx_->Rows() - 1;
        const auto firstAnswer = askNumber(QStringLiteral("Erste Zeile: "), QStringLiteral("1"),
                                           QStringLiteral("Ungültige Angabe für die Nummer der ersten Zeile!"),
                                           [&](double n) { return std::trunc(n) >= lo && std::trunc(n) <= hi; });
        if (!firstAnswer) return;
        first = static_cast<int>(std::trunc(*firstAnswer));
        const auto lastAnswer = askNumber(QStringLiteral("Letzte Zeile: "), QString::number(hi),
                                          QStringLiteral("Ungültige Angabe für die Nummer der letzten Zeile!"),
                                          [&](double n) { return std::trunc(n) >= first && std::trunc(n) <= hi; });
        if (!lastAnswer) return;
        last = static_cast<int>(std::trunc(*lastAnswer));
        // The step must come out at 1 or more; a count that gives 0 is asked again.
        const auto count = askNumber(QStringLiteral("Reduzierte Zeilenanzahl: "), QString::number(last - first + 1),
                                     QStringLiteral("Ungültige Angabe für die reduzierte Zeilenanzahl!"),
                                     [&](double n) { return n > 0 && vb::Round((last - first) / n) >= 1; });
        if (!count) return;
        step = static_cast<int>(vb::Round((last - first) / *count));
        asked = true;
    });
    if (!asked) return;
    p.step([&] {
        for (int r = last; r >= first; --r)
            if (r % step != 0) flx_->RemoveItem(r);
    });
    p.step([&] { AKTUALISIEREN(); });
    p.step([&] { NUMMERIEREN(); });
}
