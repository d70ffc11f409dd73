#pragma once
// The overall-size editor: new spans along X, Y and Z for the whole point set, optionally after a
// quarter turn in plan. Modify rescales the points about the origin, recomputes the bounds and
// redraws the 3D working mode's view; the grid is then out of date.

#include "input/editfieldnumero.h"
#include "rt/controls.h"
#include "rt/window.h"

class finingombro : public rt::Window {
public:
    finingombro();

    rt::StaticText StaticText1;
    EditFieldNumero mxeditf;
    rt::StaticText StaticText2;
    EditFieldNumero myeditf;
    rt::StaticText StaticText3;
    EditFieldNumero mzeditf;
    rt::CheckBox CheckBox1;
    rt::PushButton PushButton1;
    rt::PushButton PushButton2;

    void PushButton1_Action();
    void PushButton2_Action();

protected:
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;
};
