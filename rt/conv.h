#pragma once
// Conversions between numbers and text, and colours. One of each for the whole program.

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// 0x00RRGGBB: red in bits 16..23, green in 8..15, blue in 0..7.
using Color = std::uint32_t;

// The number a text begins with, after leading blanks (spaces and tabs); 0 when it begins with
// none. Reads an optional sign, digits, an optional point with digits and an optional exponent.
// Independent of the locale. Never NaN or infinite: a number too large for a double gives the
// largest finite double of its sign.
double Val(std::string_view text);

// The shortest plain-decimal text that reads back (with Val) as exactly the same double: no
// exponent, no trailing zeros, no point for whole numbers, "-" for negatives ("0" for -0.0).
// NaN gives "NaN", infinities "INF" and "-INF".
std::string Str(double value);
// The same for a read-out: the value rounded to `significant` significant digits first.
std::string Str(double value, int significant);
// Significant digits of a number shown in a label, a read-out; files and edit fields keep every
// digit.
inline constexpr int kReadoutDigits = 7;
std::string Str(std::int32_t value);

// The one double-to-int32 conversion: the nearest whole number, halves away from zero. Values
// beyond the int32 range give INT32_MIN or INT32_MAX; NaN gives 0.
std::int32_t conv(double value);

// Hue, saturation, value, each a fraction 0..1 (values outside are clamped; hue 1 equals hue 0).
Color HSV(double hue, double saturation, double value);
// Each component 0..255 (clamped).
Color RGB(std::int32_t red, std::int32_t green, std::int32_t blue);

} // namespace rt
