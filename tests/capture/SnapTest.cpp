// Snapping on generated scans whose geometry is known: every snapped position must lie within
// a third of a scan pixel of the truth, from clicks one to two pixels off in every direction.
#include "SyntheticScan.h"
#include "capture/Snap.h"

#include <QLineF>
#include <gtest/gtest.h>
#include <cmath>

namespace {

constexpr double radius = 6;
constexpr double tolerance = 1.0 / 3;
const QPointF offsets[] = {{2, 0}, {-2, 0}, {0, 2}, {0, -2}, {1, 1}, {-1, -1}, {1.5, -1}, {-1, 1.5}};

struct LookCase {
    const char* name;
    ScanLook look;
};

class SnapOnScan : public ::testing::TestWithParam<LookCase> {
protected:
    static const SyntheticScan& scan()
    {
        static std::map<std::string, SyntheticScan> made;
        const auto [it, _] = made.try_emplace(GetParam().name, GetParam().look);
        return it->second;
    }
};

double distance(const QPointF& a, const QPointF& b) { return QLineF(a, b).length(); }

TEST_P(SnapOnScan, CornerClicksFindTheFrameLinesCrossing)
{
    for (const QPointF& corner : scan().corners())
        for (const QPointF& off : offsets) {
            const auto snapped = Snap::corner(scan().image(), corner + off, radius);
            ASSERT_TRUE(snapped) << "corner " << corner.x() << "," << corner.y() << " off " << off.x() << "," << off.y();
            EXPECT_LE(distance(*snapped, corner), tolerance) << "corner " << corner.x() << "," << corner.y() << " off "
                                                             << off.x() << "," << off.y() << " -> " << snapped->x() << ","
                                                             << snapped->y();
        }
}

TEST_P(SnapOnScan, PointClicksFindTheMarkersCentre)
{
    for (const QPointF& f : SyntheticScan::curvePoints()) {
        const QPointF truth = scan().scan(f.x(), f.y());
        for (const QPointF& off : offsets) {
            const auto snapped = Snap::point(scan().image(), truth + off, radius);
            ASSERT_TRUE(snapped) << "marker " << truth.x() << "," << truth.y() << " off " << off.x() << "," << off.y();
            EXPECT_LE(distance(*snapped, truth), tolerance) << "marker " << truth.x() << "," << truth.y() << " off "
                                                            << off.x() << "," << off.y() << " -> " << snapped->x() << ","
                                                            << snapped->y();
        }
    }
}

// Between the markers the curve is a bare line: the click moves onto its centre across it
// and keeps its place along it.
TEST_P(SnapOnScan, PointClicksOnABareLineFindItsCentreAcross)
{
    const auto points = SyntheticScan::curvePoints();
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const QLineF line(scan().scan(points[i].x(), points[i].y()), scan().scan(points[i + 1].x(), points[i + 1].y()));
        const QPointF along = (line.p2() - line.p1()) / line.length(), across(-along.y(), along.x());
        const QPointF middle = line.pointAt(0.5);
        for (double shift : {-2.0, -1.0, 1.0, 2.0}) {
            const QPointF click = middle + shift * across + 0.7 * along;
            const auto snapped = Snap::point(scan().image(), click, radius);
            ASSERT_TRUE(snapped) << "line " << i << " shift " << shift;
            EXPECT_LE(std::fabs(QPointF::dotProduct(*snapped - middle, across)), tolerance) << "line " << i << " shift " << shift;
            EXPECT_LE(std::fabs(QPointF::dotProduct(*snapped - click, along)), 0.1) << "line " << i << " shift " << shift;
        }
    }
}

TEST_P(SnapOnScan, NothingFartherThanTheRadiusNorOnText)
{
    const QPointF marker = scan().scan(0.35, 0.45);
    EXPECT_FALSE(Snap::point(scan().image(), marker + QPointF(0, 20), radius));
    EXPECT_FALSE(Snap::corner(scan().image(), scan().corners()[0] + QPointF(10, 10), radius));
    for (const QPointF& off : offsets) {
        EXPECT_FALSE(Snap::point(scan().image(), scan().labelAt() + off, radius)) << off.x() << "," << off.y();
        EXPECT_FALSE(Snap::corner(scan().image(), scan().labelAt() + off, radius)) << off.x() << "," << off.y();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Snap, SnapOnScan,
    ::testing::Values(LookCase{"Straight", {}},
                      LookCase{"TurnedTwoDegrees", {.degrees = 2}},
                      LookCase{"TurnedBackThinLines", {.degrees = -2, .lineWidth = 1}},
                      LookCase{"KeystoneWideLines", {.degrees = 0.5, .keystone = 0.04, .lineWidth = 4}},
                      LookCase{"BlurredNoisyJpeg", {.degrees = 1, .blurPasses = 2, .noise = 8, .jpegQuality = 70}},
                      LookCase{"GreyOpenCircles", {.degrees = -1.3, .lineWidth = 2, .grey = true, .marker = ScanLook::OpenCircle}},
                      LookCase{"ColourSquaresJpeg",
                               {.degrees = 0.7, .jpegQuality = 80, .colour = true, .marker = ScanLook::FilledSquare}},
                      LookCase{"OpenSquaresDownwardBlurred",
                               {.degrees = 1.5, .lineWidth = 2, .blurPasses = 1, .downward = true, .marker = ScanLook::OpenSquare}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
