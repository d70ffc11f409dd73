#pragma once
// Text equality as the platform compares texts: letters match regardless of case.

#include <string_view>

namespace rt {

// Whether the texts are equal when ASCII letters are compared without regard to case; every
// other byte (digits, punctuation, UTF-8 sequences) must match exactly.
bool TextEquals(std::string_view a, std::string_view b);

} // namespace rt
