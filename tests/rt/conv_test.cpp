#include "rt/conv.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

TEST(Val, ReadsTheNumberATextBeginsWith) {
    EXPECT_EQ(rt::Val("42"), 42.0);
    EXPECT_EQ(rt::Val("  -12.5abc"), -12.5);
    EXPECT_EQ(rt::Val("\t+3.25"), 3.25);
    EXPECT_EQ(rt::Val("1.5e3xyz"), 1500.0);
    EXPECT_EQ(rt::Val("2E-2"), 0.02);
    EXPECT_EQ(rt::Val(".5"), 0.5);
    EXPECT_EQ(rt::Val("7."), 7.0);
    EXPECT_EQ(rt::Val("12 34"), 12.0);
    EXPECT_EQ(rt::Val("1,5"), 1.0);
    // An exponent without digits is not part of the number.
    EXPECT_EQ(rt::Val("3e"), 3.0);
    EXPECT_EQ(rt::Val("3e+"), 3.0);
    EXPECT_EQ(rt::Val("0x1F"), 0.0);
}

TEST(Val, GivesZeroWhenTheTextBeginsWithNoNumber) {
    EXPECT_EQ(rt::Val(""), 0.0);
    EXPECT_EQ(rt::Val("abc"), 0.0);
    EXPECT_EQ(rt::Val(",5"), 0.0);
    EXPECT_EQ(rt::Val("-"), 0.0);
    EXPECT_EQ(rt::Val("."), 0.0);
    EXPECT_EQ(rt::Val("   "), 0.0);
    EXPECT_EQ(rt::Val("nan"), 0.0);
    EXPECT_EQ(rt::Val("inf"), 0.0);
    EXPECT_EQ(rt::Val("\n5"), 0.0);
}

TEST(Val, NeverGivesInfinityOrNaN) {
    EXPECT_EQ(rt::Val("1e400"), DBL_MAX);
    EXPECT_EQ(rt::Val("-1e400"), -DBL_MAX);
    EXPECT_EQ(rt::Val("123456789e99999999999999999999"), DBL_MAX);
    EXPECT_EQ(rt::Val("1e-400"), 0.0);
    EXPECT_EQ(rt::Val("0.0000e99999"), 0.0);
    EXPECT_EQ(rt::Val("1e308"), 1e308);
    EXPECT_EQ(rt::Val("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
}

TEST(Val, IgnoresTheLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    // A locale with a decimal comma, where the system has one.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "it_IT.UTF-8")) {
        EXPECT_EQ(rt::Val("2.75"), 2.75);
        EXPECT_EQ(rt::Str(2.75), "2.75");
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(rt::Val("2.75"), 2.75);
}

TEST(Str, WritesPlainDecimalsWithoutExponent) {
    EXPECT_EQ(rt::Str(0.0), "0");
    EXPECT_EQ(rt::Str(-0.0), "0");
    EXPECT_EQ(rt::Str(1.0), "1");
    EXPECT_EQ(rt::Str(-2.5), "-2.5");
    EXPECT_EQ(rt::Str(0.1), "0.1");
    EXPECT_EQ(rt::Str(123.456), "123.456");
    EXPECT_EQ(rt::Str(1e20), "100000000000000000000");
    EXPECT_EQ(rt::Str(1.5e-7), "0.00000015");
    EXPECT_EQ(rt::Str(-1234567.0), "-1234567");
    EXPECT_EQ(rt::Str(1e300).size(), 301u);
    EXPECT_EQ(rt::Str(1e300).substr(0, 2), "10");
}

TEST(Str, WritesNaNAndInfinitiesAsWords) {
    EXPECT_EQ(rt::Str(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(rt::Str(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(rt::Str(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(Str, WritesWholeInt32s) {
    EXPECT_EQ(rt::Str(std::int32_t{0}), "0");
    EXPECT_EQ(rt::Str(std::int32_t{-17}), "-17");
    EXPECT_EQ(rt::Str(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

void ExpectRoundTrip(double value) {
    const std::string text = rt::Str(value);
    ASSERT_EQ(text.find_first_of("eE"), std::string::npos) << text;
    const double back = rt::Val(text);
    EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << text;
}

TEST(Str, SurvivesARoundTripThroughVal) {
    for (double value : {0.1,
                         0.2,
                         0.30000000000000004,
                         1.0 / 3.0,
                         2.0 / 3.0,
                         1e-5,
                         123456.789,
                         1e15 + 0.5,
                         9007199254740993.0,
                         DBL_MAX,
                         -DBL_MAX,
                         DBL_MIN,
                         std::numeric_limits<double>::denorm_min(),
                         5e-324,
                         1e300,
                         1e-300,
                         2147483647.5,
                         -2147483648.5,
                         0.000123,
                         45.000000000000007})
        ExpectRoundTrip(value);

    std::mt19937_64 random(20240607);
    std::uniform_real_distribution<double> ordinary(-1e7, 1e7);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 3000; ++i) {
        ExpectRoundTrip(ordinary(random));
        std::uint64_t raw = bits(random);
        double any = 0;
        std::memcpy(&any, &raw, sizeof any);
        if (std::isfinite(any) && any != 0)
            ExpectRoundTrip(any);
    }
}

TEST(Conv, RoundsToNearestWithHalvesAwayFromZero) {
    EXPECT_EQ(rt::conv(0.0), 0);
    EXPECT_EQ(rt::conv(-0.0), 0);
    EXPECT_EQ(rt::conv(2.4), 2);
    EXPECT_EQ(rt::conv(2.5), 3);
    EXPECT_EQ(rt::conv(-2.5), -3);
    EXPECT_EQ(rt::conv(-2.4), -2);
    EXPECT_EQ(rt::conv(0.49999999999999994), 0);
    EXPECT_EQ(rt::conv(20.0 / 3.0), 7);
    EXPECT_EQ(rt::conv(2147483646.5), 2147483647);
    EXPECT_EQ(rt::conv(-2147483647.5), -2147483647 - 1);
}

TEST(Conv, SaturatesOutOfRangeAndGivesZeroForNaN) {
    constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t min = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(rt::conv(2147483647.0), max);
    EXPECT_EQ(rt::conv(2147483647.5), max);
    EXPECT_EQ(rt::conv(-2147483648.0), min);
    EXPECT_EQ(rt::conv(-2147483648.5), min);
    EXPECT_EQ(rt::conv(-2147483649.0), min);
    EXPECT_EQ(rt::conv(1e300), max);
    EXPECT_EQ(rt::conv(-1e300), min);
    EXPECT_EQ(rt::conv(std::numeric_limits<double>::infinity()), max);
    EXPECT_EQ(rt::conv(-std::numeric_limits<double>::infinity()), min);
    EXPECT_EQ(rt::conv(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(HSV, GivesTheStandardColours) {
    EXPECT_EQ(rt::HSV(0, 1, 1), 0xFF0000u);
    EXPECT_EQ(rt::HSV(1.0 / 3.0, 1, 1), 0x00FF00u);
    EXPECT_EQ(rt::HSV(2.0 / 3.0, 1, 1), 0x0000FFu);
    EXPECT_EQ(rt::HSV(1, 1, 1), 0xFF0000u);
    EXPECT_EQ(rt::HSV(0.5, 1, 1), 0x00FFFFu);
    EXPECT_EQ(rt::HSV(0.25, 0.5, 0.5), 0x608040u);
    EXPECT_EQ(rt::HSV(0.7, 0, 0.5), 0x808080u);
    EXPECT_EQ(rt::HSV(0.3, 1, 0), 0x000000u);
    EXPECT_EQ(rt::HSV(0, 0, 1), 0xFFFFFFu);
    // The height colours of a terrain: hue 0.33 at the bottom, 0 at the top.
    EXPECT_EQ(rt::HSV(0.33, 0.66, 0.33), 0x1E541Du);
    EXPECT_EQ(rt::HSV(0, 0.66, 0.33), 0x541D1Du);
}

TEST(HSV, ClampsFractionsAndTreatsNaNAsZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(rt::HSV(-0.5, 2, 7), 0xFF0000u);
    EXPECT_EQ(rt::HSV(nan, 1, 1), 0xFF0000u);
    EXPECT_EQ(rt::HSV(0.5, nan, 1), 0xFFFFFFu);
    EXPECT_EQ(rt::HSV(0.5, 1, nan), 0x000000u);
}

TEST(RGB, PacksAndClampsComponents) {
    EXPECT_EQ(rt::RGB(200, 200, 255), 0xC8C8FFu);
    EXPECT_EQ(rt::RGB(0, 64, 128), 0x004080u);
    EXPECT_EQ(rt::RGB(-5, 300, 1), 0x00FF01u);
}

} // namespace
