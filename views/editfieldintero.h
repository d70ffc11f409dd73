#pragma once
// The whole-number entry field of the control panel's grid sizes: on leaving, it keeps only its
// digits and shows the number they make.

#include "rt/controls.h"

class EditFieldIntero : public rt::EditField {
public:
    EditFieldIntero();

protected:
    void Event_LostFocus() override;
};
