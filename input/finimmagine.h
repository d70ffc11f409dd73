#pragma once
// The tool palette of the 2D working mode: the five tools of the 2D editor, the height and
// reference-length fields, the two colour swatches, the pointer's position in data units and the
// button to the 3D working mode.

#include <cstdint>
#include <string>

#include "input/editfieldnumero.h"
#include "rt/controlarray.h"
#include "rt/controls.h"
#include "rt/shapes.h"
#include "rt/window.h"

class finimmagine : public rt::Window {
public:
    rt::Separator Separator1;
    rt::ControlArray<rt::BevelButton> BevelBut;
    EditFieldNumero z_efield;
    rt::StaticText StaticText2;
    rt::PushButton PushButton1;
    EditFieldNumero s_efield;
    rt::StaticText StaticText1;
    rt::ControlArray<rt::RectShape> color_t;
    rt::StaticText StaticText3;
    rt::StaticText StaticText4;
    rt::StaticText x_stx;
    rt::StaticText y_stx;

    void BevelBut_Action(std::int32_t index);
    void PushButton1_Action();
    void z_efield_TextChange();
    void s_efield_TextChange();
    bool z_efield_KeyDown(const std::string& key);
    bool s_efield_KeyDown(const std::string& key);
    bool color_t_MouseDown(std::int32_t index, std::int32_t x, std::int32_t y);

    // Gives a field the keyboard focus with its whole text selected and brings the palette forward,
    // so that what the user types next replaces the field's text.
    void FocusField(rt::EditField& field);
    // A point or vertex was just placed: the height field is enabled, focused and given the text,
    // which sets the height of the new point (or of the whole curve being traced).
    void NewHeight(const std::string& text);

protected:
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;
};
