#pragma once
// The preferences file: the interface language, kept from one run to the next. It lives in the
// program's own per-user folder under a bare name, and holds one line, the language number.

#include <cstdint>

namespace Preferenze {

inline constexpr const char* kNomeFile = "ambrelixprfs.txt";

// The language number read from the file's first line (0 when the line does not begin with a
// number). Without a file, or when the file cannot be read, English: 1.
std::int32_t leggilingua();

// Deletes the file and writes it anew with the one line `lingua`. False, with nothing shown,
// when the file could not be written.
bool scrivilingua(std::int32_t lingua);

} // namespace Preferenze
