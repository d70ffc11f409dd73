#pragma once
// The 3D view: the terrain surface with its contour ribbons (or, before the first surface, the
// 2D editor's snapshot laid flat) in the scene control, seen by a camera on an orbit round the
// scene's centre that the keyboard moves. The scene is built once, when the window opens.

#include <cstdint>
#include <memory>
#include <string>

#include "rt/controls.h"
#include "rt/rb3dspace.h"
#include "rt/scene3d.h"
#include "rt/window.h"

class winquesa3d : public rt::Window {
public:
    rt::Rb3DSpace rb3d;
    rt::StaticText StaticText1;

    // The scene group: the surface and the ribbons, or the snapshot's object; null until built.
    std::shared_ptr<rt::Group3D> obj;
    // The camera's elevation angle now, in radians.
    double altezza_angolo = 0;
    // The camera's distance from the centre of obj.
    double raggiomax = 0;
    // The elevation in steps of 1.2215 / 36 radians.
    std::int32_t alzadi = 0;

    // Builds the scene from the shared meshes and places the camera.
    void inserisci3d();
    // Places the camera on its orbit for alzadi and raggiomax.
    void muovi_vista();
    // Shows that there is no 3D engine, with a beep.
    void quesanoquesa();
    // Applies a key, by its character code: arrows 28 to 31, "+", "-", "W" or "w".
    void tasto_muovi(std::int32_t code);

    // The elevation step's angle: step 36 is just below 1.2215 radians.
    static double ElevationAngle(std::int32_t steps);

protected:
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;
    bool Event_KeyDown(const std::string& key) override;

private:
    void rb3d_Open();
};
