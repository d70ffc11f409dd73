#include "rt/conv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <system_error>

namespace rt {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Every power of ten that a double holds exactly.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A number too large or too small for a double: which of the two, from the position of its
// first significant digit and its exponent; `mantissa` comes without its sign.
bool Overflows(std::string_view mantissa, std::string_view exponent) {
    long long order = 0; // the power of ten of the first significant digit, plus one
    const std::size_t point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const std::size_t firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string_view::npos) {
        order = static_cast<long long>(whole.size() - firstWhole);
    } else if (point != std::string_view::npos) {
        const std::string_view fraction = mantissa.substr(point + 1);
        const std::size_t firstFraction = fraction.find_first_not_of('0');
        if (firstFraction == std::string_view::npos)
            return false;
        order = -static_cast<long long>(firstFraction);
    }
    long long power = 0;
    bool negative = false;
    std::size_t i = 0;
    if (i < exponent.size() && (exponent[i] == '+' || exponent[i] == '-'))
        negative = exponent[i++] == '-';
    for (; i < exponent.size(); ++i) {
        power = power * 10 + (exponent[i] - '0');
        if (power > 1'000'000'000)
            break; // far beyond any double either way
    }
    return order + (negative ? -power : power) > 0;
}

// Reads the number's text to its end first, so that a number beyond a double's range is told
// apart from one too close to zero.
double ScannedVal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    const std::size_t start = i;
    std::size_t digitCount = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digitCount;
    }
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        std::size_t fractionDigits = 0;
        while (j < text.size() && IsDigit(text[j])) {
            ++j;
            ++fractionDigits;
        }
        if (fractionDigits > 0 || digitCount > 0) {
            i = j;
            digitCount += fractionDigits;
        }
    }
    if (digitCount == 0)
        return 0;
    const std::string_view mantissa = text.substr(start, i - start);

    std::string_view exponent;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t exponentDigits = j;
        while (j < text.size() && IsDigit(text[j]))
            ++j;
        if (j > exponentDigits) {
            exponent = text.substr(i + 1, j - i - 1);
            i = j;
        }
    }

    const std::string_view number = text.substr(start, i - start);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        value = Overflows(mantissa, exponent) ? std::numeric_limits<double>::max() : 0.0;
    } else if (error != std::errc() || !std::isfinite(value)) {
        value = 0;
    }
    (void)end;
    return negative ? -value : value;
}

} // namespace

double Val(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end && (*p == ' ' || *p == '\t'))
        ++p;
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '+' || *p == '-'))
        ++p;
    // Most numbers in files are a few digits with a point among them: read as a whole number m
    // with k digits after the point, m / 10^k rounds once when m and 10^k are exact doubles, and
    // so gives the correctly rounded value that std::from_chars gives. (m wraps around when
    // there are too many digits, and is then not used.)
    constexpr std::ptrdiff_t kMostDigits = 19;
    constexpr std::uint64_t kExact = std::uint64_t{1} << 53;
    std::uint64_t m = 0;
    const char* q = p;
    while (q != end && IsDigit(*q))
        m = m * 10 + static_cast<std::uint64_t>(*q++ - '0');
    const char* const point = q;
    if (q != end && *q == '.') {
        ++q;
        while (q != end && IsDigit(*q))
            m = m * 10 + static_cast<std::uint64_t>(*q++ - '0');
    }
    const std::ptrdiff_t k = q == point ? 0 : q - point - 1;
    const std::ptrdiff_t digits = point - p + k;
    if (digits > 0 && digits <= kMostDigits && m <= kExact && k < std::ssize(kPowersOfTen) &&
        (q == end || (*q != 'e' && *q != 'E'))) {
        const double value = k == 0 ? static_cast<double>(m) : static_cast<double>(m) / kPowersOfTen[k];
        return negative ? -value : value;
    }
    if (p == end || !(IsDigit(*p) || *p == '.'))
        return 0;
    double value = 0;
    const auto [stop, error] = std::from_chars(p, end, value);
    if (error == std::errc::invalid_argument)
        return 0;
    if (error == std::errc::result_out_of_range)
        return ScannedVal(text);
    return negative ? -value : value;
}

std::string Str(double value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    // The shortest round-trip digits in scientific form: d[.ddd]e±x.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
    std::size_t pos = 0;
    const bool negative = scientific[0] == '-';
    if (negative)
        pos = 1;
    const std::size_t e = scientific.find('e');
    std::string digits;
    for (std::size_t k = pos; k < e; ++k) {
        if (scientific[k] != '.')
            digits += scientific[k];
    }
    const int exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str());
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string text = negative ? "-" : "";
    const int count = static_cast<int>(digits.size());
    if (exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    } else if (exponent + 1 >= count) {
        text += digits;
        text.append(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
        text += digits.substr(0, static_cast<std::size_t>(exponent + 1));
        text += '.';
        text += digits.substr(static_cast<std::size_t>(exponent + 1));
    }
    return text;
}

std::string Str(double value, int significant) {
    if (!std::isfinite(value) || significant < 1 || significant > 17)
        return Str(value);
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, significant - 1);
    double rounded = value;
    std::from_chars(buffer, written.ptr, rounded, std::chars_format::scientific);
    return Str(rounded);
}

std::string Str(std::int32_t value) {
    return std::to_string(value);
}

std::int32_t conv(double value) {
    if (std::isnan(value))
        return 0;
    const double rounded = std::round(value);
    if (rounded >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (rounded <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(rounded);
}

namespace {

double Fraction(double x) {
    if (std::isnan(x))
        return 0;
    return std::clamp(x, 0.0, 1.0);
}

std::uint32_t Component(double fraction) {
    return static_cast<std::uint32_t>(std::round(fraction * 255.0));
}

} // namespace

Color HSV(double hue, double saturation, double value) {
    const double h = Fraction(hue);
    const double s = Fraction(saturation);
    const double v = Fraction(value);

    const double sector = h >= 1.0 ? 0.0 : h * 6.0;
    const int index = std::min(5, static_cast<int>(std::floor(sector)));
    const double f = sector - index;
    const double p = v * (1.0 - s);
    const double q = v * (1.0 - s * f);
    const double t = v * (1.0 - s * (1.0 - f));
    const double sectors[6][3] = {{v, t, p}, {q, v, p}, {p, v, t}, {p, q, v}, {t, p, v}, {v, p, q}};
    const double* rgb = sectors[index];
    return (Component(rgb[0]) << 16) | (Component(rgb[1]) << 8) | Component(rgb[2]);
}

Color RGB(std::int32_t red, std::int32_t green, std::int32_t blue) {
    const auto clamp = [](std::int32_t c) { return static_cast<std::uint32_t>(std::clamp(c, 0, 255)); };
    return (clamp(red) << 16) | (clamp(green) << 8) | clamp(blue);
}

} // namespace rt
