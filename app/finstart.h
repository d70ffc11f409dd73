#pragma once
// The start window: the five roads by which survey data comes in, a quit button and the two
// language flags.

#include <cstdint>

#include "rt/canvas.h"
#include "rt/controlarray.h"
#include "rt/pushbutton.h"
#include "rt/separator.h"
#include "rt/shapes.h"
#include "rt/statictext.h"
#include "rt/window.h"

class finstart : public rt::Window {
public:
    rt::StaticText StaticText6;
    // The language flags: 0 English, 1 Italian.
    rt::ControlArray<rt::Canvas> Canvasl;
    // The hover bars, one under each flag.
    rt::ControlArray<rt::RectShape> Rectsel;
    rt::ControlArray<rt::PushButton> pushbstart;
    rt::Separator Separator1;
    rt::Separator Separator2;

    bool Canvasl_MouseDown(std::int32_t index, std::int32_t x, std::int32_t y);
    void Canvasl_MouseExit(std::int32_t index);
    void Canvasl_MouseEnter(std::int32_t index);
    void pushbstart_Action(std::int32_t index);

protected:
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;

private:
    void ApplyCaptions();
};
