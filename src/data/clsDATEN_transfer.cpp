// The transfer family: every member moves one value, one array or one grid column between
// the bound table and a widget or variable, through a handful of generic routines here.
#include "data/clsDATEN.h"

#include "data/TransferSteps.h"
#include "data/WidgetValues.h"
#include "platform/db/Transaction.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"
#include "platform/widgets/FlexGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

using vb::Value;
namespace wv = widgetvalues;

namespace {

const QString kDataError = QStringLiteral("Datenfehler");

// The grid and list members select by the first three pairs; the fourth only orders.
IndexPairs withoutFourthValue(const IndexPairs& idx)
{
    IndexPairs out = idx;
    out.value[3].reset();
    return out;
}

// A DTV member always assigns: no row or a NULL field gives the type's empty value.
template <class T, class Convert>
auto assignTo(T& target, Convert convert)
{
    return [&target, convert](const Value& v) { target = v.isNull() || v.isEmpty() ? T{} : convert(v); };
}

// Element r of a caller-sized array; a row beyond its end is the language's subscript error.
template <class T, class Convert>
auto assignAt(std::vector<T>& target, Convert convert)
{
    return [&target, convert](size_t r, const Value& v) {
        if (r >= target.size()) vb::raise(vb::errSubscript);
        target[r] = convert(v);
    };
}

template <class T>
std::vector<Value> toValues(const std::vector<T>& in)
{
    std::vector<Value> out;
    out.reserve(in.size());
    for (const T& x : in) out.emplace_back(static_cast<T>(x));
    return out;
}

}  // namespace

// --- the generic routines ------------------------------------------------------------------

bool clsDATEN::storeValue(const QString& SPV, const Value& value, const IndexPairs& idx)
{
    if (WERTESCHREIBEN(SPV, std::vector<Value>{value}, idx)) return true;
    vb::MsgBox(QStringLiteral("Wert ") + vb::toText(value) + QStringLiteral(" kann nicht in die Spalte ") + SPV
                   + QStringLiteral(" der Tabelle ") + table_ + QStringLiteral(" gespeichert werden!"),
               vb::vbOKOnly | vb::vbExclamation, kDataError);
    return false;
}

// A NULL field reaches `apply` as Null and no row as Empty, so that a widget keeps its
// content over a NULL field (`skipNull`) but is emptied when the record has no row at all.
bool clsDATEN::loadValue(const QString& SPV, const IndexPairs& idx, bool skipNull, const Apply& apply)
{
    std::vector<Value> values(1);
    if (readRows(SPV, values, idx, true)) {
        if (skipNull && values[0].isNull()) return true;
        try {
            apply(values[0]);
            return true;
        } catch (const std::exception&) {
            // A value the place cannot take is reported like a failed read.
        }
    }
    vb::MsgBox(QStringLiteral("Wert ") + vb::toText(values[0]) + QStringLiteral(" kann nicht aus der Spalte ") + SPV
                   + QStringLiteral(" der Tabelle ") + table_ + QStringLiteral(" eingelesen werden!"),
               vb::vbOKOnly | vb::vbExclamation, kDataError);
    return false;
}

bool clsDATEN::storeArray(const QString& SPV, const std::vector<Value>& values, const IndexPairs& idx)
{
    if (WERTESCHREIBEN(SPV, values, idx)) return true;
    vb::MsgBox(QStringLiteral("Werte können nicht in Spalte ") + SPV + QStringLiteral(" der Tabelle ") + table_
                   + QStringLiteral(" gespeichert werden!"),
               vb::vbOKOnly | vb::vbExclamation, kDataError);
    return false;
}

bool clsDATEN::loadRows(const QString& SPV, const IndexPairs& idx, TransferSteps& steps, const Start& start,
                        const ApplyAt& use)
{
    db::Recordset rs;
    if (!steps.step([&] { rs.Open(sqlDT(SPV, idx), *connection_); })) return false;
    bool rows = false;
    if (!steps.step([&] { rows = start(rs.RecordCount()); })) return false;
    if (rows) {
        if (!steps.step([&] { rs.MoveFirst(); })) return false;
        for (size_t r = 0; !rs.IsEOF(); ++r) {
            const bool ok = steps.step([&] {
                const Value v = rs.field(SPV);
                if (!v.isNull()) use(r, v);
            }) && steps.step([&] { rs.MoveNext(); });
            if (!ok) return false;
            vb::DoEvents();
        }
    }
    rs.Close();
    return true;
}

bool clsDATEN::loadArray(const QString& SPV, const IndexPairs& idx, const ApplyAt& assign)
{
    TransferSteps steps([&](int number, const QString& description) {
        return QStringLiteral("Werte der Spalte ") + SPV + QStringLiteral(" der Tabelle ") + table_
               + QStringLiteral(" können nicht aus der Spalte ") + SPV + QStringLiteral(" eingelesen werden!") + vb::vbCrLf
               + QStringLiteral("VB-Error: ") + QString::number(number) + vb::vbCrLf + description;
    });
    return loadRows(SPV, idx, steps, [](int count) { return count > 0; }, assign);
}

QString clsDATEN::gridText(const QString& SPV, const QString& SPNR, vb::FlexGrid* flxX, const char* verb, int number,
                           const QString& description) const
{
    return QStringLiteral("Werte der Spalte ") + SPV + QStringLiteral(" der Tabelle ") + table_
           + QStringLiteral(" können nicht in die Spalte ") + SPNR + vb::vbCrLf + QStringLiteral("der FlexGrid-Tabelle ")
           + QString::number(flxX->Index()) + QLatin1Char(' ') + QLatin1String(verb) + QStringLiteral(" werden!")
           + vb::vbCrLf + QStringLiteral("VB-Error: ") + QString::number(number) + vb::vbCrLf + description;
}

// --- widget to database --------------------------------------------------------------------

bool clsDATEN::DFTC(const QString& SPV, QCheckBox* chkX, const IndexPairs& idx) { return storeValue(SPV, wv::checkValue(chkX), idx); }
bool clsDATEN::DFTCV(const QString& SPV, QCheckBox* chkX, const IndexPairs& idx) { return DFTC(SPV, chkX, idx); }
bool clsDATEN::DFTCC(const QString& SPV, QCheckBox* chkX, const IndexPairs& idx) { return storeValue(SPV, chkX->text(), idx); }
bool clsDATEN::DFTO(const QString& SPV, QRadioButton* optX, const IndexPairs& idx) { return storeValue(SPV, optX->isChecked(), idx); }
bool clsDATEN::DFTOV(const QString& SPV, QRadioButton* optX, const IndexPairs& idx) { return DFTO(SPV, optX, idx); }
bool clsDATEN::DFTOC(const QString& SPV, QRadioButton* optX, const IndexPairs& idx) { return storeValue(SPV, optX->text(), idx); }
bool clsDATEN::DFTL(const QString& SPV, QLabel* lblX, const IndexPairs& idx) { return storeValue(SPV, lblX->text(), idx); }
bool clsDATEN::DFTLC(const QString& SPV, QLabel* lblX, const IndexPairs& idx) { return DFTL(SPV, lblX, idx); }
bool clsDATEN::DFTLI(const QString& SPV, QLabel* lblX, const IndexPairs& idx) { return storeValue(SPV, wv::indexNumber(lblX), idx); }
bool clsDATEN::DFTI(const QString& SPV, QListWidget* lstX, const IndexPairs& idx) { return storeValue(SPV, wv::listText(lstX), idx); }
bool clsDATEN::DFTIS(const QString& SPV, QListWidget* lstX, const IndexPairs& idx) { return DFTI(SPV, lstX, idx); }
bool clsDATEN::DFTIL(const QString& SPV, QListWidget* lstX, const IndexPairs& idx) { return storeValue(SPV, wv::listIndex(lstX), idx); }
bool clsDATEN::DFTM(const QString& SPV, QComboBox* cboX, const IndexPairs& idx) { return storeValue(SPV, cboX->currentText(), idx); }
bool clsDATEN::DFTMT(const QString& SPV, QComboBox* cboX, const IndexPairs& idx) { return DFTM(SPV, cboX, idx); }
bool clsDATEN::DFTML(const QString& SPV, QComboBox* cboX, const IndexPairs& idx) { return storeValue(SPV, wv::comboIndex(cboX), idx); }
bool clsDATEN::DFTMS(const QString& SPV, QComboBox* cboX, const IndexPairs& idx) { return storeValue(SPV, wv::comboItemText(cboX), idx); }
bool clsDATEN::DFTT(const QString& SPV, QLineEdit* txtX, const IndexPairs& idx) { return storeValue(SPV, txtX->text(), idx); }
bool clsDATEN::DFTTT(const QString& SPV, QLineEdit* txtX, const IndexPairs& idx) { return DFTT(SPV, txtX, idx); }

// --- database to widget (the widget changes only for a value that is not NULL) ---------------

bool clsDATEN::DTFC(const QString& SPV, QCheckBox* chkX, const IndexPairs& idx)
{
    return loadValue(SPV, idx, true, [chkX](const Value& v) { wv::setCheckValue(chkX, v); });
}
bool clsDATEN::DTFCV(const QString& SPV, QCheckBox* chkX, const IndexPairs& idx) { return DTFC(SPV, chkX, idx); }
bool clsDATEN::DTFCC(const QString& SPV, QCheckBox* chkX, const IndexPairs& idx)
{
    return loadValue(SPV, idx, true, [chkX](const Value& v) { chkX->setText(vb::CStr(v)); });
}
bool clsDATEN::DTFO(const QString& SPV, QRadioButton* optX, const IndexPairs& idx)
{
    return loadValue(SPV, idx, true, [optX](const Value& v) { wv::setOptionValue(optX, vb::CBool(v)); });
}
bool clsDATEN::DTFOV(const QString& SPV, QRadioButton* optX, const IndexPairs& idx) { return DTFO(SPV, optX, idx); }
bool clsDATEN::DTFOC(const QString& SPV, QRadioButton* optX, const IndexPairs& idx)
{
    return loadValue(SPV, idx, true, [optX](const Value& v) { optX->setText(vb::CStr(v)); });
}
bool clsDATEN::DTFL(const QString& SPV, QLabel* lblX, const IndexPairs& idx)
{
    return loadValue(SPV, idx, true, [lblX](const Value& v) { lblX->setText(vb::CStr(v)); });
}
bool clsDATEN::DTFLC(const QString& SPV, QLabel* lblX, const IndexPairs& idx) { return DTFL(SPV, lblX, idx); }
bool clsDATEN::DTFI(const QString& SPV, QListWidget* lstX, const IndexPairs& idx)
{
    return loadValue(SPV, idx, true, [lstX](const Value& v) { lstX->addItem(vb::CStr(v)); });
}
bool clsDATEN::DTFIS(const QString& SPV, QListWidget* lstX, const IndexPairs& idx) { return DTFI(SPV, lstX, idx); }
bool clsDATEN::DTFIL(const QString& SPV, QListWidget* lstX, const IndexPairs& idx)
{
    return loadValue(SPV, idx, true, [lstX](const Value& v) {
        if (lstX->count() > 0) wv::setListIndex(lstX, v);
    });
}
bool clsDATEN::DTFM(const QString& SPV, QComboBox* cboX, const IndexPairs& idx)
{
    return loadValue(SPV, idx, true, [cboX](const Value& v) { wv::setComboText(cboX, vb::CStr(v)); });
}
// A drop-down list (style 2) takes only listed items, so the value is looked up in the list.
bool clsDATEN::DTFMT(const QString& SPV, QComboBox* cboX, const IndexPairs& idx)
{
    return loadValue(SPV, idx, true, [cboX](const Value& v) {
        if (wv::isDropDownList(cboX)) wv::selectComboItem(cboX, vb::CStr(v));
        else wv::setComboText(cboX, vb::CStr(v));
    });
}
bool clsDATEN::DTFML(const QString& SPV, QComboBox* cboX, const IndexPairs& idx)
{
    return loadValue(SPV, idx, true, [cboX](const Value& v) {
        if (cboX->count() > 0) wv::setComboIndex(cboX, v);
    });
}
bool clsDATEN::DTFMS(const QString& SPV, QComboBox* cboX, const IndexPairs& idx)
{
    return loadValue(SPV, idx, true, [cboX](const Value& v) { cboX->addItem(vb::CStr(v)); });
}
bool clsDATEN::DTFT(const QString& SPV, QLineEdit* txtX, const IndexPairs& idx)
{
    return loadValue(SPV, idx, true, [txtX](const Value& v) { txtX->setText(vb::CStr(v)); });
}
bool clsDATEN::DTFTT(const QString& SPV, QLineEdit* txtX, const IndexPairs& idx) { return DTFT(SPV, txtX, idx); }

// --- variable to database ------------------------------------------------------------------

bool clsDATEN::DVTA(const QString& SPV, vb::DateValue DTM, const IndexPairs& idx) { return storeValue(SPV, Value(DTM), idx); }
bool clsDATEN::DVTB(const QString& SPV, bool BO, const IndexPairs& idx) { return storeValue(SPV, Value(BO), idx); }
bool clsDATEN::DVTT(const QString& SPV, const QString& TXT, const IndexPairs& idx) { return storeValue(SPV, Value(TXT), idx); }
bool clsDATEN::DVTI(const QString& SPV, int16_t I, const IndexPairs& idx) { return storeValue(SPV, Value(I), idx); }
bool clsDATEN::DVTL(const QString& SPV, int32_t L, const IndexPairs& idx) { return storeValue(SPV, Value(L), idx); }
bool clsDATEN::DVTS(const QString& SPV, float ZAHL, const IndexPairs& idx) { return storeValue(SPV, Value(ZAHL), idx); }
bool clsDATEN::DVTD(const QString& SPV, double ZAHL, const IndexPairs& idx) { return storeValue(SPV, Value(ZAHL), idx); }
bool clsDATEN::DVTV(const QString& SPV, const Value& WERT, const IndexPairs& idx) { return storeValue(SPV, WERT, idx); }

bool clsDATEN::DVTBF(const QString& SPV, const std::vector<bool>& ZAHLEN, const IndexPairs& idx)
{
    return storeArray(SPV, toValues(ZAHLEN), idx);
}
bool clsDATEN::DVTTF(const QString& SPV, const std::vector<QString>& ZAHLEN, const IndexPairs& idx)
{
    return storeArray(SPV, toValues(ZAHLEN), idx);
}
bool clsDATEN::DVTIF(const QString& SPV, const std::vector<int16_t>& ZAHLEN, const IndexPairs& idx)
{
    return storeArray(SPV, toValues(ZAHLEN), idx);
}
bool clsDATEN::DVTSF(const QString& SPV, const std::vector<float>& ZAHLEN, const IndexPairs& idx)
{
    return storeArray(SPV, toValues(ZAHLEN), idx);
}

// --- database to variable ------------------------------------------------------------------

bool clsDATEN::DTVA(const QString& SPV, vb::DateValue& DTM, const IndexPairs& idx) { return loadValue(SPV, idx, false, assignTo(DTM, vb::CDate)); }
bool clsDATEN::DTVB(const QString& SPV, bool& BO, const IndexPairs& idx) { return loadValue(SPV, idx, false, assignTo(BO, vb::CBool)); }
bool clsDATEN::DTVT(const QString& SPV, QString& TXT, const IndexPairs& idx) { return loadValue(SPV, idx, false, assignTo(TXT, vb::CStr)); }
bool clsDATEN::DTVI(const QString& SPV, int16_t& I, const IndexPairs& idx) { return loadValue(SPV, idx, false, assignTo(I, vb::CInt)); }
bool clsDATEN::DTVL(const QString& SPV, int32_t& L, const IndexPairs& idx) { return loadValue(SPV, idx, false, assignTo(L, vb::CLng)); }
bool clsDATEN::DTVS(const QString& SPV, float& ZAHL, const IndexPairs& idx) { return loadValue(SPV, idx, false, assignTo(ZAHL, vb::CSng)); }
bool clsDATEN::DTVD(const QString& SPV, double& ZAHL, const IndexPairs& idx) { return loadValue(SPV, idx, false, assignTo(ZAHL, vb::CDbl)); }
bool clsDATEN::DTVV(const QString& SPV, Value& WERT, const IndexPairs& idx)
{
    return loadValue(SPV, idx, false, [&WERT](const Value& v) { WERT = v.isNull() ? Value() : v; });
}

bool clsDATEN::DTVBF(const QString& SPV, std::vector<bool>& ZAHLEN, const IndexPairs& idx) { return loadArray(SPV, idx, assignAt(ZAHLEN, vb::CBool)); }
bool clsDATEN::DTVTF(const QString& SPV, std::vector<QString>& ZAHLEN, const IndexPairs& idx) { return loadArray(SPV, idx, assignAt(ZAHLEN, vb::CStr)); }
bool clsDATEN::DTVIF(const QString& SPV, std::vector<int16_t>& ZAHLEN, const IndexPairs& idx) { return loadArray(SPV, idx, assignAt(ZAHLEN, vb::CInt)); }
bool clsDATEN::DTVSF(const QString& SPV, std::vector<float>& ZAHLEN, const IndexPairs& idx) { return loadArray(SPV, idx, assignAt(ZAHLEN, vb::CSng)); }
bool clsDATEN::DTVVF(const QString& SPV, std::vector<Value>& ZAHLEN, const IndexPairs& idx)
{
    return loadArray(SPV, idx, assignAt(ZAHLEN, [](const Value& v) { return v; }));
}

bool clsDATEN::DTVCOL(const QString& SPV, QList<Value>& COL, const IndexPairs& idx)
{
    try {
        db::Recordset rs = DT(SPV, idx);
        if (!rs.IsEOF()) {
            COL = QList<Value>();
            for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
                const Value v = rs.field(SPV);
                if (!v.isNull()) COL.append(v);
            }
        }
        rs.Close();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// --- grid and list -------------------------------------------------------------------------

bool clsDATEN::DFTF(const QString& SPV, vb::FlexGrid* flxX, const QString& SPNR, const IndexPairs& idx)
{
    TransferSteps steps([&](int number, const QString& description) {
        return gridText(SPV, SPNR, flxX, "geschrieben", number, description);
    });
    const IndexPairs pairs = withoutFourthValue(idx);
    const bool enabled = flxX->isEnabled();
    std::vector<Value> values;
    if (enabled && !steps.step([&] {
            const int col = vb::CInt(Value(SPNR));
            for (int row = flxX->FixedRows(); row < flxX->Rows(); ++row)
                values.emplace_back(flxX->TextMatrix(row, col).trimmed());
        }))
        return false;

    // The column is stored whole or not at all: a step the user cancels leaves the old rows.
    db::Transaction unit(*connection_);
    db::Recordset rs;
    if (!steps.step([&] { rs.Open(sqlDT(SPV, pairs), *connection_); })) return false;
    // A disabled grid holds nothing: its column selection is emptied.
    const bool done = enabled ? writeRows(rs, SPV, values, pairs, KeyRule::Named, &steps) : deleteToEnd(rs, &steps);
    rs.Close();
    if (done) unit.commit();
    return done;
}

bool clsDATEN::DFTFM(const QString& SPV, vb::FlexGrid* flxX, const QString& SPNR, const IndexPairs& idx)
{
    return DFTF(SPV, flxX, SPNR, idx);
}

bool clsDATEN::DTFF(const QString& SPV, vb::FlexGrid* flxX, const QString& SPNR, const IndexPairs& idx, int16_t ZNR)
{
    TransferSteps steps([&](int number, const QString& description) {
        return gridText(SPV, SPNR, flxX, "eingelesen", number, description);
    });
    int first = 0;
    const auto start = [&](int count) {
        if (count == 0) {
            // Nothing stored: the grid is shown grey and cannot be edited.
            flxX->setEnabled(false);
            flxX->setBackColor(flxX->BackColorFixed());
            return false;
        }
        flxX->setBackColor(flxX->palette().color(QPalette::Base));
        flxX->setEnabled(true);
        first = ZNR > flxX->FixedRows() ? ZNR + 1 : flxX->FixedRows();
        if (flxX->Rows() < first + count) flxX->setRows(first + count);
        return true;
    };
    const auto use = [&](size_t r, const Value& v) {
        flxX->setTextMatrix(first + static_cast<int>(r), vb::CInt(Value(SPNR)), vb::CStr(v));
    };
    return loadRows(SPV, withoutFourthValue(idx), steps, start, use);
}

bool clsDATEN::DTFFM(const QString& SPV, vb::FlexGrid* flxX, const QString& SPNR, const IndexPairs& idx)
{
    return DTFF(SPV, flxX, SPNR, idx, 0);
}

bool clsDATEN::DTFMM(const QString& SPV, QComboBox* cboX, const IndexPairs& idx)
{
    TransferSteps steps([&](int, const QString&) {
        return QStringLiteral("Werte der Spalte ") + SPV + QStringLiteral(" der Tabelle ") + table_
               + QStringLiteral(" eingelesen werden!");
    });
    return loadRows(SPV, withoutFourthValue(idx), steps, [](int count) { return count > 0; },
                    [cboX](size_t, const Value& v) { cboX->addItem(vb::CStr(v)); });
}
