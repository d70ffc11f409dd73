#pragma once
// The platform's text equality.

#include <string_view>

namespace rt {

// Equal texts, ignoring the case of ASCII letters.
bool TextEquals(std::string_view a, std::string_view b);

} // namespace rt
