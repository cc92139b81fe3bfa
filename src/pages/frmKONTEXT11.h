#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ShellWindow;

// The diagram dialog: axis ends, spans, scales, orientation and logarithmic division of
// diagram 11 of one record. The boxes offer the admissible ends and spans of the output
// page; a box left without a choice keeps what the record has, so the dialog never invents
// an axis. OK writes LOGX/LOGY and the axis ends into "E2" and the frame into "G0" in one step.
class frmKONTEXT11 : public QDialog {
    Q_OBJECT
public:
    // `frameEditable` false: the frame of "G0" belongs to someone else (the calibration of
    // the capture window); the dialog then offers and writes the logarithmic division only.
    frmKONTEXT11(ShellWindow& shell, int32_t recordId, bool frameEditable, QWidget* parent = nullptr);
    ~frmKONTEXT11() override;

    void Form_Load();
    void chkLOGX_Click();
    void chkLOGY_Click();
    // Choosing an end or a span.
    void cboXMIN_Click();
    void cboYMIN_Click();
    void cboXDIFF_Click();
    void cboYDIFF_Click();
    void optOX_Click(int index);
    void optOY_Click(int index);
    void cmdOK_Click();
    void cmdABBRECHEN_Click();

    // Whether OK has written the settings.
    bool written() const { return written_; }

    QGroupBox* fraX = nullptr;
    QGroupBox* fraY = nullptr;
    QCheckBox* chkLOGX = nullptr;
    QCheckBox* chkLOGY = nullptr;
    QLabel* lblXMIN = nullptr;
    QLabel* lblYMIN = nullptr;
    QComboBox* cboXMIN = nullptr;
    QComboBox* cboYMIN = nullptr;
    QLabel* lblDEX = nullptr;
    QLabel* lblDEY = nullptr;
    QComboBox* cboXDIFF = nullptr;
    QComboBox* cboYDIFF = nullptr;
    QLabel* lblXDIFF = nullptr;
    QLabel* lblYDIFF = nullptr;
    QLabel* lblMX = nullptr;
    QLabel* lblMY = nullptr;
    QLineEdit* txtMX = nullptr;
    QLineEdit* txtMY = nullptr;
    std::array<QRadioButton*, 2> optOX{};
    std::array<QRadioButton*, 2> optOY{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdABBRECHEN = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The widgets and stored values of one axis, so both axes run through the same steps.
    struct Axis {
        QChar name;
        QGroupBox* fra;
        QCheckBox* chkLOG;
        QLabel* lblMIN;
        QComboBox* cboMIN;
        QLabel* lblDE;
        QComboBox* cboDIFF;
        QLabel* lblDIFF;
        QLabel* lblM;
        QLineEdit* txtM;
        std::array<QRadioButton*, 2> opt;
        float MIN = 0, MAX = 0, M = 0;
        int16_t O = 0;
        std::vector<float> ends, spans;
    };

    QGroupBox* buildAxis(Axis& a, const QString& title, const QString& forwards, const QString& backwards);
    void readSettings();
    void fill(Axis& a);
    void selectCurrent(Axis& a);
    // The axis's check box turned it linear or logarithmic.
    void changeDivision(Axis& a);
    // A new end or span (or division) puts the axis on the computed scale.
    void changeRange(Axis& a);
    void chooseOrientation(Axis& a, int index);
    // The axis's new ends from its boxes; false (with the message shown) when they do not
    // make an axis.
    bool readEnds(Axis& a, float& lo, float& hi) const;
    // A logarithmic axis has no place for an end of 0 or less: says so and returns false.
    bool fitsLogarithmic(const Axis& a, float lo) const;
    bool write(float xmin, float xmax, float ymin, float ymax, float mx, float my);

    ShellWindow& shell_;
    int32_t recordId_;
    bool frameEditable_;
    Axis x_, y_;
    bool written_ = false;
};
