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

    // Shows a proposed number of Y intervals; a count above the most the fields show becomes
    // that most, with a beep unless the field shows it already.
    void ShowYCount(std::int32_t count);
    // The spans of the bounds in IngStaticText, each in the short form of a read-out so that all
    // three fit.
    void ShowSpans(double dx, double dy, double dz);

    void XEditField_TextChange();
    void PushButton1_Action();
    void Slider1_ValueChanged();
    void Slider2_ValueChanged();
    void BevelBut_Action(std::int32_t index);
    void PushButton2_Action();
    void RadioB_Action(std::int32_t index);
    void color3d_Open();
    bool color3d_MouseDown(std::int32_t x, std::int32_t y);

    // The most grid intervals a field shows and the grid holds along either axis.
    static constexpr std::int32_t kMaxGridCount = 999;
    // 30 degrees as the isometric view preset has it, with pi taken as 3.14159.
    static constexpr double kIsometricAngle = 0.52359833333;

    // The panel's height beside the 3D view and beside the axonometric drawing; with either, the
    // view-preset buttons show only beside the drawing.
    struct Heights {
        std::int32_t threeDView, drawing;
    };
    // Both pairs are intended: the switch to 3D sets the first, the view-kind buttons the second.
    static constexpr Heights kHeightsOnSwitchTo3D{368, 472};
    static constexpr Heights kHeightsOnViewKind{398, 502};

protected:
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;
};
