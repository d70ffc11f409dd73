#include "rt/conv.h"
#include "rt/textcompare.h"
#include <cctype>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <locale.h>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Val, ReadsTheNumberATextBeginsWithAndNeverGivesInfinityOrNaN) {
    const std::pair<const char*, double> cases[] = {
        // clang-format off
        {"  -12.5abc", -12.5}, {"1.5e3xyz", 1500.0}, {".5", 0.5}, {"1,5", 1.0}, {"3e+", 3.0}, {"", 0.0},
        {"nan", 0.0}, {"\n5", 0.0}, {"-1e400", -DBL_MAX}, {"123456789e99999999999999999999", DBL_MAX},
        {"0.0000e99999", 0.0}
        // clang-format on
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(rt::Val(text), value) << '"' << text << '"';
}

// The rule with the C library's own conversion in the "C" locale: after blanks and a sign, a
// digit or a point must follow; strtod reads the longest number there (a "0x" is the number 0,
// not the start of a hexadecimal one); beyond a double's range, the largest double of the sign.
double ReferenceVal(const std::string& text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return 0;
    const std::size_t digits = start + (text[start] == '+' || text[start] == '-');
    if (digits == text.size() ||
        !(std::isdigit(static_cast<unsigned char>(text[digits])) || text[digits] == '.'))
        return 0;
    const bool hexadecimal = text.compare(digits, 2, "0x") == 0 || text.compare(digits, 2, "0X") == 0;
    const std::string number = text.substr(start, hexadecimal ? digits + 1 - start : std::string::npos);
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    char* stop = nullptr;
    const double value = strtod_l(number.c_str(), &stop, c);
    if (stop == number.c_str())
        return 0;
    return std::isinf(value) ? std::copysign(DBL_MAX, value) : value;
}

TEST(Val, GivesTheSameBitsAsTheCLibraryOnRandomTextsAndReadsBackWhatStrWrites) {
    std::mt19937_64 random(16);
    const auto below = [&](std::uint64_t n) { return static_cast<int>(random() % n); };
    const std::string alphabet = " \t+-.eE0123456789012345678901234567890123456789xX,";
    std::vector<std::string> texts;
    std::vector<double> numbers{0.30000000000000004, DBL_MAX, std::numeric_limits<double>::denorm_min()};
    for (int i = 0; i < 200000; ++i) {
        std::string text(static_cast<std::size_t>(below(24)), ' ');
        for (char& ch : text)
            ch = alphabet[static_cast<std::size_t>(below(alphabet.size()))];
        texts.push_back(text);
        double value = 0;
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            numbers.push_back(value);
        char formatted[64];
        std::snprintf(formatted, sizeof formatted, i % 2 ? "%.*g" : "  %.*f\t1", i % 2 ? 17 : below(12),
                      i % 2 ? value : std::ldexp(static_cast<double>(bits >> 11), below(80) - 60));
        texts.emplace_back(formatted);
        texts.push_back("-" + std::string(static_cast<std::size_t>(below(22)), '0') +
                        std::to_string(random() % 100000) + "." + std::to_string(random() % 1000));
        texts.push_back(std::string(static_cast<std::size_t>(1 + below(20)), '9') + "e" +
                        std::to_string(below(700) - 350));
    }
    for (const std::string& text : texts) {
        const double value = rt::Val(text), expected = ReferenceVal(text);
        ASSERT_EQ(std::memcmp(&value, &expected, sizeof value), 0)
            << '"' << text << "\" " << value << " " << expected;
    }
    for (const double number : numbers) {
        const std::string text = rt::Str(number);
        ASSERT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        const double back = rt::Val(text);
        ASSERT_EQ(std::memcmp(&back, &number, sizeof number), 0) << text;
    }
}

TEST(Val, AndStrIgnoreALocaleThatWritesADecimalComma) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "it_IT.UTF-8"), nullptr) << "scripts/setup.sh generates it_IT.UTF-8";
    EXPECT_EQ(rt::Val("2.75"), 2.75);
    EXPECT_EQ(rt::Val("2,75"), 2.0);
    EXPECT_EQ(rt::Str(2.75), "2.75");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Str, WritesPlainDecimalsAndWordsForNaNAndInfinity) {
    const std::pair<double, const char*> cases[] = {
        // clang-format off
        {-0.0, "0"}, {-2.5, "-2.5"}, {1e20, "100000000000000000000"}, {1.5e-7, "0.00000015"},
        {kNaN, "NaN"}, {kInf, "INF"}, {-kInf, "-INF"}
        // clang-format on
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(rt::Str(value), text);
    EXPECT_EQ(rt::Str(std::numeric_limits<std::int32_t>::min()), "-2147483648");
    // A read-out rounds to significant digits.
    EXPECT_EQ(rt::Str(-3.9926393929, 7) + " " + rt::Str(0.000123456789, 3) + " " + rt::Str(9999999.6, 7) +
                  " " + rt::Str(2.5, 7),
              "-3.992639 0.000123 10000000 2.5");
}

TEST(Conv, RoundsHalvesAwayFromZeroSaturatesAndGivesZeroForNaN) {
    const std::pair<double, std::int32_t> cases[] = {
        // clang-format off
        {2.5, 3}, {-2.5, -3}, {0.49999999999999994, 0}, {2147483646.5, INT32_MAX}, {-2147483648.5, INT32_MIN},
        {-kInf, INT32_MIN}, {kNaN, 0}
        // clang-format on
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(rt::conv(value), expected) << value;
}

TEST(Colours, HSVGivesTheStandardColoursAndBothClampTheirParts) {
    const struct {
        double h, s, v;
        rt::Color expected;
    } cases[] = {
        // clang-format off
        {1.0 / 3.0, 1, 1, 0x00FF00}, {0.9, 1, 1, 0xFF0099}, {0.33, 0.66, 0.33, 0x1E541D}, {-0.5, 2, 7, 0xFF0000},
        {kNaN, 1, 1, 0xFF0000}, {0.5, 1, kNaN, 0x000000}
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(rt::HSV(c.h, c.s, c.v), c.expected) << c.h << " " << c.s << " " << c.v;
    EXPECT_EQ(rt::RGB(-5, 300, 1), 0x00FF01u);
}

TEST(TextEquals, IgnoresTheCaseOfAsciiLettersOnly) {
    EXPECT_TRUE(rt::TextEquals("AcDb2dPolyline", "ACDB2DPOLYLINE"));
    // '@' and '`' sit next to the letters in ASCII; "È" and "è" differ in UTF-8.
    for (const auto& [a, b] : {std::pair<std::string, std::string>{"VERTEX", "VERTEXES"},
                               {"@", "`"},
                               {"\xC3\x88", "\xC3\xA8"},
                               {std::string("A\0b", 3), "A"}})
        EXPECT_FALSE(rt::TextEquals(a, b)) << a;
}

} // namespace
