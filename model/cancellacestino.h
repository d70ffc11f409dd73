#pragma once

#include <cstdint>

namespace Inizio {

// Deletes row n of the polyline table with its points; the later rows and the 2D editor's control
// maps move down one row.
void cancellacestino(std::int32_t n);

} // namespace Inizio
