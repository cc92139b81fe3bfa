#pragma once

#include "platform/surface/SurfaceColor.h"

#include <QDialog>
#include <QPointer>
#include <array>

class PageWindow;
class QCheckBox;
class QGroupBox;
class QPushButton;
class ShellWindow;

// The page dialog (modeless): header and footer, page numbering and the colours of one
// page. It belongs to the page it was opened for: OK applies to that page, and when the page
// goes the dialog goes with it.
class frmKONTEXT : public QDialog {
    Q_OBJECT
public:
    frmKONTEXT(ShellWindow& shell, QWidget* parent = nullptr);

    // Prepares the dialog for `page` and shows it; one page dialog at a time, owned by the
    // page's main window.
    static frmKONTEXT* showFor(ShellWindow& shell, PageWindow& page);

    // The page's part of opening: check box tags from its header and page-number state,
    // the two colours from the page and its first picture.
    void prepare(PageWindow& page);
    void Form_Load();
    void Form_Resize();
    void chkBOKF_Click();
    void cmdFARBEN_Click(int index);
    void cmdOK_Click();
    void cmdABBRECHEN_Click();
    // `shift`: 1 shift, 2 control, 4 alt.
    void Form_KeyDown(int keyCode, int shift);

    PageWindow* page() const { return page_; }

    QGroupBox* fraSKALEN = nullptr;
    QCheckBox* chkBOKF = nullptr;
    QCheckBox* chkBOKFS = nullptr;
    std::array<QPushButton*, 2> cmdFARBEN{};
    // The colours the two colour dialogs hold.
    std::array<vb::OleColor, 2> cdlFARBEN{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdABBRECHEN = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ShellWindow& shell_;
    QPointer<PageWindow> page_;
};
