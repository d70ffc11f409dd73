#pragma once
// Module Inizio: working mode, view kind, tool phase, colours and pictures of the 2D work, the
// switches between the working modes and the routines on the survey data that live in it. The
// module's routines of the 2D working mode and the readers are declared in input/twodmode.h and
// input/readers.h.

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

// Enters the 2D working mode: the tool palette and the 2D editor open afresh and show the data,
// over the traced picture when there is one. Runs the installed ModeSwitch (model/modeswitch.h).
void mostra2d();
// Enters the 3D working mode when the points can carry a surface: the control panel opens with
// the 3D view or the axonometric drawing. Otherwise says why, and the working mode stays. Runs
// the installed ModeSwitch.
void mostra3d();

} // namespace Inizio

// The routines of the module on the survey data.
#include "model/azzeradati.h"
#include "model/calcolaingombro.h"
#include "model/cancellacestino.h"
