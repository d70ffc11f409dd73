#include "input/editfieldnumero.h"

#include "rt/conv.h"
#include "rt/runtime.h"

EditFieldNumero::EditFieldNumero() = default;

void EditFieldNumero::SetProgramText(const std::string& text) {
    programText_ = text;
    SetText(text);
    SelectAll();
}

std::string EditFieldNumero::Clean(const std::string& text) {
    std::string kept;
    for (const char c : text) {
        if (c == ',')
            kept += '.';
        else if (c == '.' || (c >= '0' && c <= '9'))
            kept += c;
        rt::RuntimeBackgroundTask();
    }
    return rt::Str(rt::Val(kept));
}

void EditFieldNumero::Event_GotFocus() {
    if (programText_ && *programText_ == Text())
        SelectAll();
}

void EditFieldNumero::Event_LostFocus() {
    const std::string text = Text();
    if (programText_ && *programText_ == text)
        return;
    SetProgramText(Clean(text));
}
