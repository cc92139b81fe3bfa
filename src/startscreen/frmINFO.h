#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QPushButton;

// The about box: program title, version and date, the family's title and the maker.
class frmINFO : public QDialog {
    Q_OBJECT
public:
    explicit frmINFO(int16_t sprache, QWidget* parent = nullptr);

    void Form_Load();
    void cmdSCHLIESSEN_Click();

    QLabel* picLOGO;
    QLabel* lblFAMILIE;
    QLabel* lblTITEL;
    QLabel* lblVERSION;
    QLabel* lblADRESSE;
    QLabel* lblHERSTELLER;
    QPushButton* cmdSCHLIESSEN;

private:
    int16_t sprache_;
};
