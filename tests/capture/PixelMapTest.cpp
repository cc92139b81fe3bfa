// The calibration map on scans with known geometry: exact where the model fits the scan, a
// least-squares fit with residuals beyond the corners.
#include "SyntheticScan.h"
#include "capture/PixelMap.h"

#include <QLineF>
#include <gtest/gtest.h>
#include <cmath>

namespace {

using Axes = ScanAxes;

// The corners in the order the window takes them: XMAX/YMIN, XMIN/YMAX, XMIN/YMIN, XMAX/YMAX.
std::vector<PixelMap::Reference> cornerReferences(const std::vector<QPointF>& pixels, const Axes& axes, int count)
{
    const QPointF fractions[] = {{1, 0}, {0, 1}, {0, 0}, {1, 1}};
    std::vector<PixelMap::Reference> refs;
    for (int i = 0; i < count; ++i) refs.push_back({pixels[static_cast<size_t>(i)], axes.x(fractions[i].x()), axes.y(fractions[i].y())});
    return refs;
}
std::vector<QPointF> truePixels(const SyntheticScan& scan)
{
    return {scan.scan(1, 0), scan.scan(0, 1), scan.scan(0, 0), scan.scan(1, 1)};
}

struct MapCase {
    const char* name;
    ScanLook look;
    int corners;
    Axes axes;
};

class PixelMapFit : public ::testing::TestWithParam<MapCase> {};

TEST_P(PixelMapFit, CornersOfTheScansOwnGeometryGiveAnExactMap)
{
    const MapCase& c = GetParam();
    const SyntheticScan scan(c.look);
    const auto map = PixelMap::fit(cornerReferences(truePixels(scan), c.axes, c.corners), c.axes.logX, c.axes.logY);
    ASSERT_TRUE(map);
    for (double fx = 0; fx <= 1; fx += 0.25)
        for (double fy = 0; fy <= 1; fy += 0.25) {
            EXPECT_LE(QLineF(map->pixel(c.axes.x(fx), c.axes.y(fy)), scan.scan(fx, fy)).length(), 1e-6) << fx << "," << fy;
            const QPointF v = map->value(scan.scan(fx, fy));
            EXPECT_NEAR(c.axes.fx(v.x()), fx, 1e-9);
            EXPECT_NEAR(c.axes.fy(v.y()), fy, 1e-9);
        }
    EXPECT_LE(map->worstResidual(), 1e-6);
    if (c.look.keystone == 0) {
        EXPECT_NEAR(map->skewDegrees(), c.look.degrees, 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(
    PixelMap, PixelMapFit,
    ::testing::Values(MapCase{"StraightTwoCorners", {}, 2, {}},
                      MapCase{"StraightTwoCornersLogDownward", {.downward = true}, 2, {true, true}},
                      MapCase{"TurnedThreeCorners", {.degrees = 2}, 3, {}},
                      MapCase{"TurnedBackThreeCornersLogXDownward", {.degrees = -2, .downward = true}, 3, {true, false}},
                      MapCase{"KeystoneFourCorners", {.degrees = 0.5, .keystone = 0.04}, 4, {}},
                      MapCase{"KeystoneFourCornersLogY", {.degrees = -1, .keystone = -0.03}, 4, {false, true}}),
    [](const auto& info) { return std::string(info.param.name); });

// Axis ticks clicked a little off beyond the four corners: the fit spreads the error, each
// reference shows its own, and a mistyped tick stands out.
TEST(PixelMap, TicksBeyondTheCornersAreFittedAndEachShowsItsResidual)
{
    const SyntheticScan scan({.degrees = 1.2, .keystone = 0.03});
    const Axes axes{false, true};
    auto refs = cornerReferences(truePixels(scan), axes, 4);
    const double wobble[] = {0.3, -0.2, 0.25, -0.3, 0.1, -0.25};
    for (int i = 0; i < 6; ++i) {
        const double f = 0.15 * (i + 1);
        refs.push_back({scan.scan(f, 0) + QPointF(wobble[i], -wobble[i]), axes.x(f), std::nullopt});
        refs.push_back({scan.scan(0, f) + QPointF(-wobble[i], wobble[i]), std::nullopt, axes.y(f)});
    }
    const auto map = PixelMap::fit(refs, axes.logX, axes.logY);
    ASSERT_TRUE(map);
    EXPECT_EQ(map->model(), PixelMap::Model::Projective);
    ASSERT_EQ(map->residuals().size(), refs.size());
    EXPECT_LE(map->worstResidual(), 0.5);
    for (double f : {0.1, 0.5, 0.9}) EXPECT_LE(QLineF(map->pixel(axes.x(f), axes.y(f)), scan.scan(f, f)).length(), 0.3) << f;

    refs[6].x = axes.x(0.15 + 0.02);  // typed 17 for the tick at 15
    const auto mistyped = PixelMap::fit(refs, axes.logX, axes.logY);
    ASSERT_TRUE(mistyped);
    EXPECT_GT(mistyped->residuals()[6], 1.0);
    EXPECT_EQ(mistyped->worstResidual(), mistyped->residuals()[6]);
}

TEST(PixelMap, ReferencesThatFixNoMapGiveNone)
{
    using R = PixelMap::Reference;
    EXPECT_FALSE(PixelMap::fit({R{{100, 900}, 0.0, 0.0}}, false, false));
    EXPECT_FALSE(PixelMap::fit({R{{100, 900}, 0.0, 0.0}, R{{100, 100}, 10.0, 5.0}}, false, false));  // one x position
    EXPECT_FALSE(PixelMap::fit({R{{100, 900}, 0.0, 0.0}, R{{900, 100}, 10.0, 5.0}, R{{500, 500}, 5.0, 2.5}}, false, false));
    EXPECT_FALSE(PixelMap::fit({R{{100, 900}, 0.0, 1.0}, R{{900, 100}, 10.0, 5.0}}, true, false));  // log of 0
    EXPECT_TRUE(PixelMap::fit({R{{100, 900}, 1.0, 0.0}, R{{900, 100}, 10.0, 5.0}}, true, false));
}

}  // namespace
