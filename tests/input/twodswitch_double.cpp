// The input tests run without the 3D working mode's windows: the switch to 2D opens the 2D windows
// alone, and a switch towards the 3D windows fails the test.

#include <gtest/gtest.h>

#include "input/twodmode.h"
#include "model/modeswitch.h"

namespace {

class TwoDOnly : public ModeSwitch {
    void To2D() override { twodmode::Open(); }
    void To3D() override { ADD_FAILURE() << "the input tests have no 3D working mode"; }
    void RedrawViews() override { ADD_FAILURE() << "the input tests have no 3D views"; }
};

TwoDOnly twoDOnly;
const ModeSwitch* const installed = ModeSwitch::Install(&twoDOnly);

} // namespace
