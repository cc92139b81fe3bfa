#pragma once

#include "grid/clsFLX.h"
#include "platform/surface/PictureBox.h"
#include "platform/widgets/FlexGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

// A measurement table as the capture window would show one: two index levels, a date, a time,
// the elapsed minutes, two formatted values and a list column, with the grid's events wired
// to the grid object the way the owning windows do it.
class GridDemoWindow : public QWidget {
    Q_OBJECT
public:
    GridDemoWindow();

protected:
    // The header overlay is drawn once the picture has its real size.
    void showEvent(QShowEvent* event) override;

private:
    void describe();
    void fill();
    void wire();

    vb::FlexGrid* flxMESS;
    QLineEdit* txtMESS;
    QComboBox* cboMESS;
    vb::PictureBox* picMESS;
    QPushButton* cmdEINFUEGEN;
    QPushButton* cmdENTFERNEN;
    QPushButton* cmdAKTUALISIEREN;
    clsFLX flx;
};
