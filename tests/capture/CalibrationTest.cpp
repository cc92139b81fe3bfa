#include "capture/Calibration.h"

#include <gtest/gtest.h>

namespace {

// --- orientation and margins -----------------------------------------------------------------------

struct OrientationCase {
    const char* name;
    float xOfXmin, yOfYmax;  // corner "XMIN / YMAX"
    float xOfXmax, yOfYmin;  // corner "XMAX / YMIN"
    int16_t OX, OY;
    float RL, RR, RO, RU;
};

class Orientation : public ::testing::TestWithParam<OrientationCase> {};

TEST_P(Orientation, MarginsFollowWhichSideEachEndLies)
{
    const OrientationCase& c = GetParam();
    Calibration cal;
    cal.setXmaxYmin(c.xOfXmax, c.yOfYmin);
    cal.setXminYmax(c.xOfXmin, c.yOfYmax);
    QString message;
    const auto f = cal.frame(240, 125, message);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->OX, c.OX);
    EXPECT_EQ(f->OY, c.OY);
    EXPECT_FLOAT_EQ(f->RL, c.RL);
    EXPECT_FLOAT_EQ(f->RR, c.RR);
    EXPECT_FLOAT_EQ(f->RO, c.RO);
    EXPECT_FLOAT_EQ(f->RU, c.RU);
}

INSTANTIATE_TEST_SUITE_P(
    Calibration, Orientation,
    ::testing::Values(OrientationCase{"RightUp", 20, 15, 220, 110, 1, 1, 20, 20, 15, 15},
                      OrientationCase{"LeftUp", 220, 15, 20, 110, -1, 1, 20, 20, 15, 15},
                      OrientationCase{"RightDown", 30, 100, 200, 10, 1, -1, 30, 40, 10, 25},
                      OrientationCase{"LeftDown", 200, 100, 30, 10, -1, -1, 30, 40, 10, 25}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calibration, CornersOnOneLineGiveTheMessageAndNoFrame)
{
    Calibration cal;
    QString message;
    cal.setXmaxYmin(50, 100);
    cal.setXminYmax(50, 10);
    EXPECT_FALSE(cal.frame(240, 125, message));
    EXPECT_EQ(message, QStringLiteral("XMIN und XMAX liegen auf einer parallelen zur x-Achse!"));
    cal.setXminYmax(10, 100);
    EXPECT_FALSE(cal.frame(240, 125, message));
    EXPECT_EQ(message, QStringLiteral("YMIN und YMAX liegen auf einer parallelen zur y-Achse!"));
}

TEST(Calibration, CornersOffThePictureGiveTheMessageAndNoFrame)
{
    struct Case {
        float x1, y1, x2, y2;
        bool accepted;
    };
    for (const Case& c : {Case{240, 0, 0, 125, true}, Case{-3000, 100, 9000, 10, false}, Case{200, 100, 10, -0.5f, false},
                          Case{240.5f, 100, 10, 10, false}, Case{200, 125.5f, 10, 10, false}}) {
        Calibration cal;
        QString message;
        cal.setXmaxYmin(c.x1, c.y1);
        cal.setXminYmax(c.x2, c.y2);
        EXPECT_EQ(cal.frame(240, 125, message).has_value(), c.accepted) << c.x1 << " " << c.y1 << " " << c.x2 << " " << c.y2;
        if (!c.accepted) EXPECT_EQ(message, QStringLiteral("Die Achsenenden liegen nicht auf dem Bild!"));
    }
}

// --- corner flags and refinement -----------------------------------------------------------------------

TEST(Calibration, EachRefiningClickWeighsOneHalf)
{
    Calibration cal;
    cal.setXminYmax(8, 12);  // p0
    cal.setXmaxYmin(200, 100);
    cal.refineXminYmin(12, 104);  // p1
    cal.refineXminYmin(10, 102);  // p2
    EXPECT_FLOAT_EQ(cal.xOfXmin(), 8.f / 4 + 12.f / 4 + 10.f / 2);
    EXPECT_FLOAT_EQ(cal.yOfYmin(), 100.f / 4 + 104.f / 4 + 102.f / 2);
    cal.refineXmaxYmax(204, 16);
    EXPECT_FLOAT_EQ(cal.xOfXmax(), 202);
    EXPECT_FLOAT_EQ(cal.yOfYmax(), 14);
}

TEST(Calibration, ClearingACornerEndsTheCalibration)
{
    Calibration cal;
    cal.setXmaxYmin(200, 100);
    EXPECT_FALSE(cal.hasBothCorners());
    cal.setXminYmax(10, 10);
    EXPECT_TRUE(cal.hasBothCorners());
    cal.setCalibrated(true);
    cal.clearXminYmax();
    EXPECT_FALSE(cal.hasBothCorners());
    EXPECT_FALSE(cal.isCalibrated());
    // A new main corner needs a new frame as well.
    cal.setXminYmax(11, 10);
    cal.setCalibrated(true);
    cal.setXmaxYmin(201, 100);
    EXPECT_FALSE(cal.isCalibrated());
}

// --- logarithmic ends -------------------------------------------------------------------------------------

TEST(Calibration, LogarithmicAxesNeedPositiveEnds)
{
    const QString m = QStringLiteral("Bei logarithmischer Teilung müssen die Achsenwerte größer als 0 sein!");
    EXPECT_EQ(Calibration::checkLogarithmicEnds({0, 100, 0, 18}, true, false), m);
    EXPECT_EQ(Calibration::checkLogarithmicEnds({1, 100, -1, 18}, false, true), m);
    EXPECT_EQ(Calibration::checkLogarithmicEnds({0.001f, 100, 0, 18}, true, false), QString());
    EXPECT_EQ(Calibration::checkLogarithmicEnds({0, 100, 0, 18}, false, false), QString());
}

// --- rounding of captured values ------------------------------------------------------------------------

struct RoundingCase {
    float value, expected;
};

class Rounding : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(Rounding, ThreeDecimalsOrFourSignificantDigitsWhicheverKeepsMore)
{
    EXPECT_FLOAT_EQ(Calibration::rounded(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Calibration, Rounding,
                         ::testing::Values(RoundingCase{2.0625f, 2.062f},      // a tie goes to the even digit
                                           RoundingCase{2.0635f, 2.064f},      // tie judged as the single shows it
                                           RoundingCase{1234.5678f, 1234.568f},
                                           RoundingCase{-7.77777f, -7.778f},
                                           RoundingCase{0.0123456f, 0.01235f},  // a strain axis keeps four digits
                                           RoundingCase{0.000123456f, 0.0001235f},
                                           RoundingCase{0.0f, 0.0f}));

}  // namespace
