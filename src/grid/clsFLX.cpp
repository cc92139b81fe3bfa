// The grid object's properties with their side effects, the fonts and the column tooltip.
// Numbering and refresh, header drawing, editing, import and the row filter have files of
// their own.
#include "grid/clsFLX.h"

#include "data/SessionContext.h"

#include "platform/surface/OutputSurface.h"
#include "platform/surface/PictureBox.h"
#include "platform/surface/SurfaceColor.h"
#include "platform/ui/Procedure.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"
#include "platform/widgets/FlexGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <cmath>

namespace {

constexpr double kTwipsPerMm = 56.7;

template <typename T>
T entry(const std::vector<T>& v, int i, T fallback = T())
{
    return i >= 0 && i < static_cast<int>(v.size()) ? v[static_cast<size_t>(i)] : fallback;
}

}  // namespace

clsFLX::clsFLX(SessionContext* session) : session_(session) {}

clsFLX::~clsFLX() = default;

vb::Procedure clsFLX::trap(const QString& title, const QString& prefix) { return vb::Procedure(prefix, title); }

// --- per-column reads ----------------------------------------------------------------------------

int16_t clsFLX::typeOf(int col) const { return entry(lstyp_, col, int16_t(0)); }
QString clsFLX::formatOf(int col) const { return entry(lformat_, col); }
QString clsFLX::header1Of(int col) const { return entry(lst1_, col); }
std::optional<float> clsFLX::minOf(int col) const { return entry(lmin_, col); }
std::optional<float> clsFLX::maxOf(int col) const { return entry(lmax_, col); }

int clsFLX::specialColumn(int16_t type) const { return type >= 1 && type <= 6 ? special_[static_cast<size_t>(type)] : -1; }

// --- widgets -------------------------------------------------------------------------------------

void clsFLX::EFLX(vb::FlexGrid* grid)
{
    auto p = trap(QStringLiteral("MSFlexGrid / FLX"));
    p.step([&] {
        flx_ = grid;
        if (!grid) vb::raise(vb::errObjectNotSet);
    });
    p.step([&] { lsb_.assign(static_cast<size_t>(flx_->Cols()), 15.0f); });
    p.step([&] { flx_->setRows(flx_->FixedRows() + 1); });
    p.step([&] { ELSB(lsb_); });
    p.step([&] { edet_ = -1; });
}

clsFLX& clsFLX::EFLXK()
{
    if (!flxk_) flxk_ = std::make_unique<clsFLX>(session_);
    return *flxk_;
}

void clsFLX::EFLXK(std::unique_ptr<clsFLX> coupled)
{
    auto p = trap(QStringLiteral("MSFlexGrid / FLXK"));
    p.step([&] {
        if (coupled.get() == this) vb::raise(vb::errInvalidProperty);
        flxk_ = std::move(coupled);
    });
}

void clsFLX::ETXT(QLineEdit* editor)
{
    auto p = trap(QStringLiteral("MSFlexGrid / TXT"));
    p.step([&] {
        txt_ = editor;
        if (!editor) vb::raise(vb::errObjectNotSet);
    });
    p.step([&] { txt_->setFrame(true); });
    p.step([&] { txt_->clear(); });
    p.step([&] { txt_->hide(); });
}

void clsFLX::ECBO(QComboBox* editor)
{
    auto p = trap(QStringLiteral("MSFlexGrid / CBO"));
    p.step([&] {
        cbo_ = editor;
        if (!editor) vb::raise(vb::errObjectNotSet);
    });
    // The list editor takes typed text as well as the offered items.
    p.step([&] { cbo_->setEditable(true); });
    p.step([&] { cbo_->setEditText(QString()); });
    p.step([&] { cbo_->hide(); });
}

void clsFLX::EPIC(vb::PictureBox* picture)
{
    auto p = trap(QStringLiteral("MSFlexGrid / PIC"));
    p.step([&] {
        pic_ = picture;
        if (!picture) vb::raise(vb::errObjectNotSet);
    });
    p.step([&] { pic_->ScaleMode(vb::OutputSurface::vbTwips); });
    p.step([&] {
        if (!flx_) vb::raise(vb::errObjectNotSet);
        // Half a millimetre inside the grid's corner, so the grid's own frame stays visible.
        const int inset = flx_->toPixels(static_cast<int>(std::lround(0.5 * kTwipsPerMm)));
        QPoint corner = flx_->pos();
        if (pic_->parentWidget() != flx_->parentWidget() && pic_->parentWidget())
            corner = pic_->parentWidget()->mapFromGlobal(flx_->mapToGlobal(QPoint(0, 0)));
        pic_->move(corner + QPoint(inset, inset));
        pic_->raise();
    });
}

// --- column descriptions ---------------------------------------------------------------------------

void clsFLX::ELSB(const std::vector<float>& widths)
{
    auto p = trap(QStringLiteral("MSFlexGrid / LSB"));
    p.step([&] {
        if (!flx_) vb::raise(vb::errObjectNotSet);
        lsb_ = widths;
        flx_->setCols(static_cast<int>(widths.size()));
    });
    p.step([&] {
        for (int c = 0; c < flx_->Cols(); ++c) {
            flx_->setColWidth(c, static_cast<int>(std::lround(lsb_[static_cast<size_t>(c)] * kTwipsPerMm)));
            flx_->setFixedAlignment(c, Qt::AlignCenter);
        }
    });
    p.step([&] {
        // Every column description starts again from its defaults.
        const size_t n = widths.size();
        lst1_.resize(n);
        lsttt_.resize(n);
        for (size_t i = 0; i < n; ++i) {
            lst1_[i] = QStringLiteral("I") + QString::number(i + 1);
            lsttt_[i] = QStringLiteral("SpaltenNr.") + QString::number(i + 1);
        }
        lstyp_.assign(n, 0);
        la_.assign(n, 2);
        lformat_.assign(n, QString());
        lmin_.assign(n, std::nullopt);
        lmax_.assign(n, std::nullopt);
        lcbo_.assign(n, QStringList());
    });
    p.step([&] { ELST1(lst1_); });
    p.step([&] { ELSTYP(lstyp_); });
    p.step([&] { ELA(la_); });
    p.step([&] { eboh_ = true; });
    p.step([&] { SCHRIFTEINSTELLUNGEN(); });
}

void clsFLX::ELST1(const std::vector<QString>& texts)
{
    auto p = trap(QStringLiteral("MSFlexGrid / LST1"));
    p.step([&] {
        lst1_ = texts;
        if (!flx_) vb::raise(vb::errObjectNotSet);
        for (size_t c = 0; c < texts.size(); ++c) flx_->setTextMatrix(0, static_cast<int>(c), texts[c]);
    });
}

void clsFLX::ELST2(const std::vector<QString>& texts)
{
    auto p = trap(QStringLiteral("MSFlexGrid / LST2"));
    p.step([&] { lst2_ = texts; });
}

void clsFLX::ELSTTT(const std::vector<QString>& texts)
{
    auto p = trap(QStringLiteral("MSFlexGrid / LSTTT"));
    p.step([&] { lsttt_ = texts; });
}

void clsFLX::ELSTYP(const std::vector<int16_t>& codes)
{
    auto p = trap(QStringLiteral("LSTYP - FlexGrid"));
    p.step([&] {
        lstyp_ = codes;
        applyTypes();
    });
}

void clsFLX::applyTypes()
{
    special_.fill(-1);
    // Several columns of one type: the rightmost counts.
    for (size_t c = 0; c < lstyp_.size(); ++c)
        if (lstyp_[c] >= 1 && lstyp_[c] <= 6) special_[static_cast<size_t>(lstyp_[c])] = static_cast<int>(c);
    int fixed = 0;
    while (fixed < 3 && special_[static_cast<size_t>(fixed + 1)] >= 0) ++fixed;
    if (!flx_) vb::raise(vb::errObjectNotSet);
    flx_->setFixedCols(fixed);
}

QStringList clsFLX::ELCBO(int col) const { return entry(lcbo_, col); }

void clsFLX::ELCBO(int col, const QStringList& items)
{
    auto p = trap(QStringLiteral("MSFlexGrid / LCBO"));
    p.step([&] {
        if (col < 0 || col >= static_cast<int>(lcbo_.size())) vb::raise(vb::errSubscript);
        lcbo_[static_cast<size_t>(col)] = items;
    });
}

void clsFLX::ELFORMAT(const std::vector<QString>& formats)
{
    auto p = trap(QStringLiteral("MSFlexGrid / LFORMAT"));
    p.step([&] { lformat_ = formats; });
}

void clsFLX::ELA(const std::vector<int16_t>& codes)
{
    auto p = trap(QStringLiteral("MSFlexGrid / LA "));
    p.step([&] {
        la_ = codes;
        applyAlignment();
    });
}

void clsFLX::applyAlignment()
{
    if (!flx_) vb::raise(vb::errObjectNotSet);
    for (size_t c = 0; c < la_.size(); ++c) {
        const int col = static_cast<int>(c);
        flx_->setFixedAlignment(col, Qt::AlignCenter);
        const Qt::Alignment h = la_[c] == 0 ? Qt::AlignLeft : la_[c] == 1 ? Qt::AlignHCenter : Qt::AlignRight;
        flx_->setColAlignment(col, h | Qt::AlignVCenter);
    }
}

void clsFLX::ELMIN(const std::vector<std::optional<float>>& limits)
{
    auto p = trap(QStringLiteral("MSFlexGrid / LMIN"));
    p.step([&] { lmin_ = limits; });
}

void clsFLX::ELMAX(const std::vector<std::optional<float>>& limits)
{
    auto p = trap(QStringLiteral("MSFlexGrid / LMAX"));
    p.step([&] { lmax_ = limits; });
}

void clsFLX::ELINDEXMIN(const std::vector<int16_t>& first)
{
    auto p = trap(QStringLiteral("MSFlexGrid / LINDEXMIN"));
    p.step([&] {
        if (first.size() > 3) vb::raise(vb::errSubscript);
        indexMin_ = first;
        for (size_t level = 1; level <= 3; ++level) first_[level] = entry(first, static_cast<int>(level) - 1, int16_t(0));
    });
    p.step([&] { NUMMERIEREN(); });
}

void clsFLX::ELINDEXMAX(const std::vector<int16_t>& last)
{
    auto p = trap(QStringLiteral("MSFlexGrid / ELINDEXMAX"));
    p.step([&] {
        if (last.size() > 2) vb::raise(vb::errSubscript);
        indexMax_ = last;
        last_[2] = entry(last, 0, int16_t(0));
        last_[3] = entry(last, 1, int16_t(0));
    });
    p.step([&] { NUMMERIEREN(); });
}

void clsFLX::ELSELEK(const std::vector<vb::Value>& values)
{
    auto p = trap(QStringLiteral("MSFlexGrid / LSELEK"));
    p.step([&] { lselek_ = values; });
}

QString clsFLX::EMATRIX(int16_t SPALTENR, int16_t ZEILENR) const
{
    return flx_ ? flx_->TextMatrix(ZEILENR, SPALTENR) : QString();
}

void clsFLX::EMATRIX(int16_t SPALTENR, int16_t ZEILENR, const std::vector<std::vector<vb::Value>>& MATRIX)
{
    auto p = trap(QStringLiteral("MSFlexGrid / EMATRIX"));
    p.step([&] {
        if (!flx_) vb::raise(vb::errObjectNotSet);
        if (SPALTENR < 0 || static_cast<size_t>(SPALTENR) >= MATRIX.size()
            || ZEILENR < 0 || static_cast<size_t>(ZEILENR) >= MATRIX[static_cast<size_t>(SPALTENR)].size())
            vb::raise(vb::errSubscript);
        flx_->setTextMatrix(ZEILENR, SPALTENR,
                            vb::toText(MATRIX[static_cast<size_t>(SPALTENR)][static_cast<size_t>(ZEILENR)]));
    });
}

void clsFLX::EBOH(bool append)
{
    auto p = trap(QStringLiteral("MSFlexGrid / EBOH"));
    p.step([&] { eboh_ = append; });
}

void clsFLX::EDET(int16_t rule)
{
    auto p = trap(QStringLiteral("MSFlexGrid / EDET"));
    p.step([&] { edet_ = rule; });
}

// --- fonts -----------------------------------------------------------------------------------------

void clsFLX::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, int16_t SCHRIFTGROESSE, bool FETT, bool UNTERSTRICHEN,
                                  bool KURSIV, int32_t FARBE)
{
    auto p = trap(QStringLiteral("MSFlexGrid / Schrifteinstellungen"), QStringLiteral("VB-Error:"));
    vb::SurfaceFont f;
    f.Name = SCHRIFTART.isEmpty() ? QStringLiteral("Arial") : SCHRIFTART;
    f.Size = SCHRIFTGROESSE < 1 ? 11 : SCHRIFTGROESSE;
    f.setBold(FETT);
    f.Underline = UNTERSTRICHEN;
    f.Italic = KURSIV;
    const QColor ink = vb::toQColor(FARBE < 1 ? vb::RGB(0, 0, 0) : static_cast<vb::OleColor>(FARBE));
    QFont font(f.Name);
    font.setPointSizeF(f.Size);
    font.setBold(f.Bold);
    font.setUnderline(f.Underline);
    font.setItalic(f.Italic);
    p.step([&] {
        if (!flx_) vb::raise(vb::errObjectNotSet);
        flx_->setFont(font);
        flx_->setForeColor(ink);
    });
    const auto dress = [&](QWidget* editor) {
        if (!editor) return;
        editor->setFont(font);
        QPalette pal = editor->palette();
        pal.setColor(QPalette::Text, ink);
        editor->setPalette(pal);
    };
    p.step([&] { dress(txt_); });
    p.step([&] { dress(cbo_); });
    p.step([&] { setHeaderFonts(f); });
}

void clsFLX::setHeaderFonts(const vb::SurfaceFont& font)
{
    // Fonts 1 and 2 write plain text, 3 Greek letters, 4 and 5 the smaller index text.
    const double indexSize = std::round(font.Size / 1.175);
    fonts_[0] = font;
    for (size_t i = 1; i <= 5; ++i) {
        fonts_[i] = font;
        if (i == 3 || i == 5) fonts_[i].Name = QStringLiteral("Symbol");
        if (i == 4 || i == 5) fonts_[i].Size = indexSize;
    }
}

// --- tooltip ---------------------------------------------------------------------------------------

void clsFLX::TOOLTIP(float X)
{
    auto p = trap(QStringLiteral("MSFlexGrid / ToolTip"));
    p.step([&] {
        if (!flx_) vb::raise(vb::errObjectNotSet);
        QString tip;
        double right = 0;
        for (int c = 0; c < flx_->Cols(); ++c) {
            if (!flx_->ColIsVisible(c)) continue;
            right += flx_->ColWidth(c);
            if (right > X) {
                tip = entry(lsttt_, c);
                break;
            }
        }
        flx_->setToolTipText(tip);
        if (pic_) pic_->ToolTipText(tip);
    });
}

bool clsFLX::english() const { return session_ && session_->SPRACHE() == 1; }
