#pragma once

#include <QWidget>
#include <cstdint>

class QFrame;
class QLabel;
class QProgressBar;

// The start screen: fills the main window whenever no record or page window is in front,
// shows the program's title, version and the maker's address, and carries the progress bar
// the evaluation commands show while a page is built.
class mdiAUTOSTART : public QWidget {
    Q_OBJECT
public:
    explicit mdiAUTOSTART(int16_t sprache, QWidget* parent = nullptr);

    void Form_Load();
    void Form_Resize();

    QFrame* fraKOPF;
    QLabel* picLOGO;
    QLabel* lblTITEL;
    QLabel* lblUNTERTITEL;
    QLabel* lblVERSION;
    QLabel* lblFIRMA;
    QLabel* lblADRESSE;
    QProgressBar* pgbBERECHNEN;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int16_t sprache_;
};
