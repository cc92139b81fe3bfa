#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class ShellWindow;
class clsDATEN;

// The record entry window: name and comment of a record and its general settings. It writes
// nothing by itself; the main window's save panel chooses the record number and calls OK.
class mdiEINGABE : public QWidget {
    Q_OBJECT
public:
    explicit mdiEINGABE(ShellWindow& shell, QWidget* parent = nullptr);
    ~mdiEINGABE() override;

    void Form_Load();
    // Releases the data objects; from now on the window checks nothing.
    void Form_Unload();
    // Fills the window from record `id`.
    void OEFFNEN(int32_t id);
    // Writes the window into record `id` (creating its rows); true when every write succeeded.
    bool OK(int32_t id);
    // The window's check of a typed number or date; `text` is replaced by its trimmed form.
    bool WERTPRUEFUNG(QString& text, float minimum, float maximum, bool integerOnly, bool date, const QString& title);
    // The name may not be left empty: true when it is not.
    bool txtKEN_LostFocus();

    QGroupBox* fraKEN = nullptr;
    QLabel* lblKEN = nullptr;
    QLineEdit* txtKEN = nullptr;
    QLabel* lblKOM = nullptr;
    QLineEdit* txtKOM = nullptr;
    QTabWidget* SSTab = nullptr;
    QFrame* fraREITER = nullptr;
    QCheckBox* chkLOGX = nullptr;
    QCheckBox* chkLOGY = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Resize();
    bool Form_KeyDown(QObject* watched, QKeyEvent* key);

    ShellWindow& shell_;
    int16_t sprache_ = 3;
    std::unique_ptr<clsDATEN> datE1_;
    std::unique_ptr<clsDATEN> datE2_;
    bool checkingName_ = false;
    bool unloaded_ = false;
};
