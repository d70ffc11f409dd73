#pragma once
// The control panel of the 3D working mode.

#include <cstdint>

#include "rt/controlarray.h"
#include "rt/controls.h"
#include "rt/shapes.h"
#include "rt/window.h"
#include "views/editfieldintero.h"

class fincontrol : public rt::Window {
public:
    rt::RectShape Rectangle1;
    EditFieldIntero XEditField;
    EditFieldIntero YEditField;
    rt::PushButton PushButton1;
    rt::StaticText StaticText1;
    rt::StaticText StaticText2;
    rt::ProgressBar ProgressBar1;
    rt::StaticText StaticText3;
    rt::StaticText IngStaticText;
    rt::Slider Slider1;
    rt::StaticText StaticText4;
    rt::Canvas Canvas2;
    rt::CheckBox CheckBox1;
    rt::StaticText StaticText5;
    rt::Canvas Canvas1;
    rt::Canvas Canvas3;
    rt::Separator Separator2;
    rt::ControlArray<rt::BevelButton> BevelBut;
    rt::PushButton PushButton2;
    rt::CheckBox CheckBox2;
    rt::Separator Separator1;
    rt::Separator Separator3;
    rt::ControlArray<rt::RadioButton> RadioB;
    rt::RectShape color3d;
    rt::StaticText StaticText6;
    rt::StaticText StaticText7;
    rt::Slider Slider2;

protected:
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;
};
