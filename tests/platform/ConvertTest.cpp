// Conversions and formatting: every layer relies on these for numbers the user reads and types.
#include "platform/vb/Convert.h"
#include "platform/vb/Format.h"
#include "platform/vb/VbError.h"
#include "platform/vb/VbLocale.h"

#include <gtest/gtest.h>

using namespace vb;

namespace {

struct LocaleGuard {
    explicit LocaleGuard(QChar sep) : old(VbLocale::decimalSeparator()) { VbLocale::setDecimalSeparator(sep); }
    ~LocaleGuard() { VbLocale::setDecimalSeparator(old); }
    QChar old;
};

int errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const VbError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(Convert, WholeNumbersRoundHalfToEven)
{
    EXPECT_EQ(CInt(Value(2.5)), 2);
    EXPECT_EQ(CInt(Value(3.5)), 4);
    EXPECT_EQ(CInt(Value(-2.5)), -2);
    EXPECT_EQ(CLng(Value(1234567.5)), 1234568);
    EXPECT_EQ(CInt(Value(true)), -1);
    EXPECT_EQ(CInt(Value()), 0);
}

TEST(Convert, OutOfRangeNullAndTextRaiseTheLanguagesErrors)
{
    EXPECT_EQ(errorOf([] { CInt(Value(32768.0)); }), errOverflow);
    EXPECT_EQ(errorOf([] { CInt(Value(32767.4)); }), 0);
    EXPECT_EQ(errorOf([] { CLng(Value::null()); }), errInvalidNull);
    EXPECT_EQ(errorOf([] { CDbl(Value("abc")); }), errTypeMismatch);
    EXPECT_EQ(errorOf([] { CStr(Value::null()); }), errInvalidNull);
}

TEST(Convert, TextFollowsTheSessionsDecimalSeparator)
{
    {
        LocaleGuard de(QLatin1Char(','));
        EXPECT_DOUBLE_EQ(CDbl(Value(" 1,5 ")), 1.5);
        EXPECT_EQ(CStr(Value(1.5)), QStringLiteral("1,5"));
        // The other separator is no decimal point here: refused, never read as 15.
        EXPECT_FALSE(IsNumeric(Value("1.5")));
        EXPECT_DOUBLE_EQ(CDbl(Value("-2,5E3")), -2500.0);
    }
    {
        LocaleGuard en(QLatin1Char('.'));
        EXPECT_DOUBLE_EQ(CDbl(Value("1.5")), 1.5);
        EXPECT_EQ(CStr(Value(0.1f)), QStringLiteral("0.1"));
    }
}

TEST(Convert, NumberTextIsTheShortestFormWithExponentsForSmallAndLarge)
{
    LocaleGuard en(QLatin1Char('.'));
    EXPECT_EQ(CStr(Value(100.0)), QStringLiteral("100"));
    EXPECT_EQ(CStr(Value(0.0001)), QStringLiteral("0.0001"));
    EXPECT_EQ(CStr(Value(0.00001)), QStringLiteral("1E-05"));
    EXPECT_EQ(CStr(Value(1e15)), QStringLiteral("1E+15"));
    EXPECT_EQ(CStr(Value(1.0f / 3.0f)), QStringLiteral("0.3333333"));
    EXPECT_EQ(CStr(Value(int16_t(-7))), QStringLiteral("-7"));
}

TEST(Convert, DatesAndTimes)
{
    const DateValue d = CDate(Value("31.12.2001"));
    EXPECT_EQ(toDateTime(d).date(), QDate(2001, 12, 31));
    EXPECT_DOUBLE_EQ(CDate(Value("12:00")).serial, 0.5);
    EXPECT_FALSE(IsDate(Value("31.02.2001")));
    EXPECT_TRUE(IsDate(Value("29.02.2000")));
    EXPECT_DOUBLE_EQ(fromDateTime(QDateTime(QDate(1899, 12, 31), QTime(6, 0))).serial, 1.25);
}

TEST(Convert, RoundDecidesTiesOnTheWrittenNumber)
{
    EXPECT_DOUBLE_EQ(Round(2.5), 2.0);
    EXPECT_DOUBLE_EQ(Round(12.345, 1), 12.3);
    EXPECT_DOUBLE_EQ(Round(0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(Round(10.05, 1), 10.0);
}

struct FormatCase {
    Value value;
    const char* pattern;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.pattern; }

class FormatNumbers : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumbers, GivesTheLanguagesText)
{
    LocaleGuard de(QLatin1Char(','));
    const FormatCase& c = GetParam();
    EXPECT_EQ(Format(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected)) << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatNumbers,
    ::testing::Values(FormatCase{Value(3.14159), "0.0##", "3,142"}, FormatCase{Value(3.1), "0.0##", "3,1"},
                      FormatCase{Value(3.0), "0.0##", "3,0"}, FormatCase{Value(0.5), "#0.000#", "0,500"},
                      FormatCase{Value(12.34567), "#0.000#", "12,3457"}, FormatCase{Value(42.6), "####0", "43"},
                      FormatCase{Value(2.5), "0", "3"}, FormatCase{Value(-2.5), "0", "-3"},
                      FormatCase{Value(2.675), "0.00", "2,68"}, FormatCase{Value(100.0), "#0.###", "100,"},
                      FormatCase{Value(0.0004), "0.00", "0,00"}, FormatCase{Value(-0.0004), "0.00", "0,00"},
                      FormatCase{Value(1234567.891), "#,##0.00", "1.234.567,89"}, FormatCase{Value(0.256), "0.0%", "25,6%"},
                      FormatCase{Value(12345.0), "0.00E+00", "1,23E+04"}, FormatCase{Value(0.000123), "0.0E-00", "1,2E-04"},
                      FormatCase{Value(9.999), "0.0E+00", "1,0E+01"}, FormatCase{Value(-5.0), "0.0;(0.0)", "(5,0)"},
                      FormatCase{Value(0.0), "0.0;-0.0;\"null\"", "null"}, FormatCase{Value("7,25"), "0.0", "7,3"},
                      FormatCase{Value("Probe"), "0.0", "Probe"}, FormatCase{Value(1.5), "", "1,5"},
                      FormatCase{Value(5.0), "0.0 \"kN\"", "5,0 kN"}));

TEST(Format, DatesAndTimes)
{
    const Value when = Value(fromDateTime(QDateTime(QDate(2002, 4, 7), QTime(9, 5, 30))));
    EXPECT_EQ(Format(when, QStringLiteral("hh:mm")), QStringLiteral("09:05"));
    EXPECT_EQ(Format(when, QStringLiteral("dd.mm.yyyy")), QStringLiteral("07.04.2002"));
    EXPECT_EQ(Format(when, QStringLiteral("hh:nn:ss")), QStringLiteral("09:05:30"));
    EXPECT_EQ(Format(when, QStringLiteral("d.m.yy")), QStringLiteral("7.4.02"));
    EXPECT_EQ(Format(Value::null(), QStringLiteral("0.0")), QString());
}
