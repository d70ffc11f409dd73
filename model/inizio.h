#pragma once
// Module Inizio: working mode, view kind, tool phase, colours and pictures of the 2D work, and
// the routines on the survey data that live in it.

#include <cstdint>
#include <vector>

#include "rt/conv.h"
#include "rt/picture.h"

namespace Inizio {

// 0 at launch, 1 the 2D working mode, 2 the 3D working mode.
inline std::int32_t ambiente = 0;
// 0 the 3D view window, 1 the axonometric drawing.
inline std::int32_t engine3d = 0;
// The tool's click phase.
inline std::int32_t fasemom = 0;
// Colours of unselected and selected items of the 2D editor.
inline rt::Color gammanosel = 0;
inline rt::Color gammasisel = 0;
// The scanned map being traced (nil = none) and the 2D editor's snapshot for the 3D view.
inline rt::Picture immaginesfondo;
inline rt::Picture openglpicture;
// The reference segment in 2D editor pixels: x1, y1, x2, y2.
inline std::vector<std::int32_t> rifxy12(4, 0);

// The switch to the 2D working mode with the current point set and polyline table.
void mostra2d();

} // namespace Inizio

// The routines of the module on the survey data.
#include "model/azzeradati.h"
#include "model/calcolaingombro.h"
#include "model/cancellacestino.h"
