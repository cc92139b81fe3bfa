#pragma once

#include "data/IndexPairs.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/vb/Value.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class SessionContext;
class TransferSteps;
namespace vb { class FlexGrid; }

// The data-binding object: bound to one table and one set of keys (the record ID and up to
// three text keys), it composes the SELECT for every call, opens a recordset on its
// connection, moves the values and closes it again. It never holds data itself.
class clsDATEN {
public:
    explicit clsDATEN(SessionContext& session);
    ~clsDATEN();

    // --- binding -----------------------------------------------------------------------
    void EBOV(bool presets);
    void EMDB(bool& BOMDB, const QString& name);
    QString EMDB() const { return emdb_; }
    QString ETABELLE() const { return table_; }
    void ETABELLE(const QString& table) { table_ = table; }
    QString ESPID() const { return idColumn_; }
    void ESPID(const QString& column) { idColumn_ = column; }
    int32_t ESPIDW() const { return idValue_; }
    void ESPIDW(int32_t id) { idValue_ = id; }
    QString ESPK1() const { return keyColumn_[0]; }
    void ESPK1(const QString& c) { keyColumn_[0] = c; }
    QString ESPK1W() const { return keyValue_[0]; }
    void ESPK1W(const QString& v) { keyValue_[0] = v; }
    QString ESPK2() const { return keyColumn_[1]; }
    void ESPK2(const QString& c) { keyColumn_[1] = c; }
    QString ESPK2W() const { return keyValue_[1]; }
    void ESPK2W(const QString& v) { keyValue_[1] = v; }
    QString ESPK3() const { return keyColumn_[2]; }
    void ESPK3(const QString& c) { keyColumn_[2] = c; }
    QString ESPK3W() const { return keyValue_[2]; }
    void ESPK3W(const QString& v) { keyValue_[2] = v; }

    db::Connection& connection() const { return *connection_; }

    // --- SQL, statistics, lists, deletion ------------------------------------------------
    // The composed SELECT text (what DT opens).
    QString sqlDT(const QString& SPV, const IndexPairs& idx = {}) const;
    // The SELECT the index statistics open, and the selection LOESCHEN deletes.
    QString sqlINDEX(const IndexPairs& idx) const;
    QString sqlLOESCHEN(const IndexPairs& idx = {}) const;
    db::Recordset DT(const QString& SPV, const IndexPairs& idx = {});
    void INDEX(int16_t& MINI, int16_t& MAXI, int16_t& AN, const IndexPairs& idx);
    void INDEXL(int32_t& MINI, int32_t& MAXI, int16_t& AN, const IndexPairs& idx);
    void INDEXV(vb::Value& MINI, vb::Value& MAXI, int16_t& AN, const IndexPairs& idx);
    void LID(std::vector<int32_t>& ID, bool AKT);
    void LKEN(std::vector<QString>& KEN, bool AKT);
    bool LOESCHEN(const IndexPairs& idx = {});

    // --- widget to database ----------------------------------------------------------------
    bool DFTC(const QString& SPV, QCheckBox* chkX, const IndexPairs& idx = {});
    bool DFTCV(const QString& SPV, QCheckBox* chkX, const IndexPairs& idx = {});
    bool DFTCC(const QString& SPV, QCheckBox* chkX, const IndexPairs& idx = {});
    bool DFTO(const QString& SPV, QRadioButton* optX, const IndexPairs& idx = {});
    bool DFTOV(const QString& SPV, QRadioButton* optX, const IndexPairs& idx = {});
    bool DFTOC(const QString& SPV, QRadioButton* optX, const IndexPairs& idx = {});
    bool DFTL(const QString& SPV, QLabel* lblX, const IndexPairs& idx = {});
    bool DFTLC(const QString& SPV, QLabel* lblX, const IndexPairs& idx = {});
    bool DFTLI(const QString& SPV, QLabel* lblX, const IndexPairs& idx = {});
    bool DFTI(const QString& SPV, QListWidget* lstX, const IndexPairs& idx = {});
    bool DFTIS(const QString& SPV, QListWidget* lstX, const IndexPairs& idx = {});
    bool DFTIL(const QString& SPV, QListWidget* lstX, const IndexPairs& idx = {});
    bool DFTM(const QString& SPV, QComboBox* cboX, const IndexPairs& idx = {});
    bool DFTMT(const QString& SPV, QComboBox* cboX, const IndexPairs& idx = {});
    bool DFTML(const QString& SPV, QComboBox* cboX, const IndexPairs& idx = {});
    bool DFTMS(const QString& SPV, QComboBox* cboX, const IndexPairs& idx = {});
    bool DFTT(const QString& SPV, QLineEdit* txtX, const IndexPairs& idx = {});
    bool DFTTT(const QString& SPV, QLineEdit* txtX, const IndexPairs& idx = {});

    // --- database to widget ----------------------------------------------------------------
    bool DTFC(const QString& SPV, QCheckBox* chkX, const IndexPairs& idx = {});
    bool DTFCV(const QString& SPV, QCheckBox* chkX, const IndexPairs& idx = {});
    bool DTFCC(const QString& SPV, QCheckBox* chkX, const IndexPairs& idx = {});
    bool DTFO(const QString& SPV, QRadioButton* optX, const IndexPairs& idx = {});
    bool DTFOV(const QString& SPV, QRadioButton* optX, const IndexPairs& idx = {});
    bool DTFOC(const QString& SPV, QRadioButton* optX, const IndexPairs& idx = {});
    bool DTFL(const QString& SPV, QLabel* lblX, const IndexPairs& idx = {});
    bool DTFLC(const QString& SPV, QLabel* lblX, const IndexPairs& idx = {});
    bool DTFI(const QString& SPV, QListWidget* lstX, const IndexPairs& idx = {});
    bool DTFIS(const QString& SPV, QListWidget* lstX, const IndexPairs& idx = {});
    bool DTFIL(const QString& SPV, QListWidget* lstX, const IndexPairs& idx = {});
    bool DTFM(const QString& SPV, QComboBox* cboX, const IndexPairs& idx = {});
    bool DTFMT(const QString& SPV, QComboBox* cboX, const IndexPairs& idx = {});
    bool DTFML(const QString& SPV, QComboBox* cboX, const IndexPairs& idx = {});
    bool DTFMS(const QString& SPV, QComboBox* cboX, const IndexPairs& idx = {});
    bool DTFT(const QString& SPV, QLineEdit* txtX, const IndexPairs& idx = {});
    bool DTFTT(const QString& SPV, QLineEdit* txtX, const IndexPairs& idx = {});

    // --- variable to database --------------------------------------------------------------
    bool DVTA(const QString& SPV, vb::DateValue DTM, const IndexPairs& idx = {});
    bool DVTB(const QString& SPV, bool BO, const IndexPairs& idx = {});
    bool DVTT(const QString& SPV, const QString& TXT, const IndexPairs& idx = {});
    bool DVTI(const QString& SPV, int16_t I, const IndexPairs& idx = {});
    bool DVTL(const QString& SPV, int32_t L, const IndexPairs& idx = {});
    bool DVTS(const QString& SPV, float ZAHL, const IndexPairs& idx = {});
    bool DVTD(const QString& SPV, double ZAHL, const IndexPairs& idx = {});
    bool DVTV(const QString& SPV, const vb::Value& WERT, const IndexPairs& idx = {});
    bool DVTBF(const QString& SPV, const std::vector<bool>& ZAHLEN, const IndexPairs& idx = {});
    bool DVTTF(const QString& SPV, const std::vector<QString>& ZAHLEN, const IndexPairs& idx = {});
    bool DVTIF(const QString& SPV, const std::vector<int16_t>& ZAHLEN, const IndexPairs& idx = {});
    bool DVTSF(const QString& SPV, const std::vector<float>& ZAHLEN, const IndexPairs& idx = {});

    // --- database to variable --------------------------------------------------------------
    bool DTVA(const QString& SPV, vb::DateValue& DTM, const IndexPairs& idx = {});
    bool DTVB(const QString& SPV, bool& BO, const IndexPairs& idx = {});
    bool DTVT(const QString& SPV, QString& TXT, const IndexPairs& idx = {});
    bool DTVI(const QString& SPV, int16_t& I, const IndexPairs& idx = {});
    bool DTVL(const QString& SPV, int32_t& L, const IndexPairs& idx = {});
    bool DTVS(const QString& SPV, float& ZAHL, const IndexPairs& idx = {});
    bool DTVD(const QString& SPV, double& ZAHL, const IndexPairs& idx = {});
    bool DTVV(const QString& SPV, vb::Value& WERT, const IndexPairs& idx = {});
    bool DTVBF(const QString& SPV, std::vector<bool>& ZAHLEN, const IndexPairs& idx = {});
    bool DTVTF(const QString& SPV, std::vector<QString>& ZAHLEN, const IndexPairs& idx = {});
    bool DTVIF(const QString& SPV, std::vector<int16_t>& ZAHLEN, const IndexPairs& idx = {});
    bool DTVSF(const QString& SPV, std::vector<float>& ZAHLEN, const IndexPairs& idx = {});
    bool DTVVF(const QString& SPV, std::vector<vb::Value>& ZAHLEN, const IndexPairs& idx = {});
    bool DTVCOL(const QString& SPV, QList<vb::Value>& COL, const IndexPairs& idx = {});

    // --- grid and list ---------------------------------------------------------------------
    // The fourth index column only orders the rows (its value is ignored).
    bool DFTF(const QString& SPV, vb::FlexGrid* flxX, const QString& SPNR, const IndexPairs& idx = {});
    bool DFTFM(const QString& SPV, vb::FlexGrid* flxX, const QString& SPNR, const IndexPairs& idx = {});
    bool DTFF(const QString& SPV, vb::FlexGrid* flxX, const QString& SPNR, const IndexPairs& idx, int16_t ZNR);
    bool DTFFM(const QString& SPV, vb::FlexGrid* flxX, const QString& SPNR, const IndexPairs& idx = {});
    bool DTFMM(const QString& SPV, QComboBox* cboX, const IndexPairs& idx = {});

private:
    using Apply = std::function<void(const vb::Value&)>;
    using ApplyAt = std::function<void(size_t, const vb::Value&)>;
    using Start = std::function<bool(int rowCount)>;

    bool WERTESCHREIBEN(const QString& SPV, const std::vector<vb::Value>& values, const IndexPairs& idx);
    bool WERTELESEN(const QString& SPV, std::vector<vb::Value>& values, const IndexPairs& idx);

    // Which keys a written row receives: the list store sets a key only when its value is not
    // empty, the grid store whenever its column is named.
    enum class KeyRule { NamedWithValue, Named };
    // The write loop of WERTESCHREIBEN and DFTF: overwrite the selection's rows in order,
    // append what is missing, delete the surplus. Without `steps` the first failure throws;
    // with them each statement is a step (OK goes on). False when cancelled.
    bool writeRows(db::Recordset& rs, const QString& SPV, const std::vector<vb::Value>& values,
                   const IndexPairs& idx, KeyRule keys, TransferSteps* steps);
    bool deleteToEnd(db::Recordset& rs, TransferSteps* steps);
    // WERTELESEN's loop; `keepNull` hands a NULL field on as Null instead of skipping it.
    bool readRows(const QString& SPV, std::vector<vb::Value>& values, const IndexPairs& idx, bool keepNull);
    void indexStats(const IndexPairs& idx, const QString& title, const Apply& setMin, const Apply& setMax, int16_t& AN);

    // The generic members of the transfer family.
    bool storeValue(const QString& SPV, const vb::Value& value, const IndexPairs& idx);
    bool loadValue(const QString& SPV, const IndexPairs& idx, bool skipNull, const Apply& apply);
    bool storeArray(const QString& SPV, const std::vector<vb::Value>& values, const IndexPairs& idx);
    bool loadArray(const QString& SPV, const IndexPairs& idx, const ApplyAt& assign);
    bool loadRows(const QString& SPV, const IndexPairs& idx, TransferSteps& steps, const Start& start, const ApplyAt& use);
    QString gridText(const QString& SPV, const QString& SPNR, vb::FlexGrid* flxX, const char* verb, int number,
                     const QString& description) const;

    SessionContext& session_;
    db::Connection* connection_;
    std::unique_ptr<db::Connection> own_;  // opened by EMDB
    QString emdb_;
    QString idColumn_ = QStringLiteral("ID");
    int32_t idValue_ = 0;
    QString keyColumn_[3];
    QString keyValue_[3];
    QString table_ = QStringLiteral("E1");
};
