// The capture as a model: clicks, corrections, deletions, curves and the calibration's
// reference clicks, each undoable, with the values following the pixels.
#include "capture/CaptureModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// A map of 10 pixels per unit, y growing upwards from pixel row 100; nothing left of x = 0.
std::optional<QPointF> tenPerUnit(const QPointF& px)
{
    if (px.x() < 0) return std::nullopt;
    return QPointF(px.x() / 10, (100 - px.y()) / 10);
}

class CaptureModelTest : public ::testing::Test {
protected:
    void SetUp() override { model.setValueMap(tenPerUnit); }

    // The model's curves as "group: x/y x/y | group: ...", pixels left out.
    QString text() const
    {
        QStringList curves;
        for (const CaptureCurve& c : model.curves()) {
            QStringList points;
            for (const CapturePoint& p : c.points) points << QStringLiteral("%1/%2").arg(p.x).arg(p.y);
            curves << (c.group + QStringLiteral(": ") + points.join(QLatin1Char(' '))).trimmed();
        }
        return curves.join(QStringLiteral(" | "));
    }

    CaptureModel model;
};

}  // namespace

// Every click appends to the current curve; a correction is explicit and ends after one
// click; every step undoes and redoes exactly; the rows list all curves in order.
TEST_F(CaptureModelTest, ClicksAppendAndACorrectionMovesOnePoint)
{
    for (int i = 1; i <= 5; ++i) EXPECT_TRUE(model.click(QPointF(10 * i, 90)));
    EXPECT_FALSE(model.click(QPointF(-5, 90)));  // outside the map: no point
    EXPECT_EQ(text(), QStringLiteral(": 1/1 2/1 3/1 4/1 5/1"));

    model.setCorrecting(PointRef{0, 1});
    model.click(QPointF(25, 50));
    model.click(QPointF(60, 80));
    EXPECT_EQ(text(), QStringLiteral(": 1/1 2.5/5 3/1 4/1 5/1 6/2"));
    EXPECT_FALSE(model.correcting());
    EXPECT_EQ(model.point({0, 1}).pixel, QPointF(25, 50));

    model.newCurve(QStringLiteral("B"));
    model.click(QPointF(70, 70));
    EXPECT_EQ(text(), QStringLiteral(": 1/1 2.5/5 3/1 4/1 5/1 6/2 | B: 7/3"));
    EXPECT_EQ(model.pointCount(), 7);
    EXPECT_EQ(model.rowOf({1, 0}), 6);
    EXPECT_EQ(model.refOfRow(6), (PointRef{1, 0}));
    EXPECT_EQ(model.refOfRow(7), std::nullopt);

    QUndoStack& stack = model.undoStack();
    stack.undo();
    stack.undo();  // the new curve goes, and clicks go to the first curve again
    EXPECT_EQ(text(), QStringLiteral(": 1/1 2.5/5 3/1 4/1 5/1 6/2"));
    EXPECT_EQ(model.currentCurve(), 0);
    stack.undo();
    stack.undo();
    EXPECT_EQ(text(), QStringLiteral(": 1/1 2/1 3/1 4/1 5/1"));
    while (stack.canRedo()) stack.redo();
    EXPECT_EQ(text(), QStringLiteral(": 1/1 2.5/5 3/1 4/1 5/1 6/2 | B: 7/3"));
    EXPECT_EQ(model.currentCurve(), 1);
}

// Deleting points of several curves at once, in any order, and undoing it puts every point
// back at its place; a deleted point being corrected is corrected no more.
TEST_F(CaptureModelTest, DeletingSeveralPointsUndoesToTheSamePlaces)
{
    model.load({{QStringLiteral("A"), {{QPointF(10, 90), 1, 1}, {QPointF(20, 90), 2, 1}, {QPointF(30, 90), 3, 1}}},
                {QStringLiteral("B"), {{std::nullopt, 7, 7}, {QPointF(50, 90), 5, 1}}}},
               {});
    EXPECT_FALSE(model.changedSinceStored());
    model.setCorrecting(PointRef{1, 0});
    QSignalSpy removed(&model, &CaptureModel::pointRemoved);
    model.deletePoints({{1, 0}, {0, 0}, {0, 2}, {0, 0}});
    EXPECT_EQ(removed.count(), 3);
    EXPECT_EQ(text(), QStringLiteral("A: 2/1 | B: 5/1"));
    EXPECT_FALSE(model.correcting());
    EXPECT_TRUE(model.changedSinceStored());
    model.undoStack().undo();
    EXPECT_EQ(text(), QStringLiteral("A: 1/1 2/1 3/1 | B: 7/7 5/1"));
    EXPECT_FALSE(model.changedSinceStored());
}

// A new calibration gives every clicked point its new values from its pixel; points typed by
// hand keep theirs; undo brings the old values back. The reference clicks are commands too.
TEST_F(CaptureModelTest, ANewMapRecomputesClickedPointsOnly)
{
    model.load({{QStringLiteral("A"), {{QPointF(10, 90), 1, 1}, {std::nullopt, 7, 7}}}}, {{0, QPointF(1, 2), 100, 0}});
    model.addClick({1, QPointF(3, 4), 0, 50});
    EXPECT_EQ(model.clicks().size(), 2u);
    model.setValueMap([](const QPointF& px) { return std::optional<QPointF>(QPointF(px.x(), px.y())); });
    EXPECT_TRUE(model.recompute(QStringLiteral("Kalibrierung")));
    EXPECT_EQ(text(), QStringLiteral("A: 10/90 7/7"));
    EXPECT_FALSE(model.recompute(QStringLiteral("Kalibrierung")));
    model.undoStack().undo();
    EXPECT_EQ(text(), QStringLiteral("A: 1/1 7/7"));
    model.undoStack().undo();
    EXPECT_EQ(model.clicks(), (std::vector<ReferenceClick>{{0, QPointF(1, 2), 100, 0}}));
    model.clearClicks();
    EXPECT_TRUE(model.clicks().empty());
}
