#include "GridDemoWindow.h"

#include <QDateTime>
#include <QKeyEvent>

namespace {

// The editors hand Enter (and Escape as a plain commit) to the grid object.
class EditorKeys : public QObject {
public:
    EditorKeys(QObject* parent, clsFLX& flx) : QObject(parent), flx_(flx) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                flx_.EINFUEGEN(13);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    clsFLX& flx_;
};

}  // namespace

GridDemoWindow::GridDemoWindow()
{
    setWindowTitle(QStringLiteral("VELOR - Messwerte"));
    resize(980, 420);
    flxMESS = new vb::FlexGrid(this);
    flxMESS->setObjectName(QStringLiteral("flxMESS"));
    flxMESS->setGeometry(10, 10, 960, 350);
    txtMESS = new QLineEdit(this);
    cboMESS = new QComboBox(this);
    picMESS = new vb::PictureBox(this);
    cmdEINFUEGEN = new QPushButton(QStringLiteral("Zeile einfügen"), this);
    cmdENTFERNEN = new QPushButton(QStringLiteral("Zeile entfernen"), this);
    cmdAKTUALISIEREN = new QPushButton(QStringLiteral("Aktualisieren"), this);
    cmdEINFUEGEN->setGeometry(10, 372, 140, 32);
    cmdENTFERNEN->setGeometry(160, 372, 140, 32);
    cmdAKTUALISIEREN->setGeometry(310, 372, 140, 32);

    flx.EFLX(flxMESS);
    flx.ETXT(txtMESS);
    flx.EPIC(picMESS);
    flx.ECBO(cboMESS);
    describe();
    fill();
    wire();
}

void GridDemoWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    flx.BESCHRIFTEN();
}

void GridDemoWindow::describe()
{
    flx.ELSB({12, 12, 24, 20, 22, 24, 24, 30});
    flx.ELST1({"Nr", "Pkt", "Datum", "Zeit", "{g,D}t", "p", "F", "Art"});
    flx.ELST2({"", "", "", "", "[min]", "[N/mm{h,2}]", "[kN]", ""});
    flx.ELSTTT({"Messreihe", "Messpunkt", "Datum der Messung", "Uhrzeit", "Zeit seit der ersten Messung",
                "Porenwasserdruck", "Kraft", "Art der Messung"});
    flx.ELSTYP({1, 2, 4, 5, 6, 0, 0, 7});
    flx.ELFORMAT({"", "", "", "", "0", "0.000", "0.0", ""});
    flx.ELMIN({{}, {}, {}, {}, {}, 0.0f, -500.0f, {}});
    flx.ELMAX({{}, {}, {}, {}, {}, 10.0f, 500.0f, {}});
    flx.ELCBO(7, {"Handmessung", "Datenlogger", "Kontrolle"});
    flx.ELINDEXMIN({1, 1});
    flx.ELINDEXMAX({4});
    flx.EDET(0);
    flx.SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 10, false, false, false, 0);
    // Two header lines: the unit goes under the name.
    flxMESS->setRowHeight(0, 2 * flxMESS->RowHeight(1));
}

void GridDemoWindow::fill()
{
    const QDateTime start(QDate(2003, 5, 17), QTime(8, 0));
    const int rows = 40;
    flxMESS->setRows(flxMESS->FixedRows() + rows);
    for (int r = 0; r < rows; ++r) {
        const QDateTime t = start.addSecs(r * 37 * 60);
        const int row = flxMESS->FixedRows() + r;
        flxMESS->setTextMatrix(row, 2, t.toString(QStringLiteral("dd.MM.yy")));
        flxMESS->setTextMatrix(row, 3, t.toString(QStringLiteral("HH:mm")));
        flxMESS->setTextMatrix(row, 5, QString::number(1.0 + 0.137 * r).replace('.', ','));
        flxMESS->setTextMatrix(row, 6, QString::number(120.0 - 3.25 * r).replace('.', ','));
        flxMESS->setTextMatrix(row, 7, r % 4 == 3 ? QStringLiteral("Kontrolle") : QStringLiteral("Datenlogger"));
    }
    flx.AKTUALISIEREN();
}

void GridDemoWindow::wire()
{
    connect(flxMESS, &vb::FlexGrid::DblClick, this, [this] { flx.BEARBEITEN(0); });
    connect(flxMESS, &vb::FlexGrid::KeyPress, this, [this](int key) { flx.BEARBEITEN(static_cast<int16_t>(key)); });
    connect(flxMESS, &vb::FlexGrid::Click, this, [this] { flx.EINFUEGEN(0); });
    connect(flxMESS, &vb::FlexGrid::Scroll, this, [this] {
        flx.EINFUEGEN(0);
        flx.BESCHRIFTEN();
    });
    connect(flxMESS, &vb::FlexGrid::MouseDown, this, [this](int, int, float x, float) { flx.BEARBEITEN(-2, x); });
    connect(flxMESS, &vb::FlexGrid::MouseUp, this, [this](int, int, float, float) { flx.EINFUEGEN(-2); });
    connect(flxMESS, &vb::FlexGrid::MouseMove, this, [this](int, int, float x, float) { flx.TOOLTIP(x); });
    const auto keys = new EditorKeys(this, flx);
    txtMESS->installEventFilter(keys);
    cboMESS->installEventFilter(keys);
    connect(cmdEINFUEGEN, &QPushButton::clicked, this, [this] {
        flx.EINFUEGEN(0);
        flx.ZEILEEINFUEGEN();
    });
    connect(cmdENTFERNEN, &QPushButton::clicked, this, [this] {
        flx.EINFUEGEN(0);
        flx.ZEILEENTFERNEN();
    });
    connect(cmdAKTUALISIEREN, &QPushButton::clicked, this, [this] {
        flx.EINFUEGEN(0);
        flx.AKTUALISIEREN();
    });
}
