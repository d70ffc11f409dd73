#pragma once
// The native controls. Each is a Control (see control.h) with its own properties and events.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "rt/control.h"
#include "rt/picture.h"

namespace rt {

// Text settings shared by labels, fields and buttons. Font "arial" maps to the closest sans
// family installed; size 0 is the system size.
struct TextStyle {
    std::string Font;
    std::int32_t Size = 0;
    bool Bold = false;
    Color TextColor = 0x000000;
    bool Underline = false;
};

class PushButton : public Control {
public:
    PushButton();
    ~PushButton() override;
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    // The window's default button: Return presses it.
    void SetDefault(bool isDefault);
    void SetStyle(const TextStyle& style);
    std::function<void()> Action;
    // Presses the button as a user would (runs Action when enabled).
    void Push();
    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A button with an icon; Value is its pressed state, set by the program (a click does not
// toggle it by itself).
class BevelButton : public Control {
public:
    BevelButton();
    ~BevelButton() override;
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    Picture Icon() const;
    void SetIcon(const Picture& icon);
    bool Value() const;
    void SetValue(bool pressed);
    std::function<void()> Action;
    void Push();
    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Radio buttons of one window form one group.
class RadioButton : public Control {
public:
    RadioButton();
    ~RadioButton() override;
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Value() const;
    // Selecting one deselects the others of its window; does not run Action.
    void SetValue(bool selected);
    void SetStyle(const TextStyle& style);
    // Runs when the user selects the button.
    std::function<void()> Action;
    void Push();
    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

class CheckBox : public Control {
public:
    CheckBox();
    ~CheckBox() override;
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Value() const;
    // Runs Action when the value of the created box changes.
    void SetValue(bool checked);
    void SetStyle(const TextStyle& style);
    std::function<void()> Action;
    void Push();
    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A one-line entry field. Setting Text, by the user or by the program, runs TextChange, also
// when the new text equals the old one. KeyDown runs before the key reaches the field; true
// consumes it.
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
    void SetReadOnly(bool readOnly);
    void SetAlignment(std::int32_t align); // 0 default, 1 left, 2 centre, 3 right

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
    // For subclasses with an event of their own on leaving the field.
    virtual void Event_LostFocus() {}

private:
    friend class EditFieldWidget;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

class StaticText : public Control {
public:
    StaticText();
    ~StaticText() override;
    std::string Text() const;
    void SetText(const std::string& text);
    void SetStyle(const TextStyle& style);
    void SetAlignment(std::int32_t align); // 0 default, 1 left, 2 centre, 3 right
    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Horizontal slider. Setting Value, by the user or the program, runs ValueChanged when the
// value of the created slider changes. Without live scrolling a drag reports its value when
// released.
class Slider : public Control {
public:
    Slider();
    ~Slider() override;
    std::int32_t Minimum() const;
    std::int32_t Maximum() const;
    std::int32_t Value() const;
    void SetMinimum(std::int32_t minimum);
    void SetMaximum(std::int32_t maximum);
    void SetValue(std::int32_t value); // clamped to the range
    void SetLineStep(std::int32_t step);
    void SetPageStep(std::int32_t step);
    void SetLiveScroll(bool live);
    std::function<void()> ValueChanged;
    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

class ProgressBar : public Control {
public:
    ProgressBar();
    ~ProgressBar() override;
    std::int32_t Maximum() const;
    std::int32_t Value() const;
    void SetMaximum(std::int32_t maximum);
    void SetValue(std::int32_t value); // shown clamped to 0..Maximum, kept as given
    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

class Separator : public Control {
public:
    Separator();
    ~Separator() override;
    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A canvas shows its Backdrop (drawn at its top-left, unscaled) and then runs Paint.
class Canvas : public Control {
public:
    Canvas();
    ~Canvas() override;
    Picture Backdrop() const;
    void SetBackdrop(const Picture& picture);
    std::function<void(Graphics& g)> Paint;
    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace rt
