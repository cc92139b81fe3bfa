#pragma once

#include <QDialog>
#include <QItemSelection>
#include <QStringList>
#include <cstdint>

class QListWidget;
class QPushButton;
class ShellWindow;

// The record selection dialog. The calling command puts its mode into the main window's tag
// ("O" Öffnen, "A" Auswahl, "L" Löschen, "E" export to the information system); OK writes
// the marks into the AKT flags and answers "OK" through the tag, Cancel answers "Abbrechen".
class frmAUSWAHL : public QDialog {
    Q_OBJECT
public:
    explicit frmAUSWAHL(ShellWindow& shell, QWidget* parent = nullptr);

    void Form_Load();
    // After a click (or a selection made while loading) changed the selection of `index`.
    void lstKEN_Click(int index);
    void cmdOK_Click();
    void cmdABBRECHEN_Click();

    QString mode() const { return mode_; }
    // The record ID behind a list position.
    int32_t recordId(int index) const;

    QListWidget* lstKEN = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdABBRECHEN = nullptr;

private:
    void setSelected(int index, bool selected);
    int selectedCount() const;
    void checkEvaluated(int index);
    void onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);

    ShellWindow& shell_;
    QString mode_;
    QStringList comments_;
    bool loading_ = false;
    bool inClick_ = false;
};
