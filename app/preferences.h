#pragma once
// The preferences file: the interface language, kept from one run to the next. It lives in the
// program's own per-user folder under a bare name, and holds one line, the language number.

#include <cstdint>

namespace preferences {

inline constexpr const char* kFileName = "ambrelixprfs.txt";

// The language number read from the file's first line (0 when the line does not begin with a
// number). Without a file, or when the file cannot be read or is no regular file, English: 1.
std::int32_t ReadLanguage();

// Replaces the file with the one line `language`. False, with nothing shown and the former file
// kept as it was, when the new one could not be written in full or something other than a
// regular file stands in its place.
bool WriteLanguage(std::int32_t language);

} // namespace preferences
