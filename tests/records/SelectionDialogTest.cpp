// The selection dialog: its four modes, the click rules and what OK and Cancel write.
#include "records/frmAUSWAHL.h"
#include "records/RecordsFixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

class SelectionDialog : public RecordsFixture {
protected:
    void SetUp() override
    {
        RecordsFixture::SetUp();
        // In name order: Alpha (evaluated), Beta (never evaluated), Gamma (evaluation pending).
        exec(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (3, 'Gamma', 'g', 0), (1, 'Alpha', 'a', 0), (2, 'Beta', NULL, 0)"));
        exec(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (1, 0), (3, 1)"));
    }
    std::unique_ptr<frmAUSWAHL> open(const QString& mode)
    {
        shell.tag = mode;
        auto d = std::make_unique<frmAUSWAHL>(shell);
        d->Form_Load();
        d->show();
        return d;
    }
    // A real mouse click on list item `row`.
    static void click(frmAUSWAHL& d, int row)
    {
        const QRect r = d.lstKEN->visualItemRect(d.lstKEN->item(row));
        QTest::mouseClick(d.lstKEN->viewport(), Qt::LeftButton, {}, r.center());
    }
    static QStringList selected(const frmAUSWAHL& d)
    {
        QStringList out;
        for (int i = 0; i < d.lstKEN->count(); ++i)
            if (d.lstKEN->item(i)->isSelected()) out << d.lstKEN->item(i)->text();
        return out;
    }
    QStringList active() { return column(QStringLiteral("SELECT KEN FROM E1 WHERE AKT=1 ORDER BY KEN")); }
};

}  // namespace

TEST_F(SelectionDialog, OpenModePreselectsOnlyTheFirstAndAllowsOneRecord)
{
    exec(QStringLiteral("UPDATE E1 SET AKT=1 WHERE ID IN (2, 3)"));
    auto o = open(QStringLiteral("O"));
    EXPECT_EQ(selected(*o), QStringList{QStringLiteral("Beta")});
    click(*o, 0);  // a second record: refused
    EXPECT_EQ(selected(*o), QStringList{QStringLiteral("Beta")});
    EXPECT_EQ(o->lstKEN->toolTip(), QStringLiteral("a"));
    click(*o, 1);  // deselect the chosen one, then another can be chosen
    click(*o, 2);
    EXPECT_EQ(selected(*o), QStringList{QStringLiteral("Gamma")});
    EXPECT_TRUE(messages().isEmpty());

    // The other modes preselect every active record.
    EXPECT_EQ(selected(*open(QStringLiteral("L"))), (QStringList{QStringLiteral("Beta"), QStringLiteral("Gamma")}));
}

TEST_F(SelectionDialog, SeveralRecordsOnlyWhenEachWasEvaluated)
{
    // Mode A: the first selection is never tested.
    auto a = open(QStringLiteral("A"));
    click(*a, 1);
    EXPECT_TRUE(messages().isEmpty());
    click(*a, 0);  // Alpha is evaluated
    EXPECT_TRUE(messages().isEmpty());
    click(*a, 2);  // Gamma's evaluation is pending: told, but it stays selected
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Datensatz Gamma muß zuerst einzeln ausgewertet werden!"));
    EXPECT_EQ(messages()[0].buttons, vb::vbExclamation | vb::vbOKOnly);
    EXPECT_EQ(selected(*a), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")}));

    // Mode E tests the first selection already; a record never evaluated is refused.
    TestEnvironment::ui().clear();
    shell.session_.setLanguage(1);
    auto e = open(QStringLiteral("E"));
    EXPECT_EQ(e->windowTitle(), QStringLiteral("File/Export Inf.system"));
    EXPECT_EQ(e->cmdABBRECHEN->text(), QStringLiteral("Cancel"));
    click(*e, 1);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QStringLiteral("File Beta has to be calculated first!"));
    EXPECT_TRUE(selected(*e).isEmpty());
    click(*e, 0);
    EXPECT_EQ(selected(*e), QStringList{QStringLiteral("Alpha")});
    EXPECT_EQ(messages().size(), 1);
}

TEST_F(SelectionDialog, OkWritesTheFlagsByRecordAndCancelWritesNothing)
{
    // Old files may hold rows without a name or with a repeated name; each item still
    // belongs to its own row.
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (4, NULL, NULL, 1), (5, 'Beta', 'zwei', 0), (0, 'intern', NULL, 1)"));
    auto c = open(QStringLiteral("L"));
    ASSERT_EQ(c->lstKEN->count(), 5);  // the internal row 0 is not offered
    click(*c, 0);
    c->cmdABBRECHEN->click();
    EXPECT_EQ(shell.tag, QStringLiteral("Abbrechen"));
    EXPECT_EQ(column(QStringLiteral("SELECT ID FROM E1 WHERE AKT=1 ORDER BY ID")), (QStringList{QStringLiteral("0"), QStringLiteral("4")}));

    auto d = open(QStringLiteral("L"));
    EXPECT_EQ(d->recordId(0), 4);  // the nameless row sorts first
    click(*d, 0);                  // deselect the nameless row
    for (int i = 1; i < d->lstKEN->count(); ++i)
        if (d->recordId(i) == 5) click(*d, i);  // the second "Beta"
    d->cmdOK->click();
    EXPECT_EQ(shell.tag, QStringLiteral("OK"));
    EXPECT_EQ(column(QStringLiteral("SELECT ID FROM E1 WHERE AKT=1 ORDER BY ID")), (QStringList{QStringLiteral("0"), QStringLiteral("5")}));
}
