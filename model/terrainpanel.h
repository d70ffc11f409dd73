#pragma once
// What the terrain routines use of the 3D working mode's windows: the control panel's sliders,
// grid-size fields, span text and progress bar (its Progress), and the drawing window's canvas.
// The windows implement it; the routines reach it through TerrainPanel::Current() and hand it to
// the terrain functions as their progress.

#include <cstdint>
#include <string>

#include "model/terraindata.h"
#include "rt/picture.h"

class TerrainPanel : public terrain::Progress {
public:
    // The power slider: ten times the interpolation power.
    virtual std::int32_t PowerSetting() = 0;
    // The contour-ribbon slider: 0 for no ribbons, up to 14.
    virtual std::int32_t RibbonSetting() = 0;

    // The spans of the points' bounds, shown under "Mesh (dX,dY,dZ)".
    virtual void ShowSpans(double dx, double dy, double dz) = 0;
    // The grid-size fields; setting the X field runs its change handler.
    virtual void SetXCountText(const std::string& text) = 0;
    virtual void SetYCountText(const std::string& text) = 0;

    // The drawing window's canvas: its size and the picture it shows (nil when none).
    virtual std::int32_t CanvasWidth() = 0;
    virtual std::int32_t CanvasHeight() = 0;
    virtual rt::Picture CanvasBackdrop() = 0;

    // The installed panel. Throws std::logic_error when none is installed.
    static TerrainPanel& Current();
    // Installs a panel (null: none) and returns the one it replaces.
    static TerrainPanel* Install(TerrainPanel* panel);
};
