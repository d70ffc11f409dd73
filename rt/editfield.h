#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "rt/control.h"
#include "rt/textstyle.h"

namespace rt {

// A one-line entry field. Setting Text, by the user or by the program, runs TextChange, also
// when the new text equals the old one. KeyDown runs before the key reaches the field; true
// consumes it. The field is left, and LostFocus runs, when the focus goes to another control or
// to another window; opening a menu or a popup does not leave it.
class EditField : public Control {
public:
    EditField();
    ~EditField() override;
    std::string Text() const;
    void SetText(const std::string& text);
    // Characters the user may type at most; 0 = no limit.
    void SetMaximumCharacters(std::int32_t count);
    void SetStyle(const TextStyle& style);
    void SetBackColor(Color color);
    void SetAlignment(std::int32_t align); // 0 default, 1 left, 2 centre, 3 right
    // Selects the whole text, so that what the user types next replaces it.
    void SelectAll();

    std::function<void()> TextChange;
    std::function<bool(const std::string& key)> KeyDown;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;

    // Types the text into the created field as a user would, one key at a time (runs KeyDown
    // and TextChange per key; "\r", "\x08" and the other key names of Window::Event_KeyDown
    // press those keys).
    void Type(const std::string& text);
    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;
    // For subclasses with events of their own on entering and on leaving the field.
    virtual void Event_GotFocus() {}
    virtual void Event_LostFocus() {}

private:
    friend class EditFieldWidget;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace rt
