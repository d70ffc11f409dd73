#pragma once
// The entry field for a real number: on leaving, a text the user typed is cleaned to a
// non-negative decimal number written with a point and shown in the program's number form.

#include <optional>
#include <string>

#include "rt/controls.h"

class EditFieldNumero : public rt::EditField {
public:
    EditFieldNumero();

    // Sets a text of the program's own (a height, a measured length): leaving the field keeps it
    // as it stands until the user changes it. The text is selected whole, so that what the user
    // types replaces it. Runs TextChange like SetText.
    void SetProgramText(const std::string& text);

    // The cleaning applied on leaving: commas become points, every character other than a point
    // or an ASCII digit is dropped, and what remains is read as a number.
    static std::string Clean(const std::string& text);

protected:
    // A text of the program's that the user has not changed is selected whole again when the field
    // gets the keyboard: the window's activation may have dropped the selection.
    void Event_GotFocus() override;
    void Event_LostFocus() override;

private:
    std::optional<std::string> programText_;
};
