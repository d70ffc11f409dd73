#pragma once
// The program's switches between the working modes: the 2D mode's windows (input/) and the 3D
// mode's windows (views/) joined in the order the user sees them close and open.

#include "model/modeswitch.h"

class ModeSwitches : public ModeSwitch {
public:
    void To2D() override;
    void To3D() override;
    void RedrawViews() override;

    // Makes the program's one ModeSwitches the switch that Inizio::mostra2d and mostra3d run.
    static void InstallForProgram();
};
