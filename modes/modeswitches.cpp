#include "modes/modeswitches.h"

#include "input/twodmode.h"
#include "model/inizio.h"
#include "rt/window.h"
#include "views/fincontrol.h"
#include "views/finestra.h"
#include "views/threedmode.h"

// The 3D working mode's panel and drawing close, then the 2D windows open afresh.
void ModeSwitches::To2D() {
    rt::CloseIfOpen<fincontrol>();
    rt::CloseIfOpen<Finestra>();
    twodmode::Open();
}

// The points are checked, the 2D editor leaves a snapshot for the 3D view and closes with the
// palette, then the 3D windows open.
void ModeSwitches::To3D() {
    if (!threedmode::PointsCarryASurface())
        return;
    Inizio::openglpicture = twodmode::EditorSnapshot();
    threedmode::CloseWindows();
    twodmode::CloseWindows();
    threedmode::Open();
}

void ModeSwitches::RedrawViews() {
    threedmode::RedrawViews();
}

void ModeSwitches::InstallForProgram() {
    static ModeSwitches modeSwitches;
    ModeSwitch::Install(&modeSwitches);
}
