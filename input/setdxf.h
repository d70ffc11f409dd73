#pragma once
// The options of a DXF contour import: heights given automatically (a first height and a step
// from one polyline to the next) or all 0, and how many vertices to pass over between stored
// points. OK hands them to the DXF reader.

#include <cstdint>

#include "input/editfieldnumero.h"
#include "rt/controls.h"
#include "rt/window.h"

class setdxf : public rt::Window {
public:
    setdxf();

    rt::StaticText StaticText1;
    rt::CheckBox CheckBox1;
    EditFieldNumero efprima;
    rt::StaticText StaticText3;
    EditFieldNumero efdelta;
    rt::StaticText StaticText4;
    rt::StaticText StaticText5;
    rt::Slider Slider1;
    rt::StaticText StaticText2;
    rt::StaticText StaticText6;
    rt::PushButton PushButton1;

    // Vertices passed over between stored points of each polyline, 0..20.
    std::int32_t semplifica = 0;

    void PushButton1_Action();
    void CheckBox1_Action();
    void Slider1_ValueChanged();

protected:
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;
};
