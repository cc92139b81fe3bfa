#pragma once

#include "graphics/LabelWriter.h"
#include "graphics/SurfaceMeasure.h"
#include "platform/vb/Value.h"

#include <QPointer>
#include <QScrollBar>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace vb { class OutputSurface; }

// Draws a ruled table on a surface: a header block, a body block that scrolls with a vertical
// scroll bar on the screen, and a statistics block (mean, standard deviation, coefficient of
// variation per column). The page sets the geometry and the column lists, pen and font, and
// calls TABELLE once per block: header, body, statistics. Lengths are in the surface's units.
class clsTABELLE {
public:
    // Values by column, then row: X[c][r].
    using Values = std::vector<std::vector<vb::Value>>;

    vb::OutputSurface* EOBJEKT() const { return surface_; }
    // Measures the surface and resets the font to Arial 8 point.
    void EOBJEKT(vb::OutputSurface* surface);
    QScrollBar* EYBALKEN() const { return bar_; }
    void EYBALKEN(QScrollBar* bar) { bar_ = bar; }
    float EXDL() const { return exdl_; }
    void EXDL(float v) { exdl_ = v; }
    float EYDO() const { return eydo_; }
    void EYDO(float v) { eydo_ = v; }
    float ERO() const { return ero_; }
    void ERO(float v) { ero_ = v; }
    float ERU() const { return eru_; }
    void ERU(float v) { eru_ = v; }
    float ERL() const { return erl_; }
    void ERL(float v) { erl_ = v; }
    float ERZ() const { return erz_; }
    void ERZ(float v) { erz_ = v; }
    const std::vector<float>& ELSB() const { return elsb_; }
    void ELSB(std::vector<float> v) { elsb_ = std::move(v); }
    void ELSB(float width) { elsb_ = {width}; }
    const std::vector<int16_t>& ELGIT() const { return elgit_; }
    void ELGIT(std::vector<int16_t> v) { elgit_ = std::move(v); }
    const std::vector<int16_t>& ELGITLEER() const { return elgitleer_; }
    void ELGITLEER(std::vector<int16_t> v) { elgitleer_ = std::move(v); }
    float EZA() const { return eza_; }
    void EZA(float v) { eza_ = v; }
    float EZH() const { return ezh_; }
    void EZH(float v) { ezh_ = v; }
    const std::vector<int16_t>& ELA() const { return ela_; }
    void ELA(std::vector<int16_t> v) { ela_ = std::move(v); }
    const std::vector<QString>& ELFORMAT() const { return elformat_; }
    void ELFORMAT(std::vector<QString> v) { elformat_ = std::move(v); }
    // A column whose cells show the text `text` makes of their values, in place of the
    // column's format. Only the rows drawn are turned into text, so a long body stays cheap.
    using CellText = std::function<QString(const vb::Value&)>;
    void setCellText(int column, CellText text);
    const std::vector<int16_t>& ELMW() const { return elmw_; }
    void ELMW(std::vector<int16_t> v) { elmw_ = std::move(v); }
    // First and last body row shown. Row numbers are 32-bit: a body may hold more rows than
    // a 16-bit counter reaches.
    int32_t EEZ() const { return eez_; }
    void EEZ(int32_t v) { eez_ = v; }
    int32_t ELZ() const { return elz_; }
    void ELZ(int32_t v) { elz_ = v; }
    // Height of the header block plus the body block.
    float HOEHE() const { return static_cast<float>(headerHeight_ + bodyHeight_); }

    void LINIENEINSTELLUNGEN(int16_t& LINIENART, float& LINIENBREITE, int32_t& FARBE);
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, int16_t SCHRIFTGROESSE, bool FETT, bool UNTERSTRICHEN,
                              bool KURSIV, int32_t FARBE);
    // POSITION 0 header, 1 body, 2 statistics (written into X's first three rows first).
    void TABELLE(Values& X, int16_t POSITION);
    void TITEL(const QString& text);
    void FUSSNOTE(const QString& text);

    // Mean, standard deviation and coefficient of variation of each column, found while the
    // body was drawn ("-" for columns without statistics).
    const std::vector<vb::Value>& means() const { return mean_; }
    const std::vector<vb::Value>& deviations() const { return deviation_; }
    const std::vector<vb::Value>& variations() const { return variation_; }

private:
    // One block of the table as drawn: its left and top, its height and the rows shown.
    struct Block {
        double x0 = 0, top = 0, height = 0;
        int32_t first = 0, last = -1;
    };

    vb::OutputSurface& surface() const;
    QString surfaceName() const;
    double step() const { return ezh_ * eza_; }
    double tableWidth(int columns) const;
    double columnLeft(int c) const;
    int16_t listEntry(const std::vector<int16_t>& list, int c) const;
    QString format(int c) const;

    void drawFrame(const Block& b, int columns);
    void drawHeaderRules(const Block& b, int columns, int headerRows);
    void drawBodyRules(const Block& b, int columns);
    void drawHeaderRows(const Values& X, const Block& b, int columns);
    void drawRows(const Values& X, const Block& b, int columns);
    void drawCell(const vb::Value& value, int c, double y);
    double decimalX(const QString& text, int c) const;

    void selectBodyRows(int32_t n, double top);
    int32_t rowStepsFitting(double height, double rowHeight) const;
    void placeBar();
    void scrollWindow(int32_t n, int32_t m);
    void computeStatistics(const Values& X, int columns, int32_t n);
    void fillStatistics(Values& X, int columns) const;

    vb::OutputSurface* surface_ = nullptr;
    QPointer<QScrollBar> bar_;
    LabelWriter labels_;
    float exdl_ = 0, eydo_ = 0;
    float ero_ = 2.5f, eru_ = 2.5f, erl_ = 2.5f, erz_ = 1.5f;
    std::vector<float> elsb_;
    std::vector<int16_t> elgit_, elgitleer_, ela_, elmw_;
    std::vector<QString> elformat_;
    std::vector<CellText> cellText_;
    float eza_ = 1, ezh_ = 0;
    bool autoRowHeight_ = false;  // EZH was taken from the font
    int32_t eez_ = 0, elz_ = 0;

    SurfaceMeasure pixels_;  // device pixels per unit, measured when the surface is set
    double mmPerUnitY_ = 0;
    double headerHeight_ = 0, bodyHeight_ = 0, statisticsHeight_ = 0;
    std::vector<vb::Value> mean_, deviation_, variation_;
};
