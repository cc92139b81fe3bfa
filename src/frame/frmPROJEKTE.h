#pragma once

#include <QDialog>

class Kelmora;
class QLabel;
class QListWidget;
class QPushButton;

// The frame program's window: the projects of the installation; the user picks one and
// starts VELOR on it, or creates a new project.
class frmPROJEKTE : public QDialog {
    Q_OBJECT
public:
    explicit frmPROJEKTE(const Kelmora& kelmora, QWidget* parent = nullptr);

    void fill();
    void cmdSTARTEN_Click();
    void cmdNEU_Click();

    QLabel* lblORDNER;
    QListWidget* lstPROJEKTE;
    QPushButton* cmdSTARTEN;
    QPushButton* cmdNEU;
    QPushButton* cmdBEENDEN;

private:
    const Kelmora& kelmora_;
};
