// The views tests run without the 2D working mode's windows: the switch to 3D opens the 3D windows
// alone (the 3D view gets no snapshot of the 2D editor), and the switch to 2D fails the test.

#include <gtest/gtest.h>

#include "model/modeswitch.h"
#include "views/threedmode.h"

namespace {

class ThreeDOnly : public ModeSwitch {
    void To2D() override { ADD_FAILURE() << "the views tests have no 2D working mode"; }
    void To3D() override {
        if (!threedmode::PointsCarryASurface())
            return;
        threedmode::CloseWindows();
        threedmode::Open();
    }
    void RedrawViews() override { threedmode::RedrawViews(); }
};

ThreeDOnly threeDOnly;
const ModeSwitch* const installed = ModeSwitch::Install(&threeDOnly);

} // namespace
