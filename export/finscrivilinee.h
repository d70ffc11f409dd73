#pragma once
// The small window that shows the DXF polyline writer's progress, one step per row of the
// polyline table.

#include "rt/controls.h"
#include "rt/window.h"

class finscrivilinee : public rt::Window {
public:
    rt::ProgressBar ProgressBar1;

    // Repaints the window at once where its look changed since its last paint: only its bar
    // changes, and most steps do not move the bar by a pixel.
    void RefreshChanged();

protected:
    void Layout() override;
    void CreateControls() override;
};
