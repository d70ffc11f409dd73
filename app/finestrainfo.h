#pragma once
// The about window: the program's name and version, the maker's contact line and the small mesh
// picture. Its texts are the same in every interface language.

#include <cstdint>

#include "rt/controls.h"
#include "rt/window.h"

class finestrainfo : public rt::Window {
public:
    rt::PushButton PushButton1;
    rt::StaticText StaticText1;
    rt::StaticText StaticText2;
    rt::Canvas Canvas1;

    void PushButton1_Action();
    void StaticText2_MouseExit();
    void StaticText2_MouseEnter();
    bool StaticText2_MouseDown(std::int32_t x, std::int32_t y);
    bool Canvas1_MouseDown(std::int32_t x, std::int32_t y);

protected:
    void Layout() override;
    void CreateControls() override;
};
