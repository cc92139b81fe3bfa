#pragma once

#include "grid/clsFLX.h"
#include "platform/surface/PictureBox.h"
#include "platform/widgets/FlexGrid.h"
#include "support/TestEnvironment.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

// A window as the point grid's owner builds it: the grid, a text box and a combo box as
// editors and a picture over the header, all children of one shown (offscreen) window, and
// the grid object configured in the documented order.
class GridFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::ui().clear();
        window.resize(900, 500);
        grid = new vb::FlexGrid(&window);
        grid->setGeometry(20, 30, 700, 400);
        txt = new QLineEdit(&window);
        cbo = new QComboBox(&window);
        pic = new vb::PictureBox(&window);
        window.show();
        flx.EFLX(grid);
        flx.ETXT(txt);
        flx.EPIC(pic);
        flx.ECBO(cbo);
    }

    // Columns: index levels 1 and 2, a value, a date, a time, the elapsed time and a list.
    void describeMeasurementGrid()
    {
        flx.ELSB({12, 12, 20, 20, 20, 20, 25});
        flx.ELST1({"Nr", "Pkt", "Wert", "Datum", "Zeit", "t", "Art"});
        flx.ELSTYP({1, 2, 0, 4, 5, 6, 7});
        flx.ELCBO(6, {"A", "B"});
    }

    void setRows(int dataRows) { grid->setRows(grid->FixedRows() + dataRows); }
    void put(int row, int col, const QString& text) { grid->setTextMatrix(row, col, text); }
    QString at(int row, int col) const { return grid->TextMatrix(row, col); }
    QStringList column(int col) const
    {
        QStringList out;
        for (int r = grid->FixedRows(); r < grid->Rows(); ++r) out << grid->TextMatrix(r, col);
        return out;
    }

    const QList<vb::ScriptedUi::Message>& messages() const { return TestEnvironment::ui().messages; }
    QStringList messageTexts() const
    {
        QStringList out;
        for (const auto& m : messages()) out << m.text;
        return out;
    }

    QWidget window;
    vb::FlexGrid* grid = nullptr;
    QLineEdit* txt = nullptr;
    QComboBox* cbo = nullptr;
    vb::PictureBox* pic = nullptr;
    clsFLX flx;
};
