#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class ShellWindow;

// The show-page dialog (modeless): brings one of the open pages to the front, maximized,
// and hides the others. Pages are numbered as the print command numbers them.
class frmANZEIGEN : public QDialog {
    Q_OBJECT
public:
    explicit frmANZEIGEN(ShellWindow& shell, QWidget* parent = nullptr);

    // Opens the dialog (or brings the open one forward), owned by `owner`. It closes when a
    // page it counted closes: its count and numbers no longer hold then.
    static frmANZEIGEN* showFor(ShellWindow& shell, QWidget* owner);

    void Form_Load();
    void Form_Activate();
    void txtSEITE_LostFocus();
    void cmdOK_Click();
    void cmdABBRECHEN_Click();

    std::array<QLabel*, 2> lblSEITEN{};
    QLabel* lblSEITE = nullptr;
    QLineEdit* txtSEITE = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdABBRECHEN = nullptr;

protected:
    bool event(QEvent* event) override;

private:
    // The number in the box, clamped to the pages open now (0 when there are none).
    int pageNumber();

    ShellWindow& shell_;
};
