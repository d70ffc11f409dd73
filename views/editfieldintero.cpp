#include "views/editfieldintero.h"

#include <string>

#include "rt/conv.h"
#include "rt/runtime.h"

EditFieldIntero::EditFieldIntero() = default;

void EditFieldIntero::Event_LostFocus() {
    const std::string text = Text();
    std::string digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            digits += c;
        rt::RuntimeBackgroundTask();
    }
    SetText(rt::Str(rt::Val(digits)));
}
