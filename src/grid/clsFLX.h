#pragma once

#include "platform/surface/PictureBox.h"
#include "platform/surface/SurfaceFont.h"
#include "platform/vb/Value.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

struct ImportSettings;
class SessionContext;
namespace vb { class FlexGrid; class Procedure; }

// The editable grid: turns a plain FlexGrid into a table of typed, validated columns. The
// owning window hands it the grid, a text box and a combo box used as in-place editors and a
// picture box that overlays the header, then describes the columns (widths in mm, two header
// lines, tooltips, type codes, combo lists, formats, alignment, limits, index ranges). From
// that the object sizes and labels the grid, keeps the index columns numbered like an
// odometer, formats cells, computes the elapsed-time column, opens and commits the editors,
// inserts and removes rows (in step with a coupled grid), copies, pastes, drag-fills, imports
// instrument data files and thins out rows.
class clsFLX {
public:
    // Column type codes (ELSTYP).
    enum ColumnType : int16_t {
        Value = 0, Index1 = 1, Index2 = 2, Index3 = 3, Date = 4, Time = 5, Elapsed = 6, List = 7
    };

    // The session is needed by the instrument file import (presets database) only.
    explicit clsFLX(SessionContext* session = nullptr);
    ~clsFLX();
    clsFLX(const clsFLX&) = delete;
    clsFLX& operator=(const clsFLX&) = delete;

    // --- properties, in the order a window sets them ---------------------------------------------
    vb::FlexGrid* EFLX() const { return flx_; }
    void EFLX(vb::FlexGrid* grid);
    // The coupled grid object, created on first read.
    clsFLX& EFLXK();
    void EFLXK(std::unique_ptr<clsFLX> coupled);
    QLineEdit* ETXT() const { return txt_; }
    void ETXT(QLineEdit* editor);
    QComboBox* ECBO() const { return cbo_; }
    void ECBO(QComboBox* editor);
    vb::PictureBox* EPIC() const { return pic_; }
    void EPIC(vb::PictureBox* picture);
    const std::vector<float>& ELSB() const { return lsb_; }
    void ELSB(const std::vector<float>& widths);
    const std::vector<QString>& ELST1() const { return lst1_; }
    void ELST1(const std::vector<QString>& texts);
    // An empty list means "not an array": no second header line is drawn.
    const std::vector<QString>& ELST2() const { return lst2_; }
    void ELST2(const std::vector<QString>& texts);
    const std::vector<QString>& ELSTTT() const { return lsttt_; }
    void ELSTTT(const std::vector<QString>& texts);
    const std::vector<int16_t>& ELSTYP() const { return lstyp_; }
    void ELSTYP(const std::vector<int16_t>& codes);
    QStringList ELCBO(int col) const;
    void ELCBO(int col, const QStringList& items);
    // An empty text is an absent format.
    const std::vector<QString>& ELFORMAT() const { return lformat_; }
    void ELFORMAT(const std::vector<QString>& formats);
    const std::vector<int16_t>& ELA() const { return la_; }
    void ELA(const std::vector<int16_t>& codes);
    const std::vector<std::optional<float>>& ELMIN() const { return lmin_; }
    void ELMIN(const std::vector<std::optional<float>>& limits);
    const std::vector<std::optional<float>>& ELMAX() const { return lmax_; }
    void ELMAX(const std::vector<std::optional<float>>& limits);
    // Empty, one number or up to three: the first numbers of index levels 1, 2, 3.
    const std::vector<int16_t>& ELINDEXMIN() const { return indexMin_; }
    void ELINDEXMIN(const std::vector<int16_t>& first);
    // Empty, one number or two: the last numbers of index levels 2 and 3.
    const std::vector<int16_t>& ELINDEXMAX() const { return indexMax_; }
    void ELINDEXMAX(const std::vector<int16_t>& last);
    // Any values; the import matches its SPALTE names against them.
    const std::vector<vb::Value>& ELSELEK() const { return lselek_; }
    void ELSELEK(const std::vector<vb::Value>& values);
    // Cell (row ZEILENR, column SPALTENR); writing puts MATRIX(SPALTENR)(ZEILENR) there.
    QString EMATRIX(int16_t SPALTENR, int16_t ZEILENR) const;
    void EMATRIX(int16_t SPALTENR, int16_t ZEILENR, const std::vector<std::vector<vb::Value>>& MATRIX);
    bool EBOH() const { return eboh_; }
    void EBOH(bool append);
    int16_t EDET() const { return edet_; }
    void EDET(int16_t rule);
    int16_t ESNR() const { return esnr_; }
    int16_t EZNR() const { return eznr_; }

    // --- operations ----------------------------------------------------------------------------------
    void NUMMERIEREN();
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART = QString(), int16_t SCHRIFTGROESSE = 0, bool FETT = false,
                              bool UNTERSTRICHEN = false, bool KURSIV = false, int32_t FARBE = 0);
    void AKTUALISIEREN();
    void BESCHRIFTEN();
    void BEARBEITEN(int16_t BOB, float X = 0);
    void EINFUEGEN(int16_t BOE);
    void ZEILEEINFUEGEN();
    void ZEILEENTFERNEN();
    void TOOLTIP(float X);
    bool IMPORTIEREN(const QString& AKVK, const QString& DATEI);
    void ZEILENFILTER();

    // The special column of a type 1 to 6 (-1 when absent).
    int specialColumn(int16_t type) const;
    // Header fonts 1 to 5 (built from the grid font).
    const vb::SurfaceFont& headerFont(int i) const { return fonts_.at(static_cast<size_t>(i)); }

private:
    // Per-column reads that give the defaults where a window set a shorter array.
    int16_t typeOf(int col) const;
    QString formatOf(int col) const;
    QString header1Of(int col) const;
    std::optional<float> minOf(int col) const;
    std::optional<float> maxOf(int col) const;

    static vb::Procedure trap(const QString& title, const QString& prefix = QStringLiteral("VB-Error: "));
    void applyTypes();
    void applyAlignment();
    void setHeaderFonts(const vb::SurfaceFont& font);

    // Refresh.
    void formatColumns(int firstRow);
    void computeElapsed();

    // Editing.
    bool openTextEditor(int16_t code);
    bool openListEditor(int16_t code);
    bool commitTextEditor();
    bool commitListEditor();
    bool acceptValue(int col, const QString& value, bool list);
    // A column holds numbers when it is an index column or its limits or number format say
    // so; any other column holds free text, such as a group label.
    bool holdsNumbers(int col, int16_t type) const;
    QString formatted(int col, const QString& value) const;
    bool WERTPRUEFEN(const QString& value, float minimum, float maximum, bool whole, bool date, const QString& label);
    void finishEdit(QWidget* editor, const QString& value);
    void appendRow();
    // Adds rows at the end, on the coupled grid too, and renumbers both.
    void appendRows(int count);
    void copySelection();
    void pasteClipboard();
    // Pasted rows that found no place (the grid does not append).
    void reportLeftOutRows(int count) const;
    void armDragFill(float X);
    void dragFill();
    bool isEmptyState() const;
    // Messages of our own speak the session's language (German without a session).
    bool english() const;

    // Import.
    void cleanImported(const ImportSettings& settings, int firstRow);

    SessionContext* session_;
    QPointer<vb::FlexGrid> flx_;
    std::unique_ptr<clsFLX> flxk_;
    QPointer<QLineEdit> txt_;
    QPointer<QComboBox> cbo_;
    QPointer<vb::PictureBox> pic_;

    std::vector<float> lsb_;
    std::vector<QString> lst1_, lst2_, lsttt_;
    std::vector<int16_t> lstyp_;
    std::vector<QStringList> lcbo_;
    std::vector<QString> lformat_;
    std::vector<int16_t> la_;
    std::vector<std::optional<float>> lmin_, lmax_;
    std::vector<int16_t> indexMin_, indexMax_;
    std::vector<vb::Value> lselek_;
    bool eboh_ = true;
    int16_t edet_ = -1;
    int16_t esnr_ = 0, eznr_ = 0;

    // Column of each special type 1..6 (index 0 unused), -1 when absent.
    std::array<int, 7> special_{-1, -1, -1, -1, -1, -1, -1};
    // First and last numbers of index levels 1..3 (index 0 unused).
    std::array<int16_t, 4> first_{0, 0, 0, 0};
    std::array<int16_t, 4> last_{0, 0, 0, 0};
    std::array<vb::SurfaceFont, 6> fonts_;
};
