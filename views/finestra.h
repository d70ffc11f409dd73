#pragma once
// The axonometric drawing window: the bounding box, the points or the grid in parallel
// projection, drawn into globali::disegno, the backdrop of its canvas.

#include "rt/controls.h"
#include "rt/window.h"

class Finestra : public rt::Window {
public:
    rt::Canvas can_dis;

    // Fits the drawing, makes a new picture and draws the bounding box into it.
    void disegnaingombro();
    // Draws every survey point.
    void assonometria();
    // Draws the height grid as two triangle outlines per cell.
    void disegnamesh();

protected:
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;
};
