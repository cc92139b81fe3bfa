#pragma once

#include "pages/DrawTarget.h"
#include "platform/surface/PictureBox.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class ShellWindow;
class clsDATEN;
namespace vb { class Procedure; }

// A page window (input page, output page): a child window of the main window whose client
// area is itself a picture, so header and footer draw on it with the same engine calls as on
// the printer; the diagram pictures are its children. It holds the active record, the data
// objects the pages share, the keys and the activation both pages have, and one way of
// closing that every close takes (command panel, the window's own close button, shutdown).
class PageWindow : public vb::PictureBox {
    Q_OBJECT
public:
    PageWindow(ShellWindow& shell, const QString& name, QWidget* parent = nullptr);
    ~PageWindow() override;

    // Loads the page: places the pictures, reads the active record, draws. Called once, before
    // the page is shown.
    virtual void Form_Load() = 0;
    // Reads the active record again and redraws the whole page (a new evaluation of an open page).
    virtual void reload() = 0;
    // Draws diagram 11 on the page's screen or on a printed sheet (the sheet's corner shifted
    // as `page` says).
    virtual void BILD11(const DrawTarget& page) = 0;
    virtual void DRUCKEN() = 0;
    // Applies the page dialog's settings and redraws.
    virtual void KONTEXT(bool HBOKF, bool HBOKFS, vb::OleColor FARBEMDI, vb::OleColor FARBEPIC) = 0;

    // Closes the page by any way: the page may refuse (false, it stays open); otherwise its
    // unload runs exactly once and the window goes.
    bool closePage();
    bool isUnloaded() const { return unloaded_; }

    void Form_Activate();
    // A click on the page outside its pictures: the page dialog for this page.
    void Form_Click();
    // Keys of the pages; `shift`: 1 shift, 2 control, 4 alt.
    void Form_KeyDown(int keyCode, int shift);

    bool headerShown() const { return headerShown_; }
    bool pageNumberShown() const { return pageNumberShown_; }
    int32_t recordId() const { return ID_; }
    // The page itself on the screen, as the target of its drawings.
    DrawTarget screen() { return DrawTarget::screen(*this); }

signals:
    // The page has unloaded: what was opened for it (its dialogs) closes with it.
    void unloaded();

protected:
    // The diagram dialog for this page's record, modal; true when its OK wrote the settings.
    // `frameEditable` false leaves the frame in "G0" alone (the calibration owns it).
    bool KONTEXT11(bool frameEditable);
    // Asked before the unload; false keeps the page open.
    virtual bool Form_QueryUnload() { return true; }
    // Releases what the page holds; runs once.
    virtual void Form_Unload() {}

    // The active record: ID, KEN, KOM from "E1" and BONEU from "A1".
    void readRecord();
    // One data object per table ("E1", "E2", "E3", "A1", "G0", "G2_1", "G2_2"), bound to the
    // active record when the page created it.
    clsDATEN& dat(const QString& table);
    void releaseData();
    // Places a child widget in twips of the page, the unit the page layouts are given in.
    void placeTwips(QWidget* widget, double left, double top, double width, double height) const;
    // Header and footer on the screen (the page's own drawings are cleared first) or on a
    // printed sheet.
    void KOPFFUSS(const DrawTarget& page);
    // Prints the page as one sheet of the running print job (or a job of its own): `draw`
    // runs its steps under `title` on the sheet; Cancel throws the job away.
    void printSheet(const QString& title, const std::function<void(vb::Procedure&, const DrawTarget& sheet)>& draw);

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    ShellWindow& shell_;
    bool headerShown_ = true;
    bool pageNumberShown_ = true;
    int32_t ID_ = 0;
    QString KEN_;
    QString KOM_;
    bool BONEU_ = false;

private:
    std::map<QString, std::unique_ptr<clsDATEN>> data_;
    bool unloaded_ = false;
};
