#pragma once

namespace Inizio {

// Empties the survey data before a reader stores new data: no points, no polylines, no traced
// picture, nothing selected.
void azzeradati();

} // namespace Inizio
