#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "rt/control.h"
#include "rt/textstyle.h"

namespace rt {

class PushButton : public Control {
public:
    PushButton();
    ~PushButton() override;
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    // The window's default button: Return presses it. False on a button that is not the
    // default leaves the window's default as it is.
    void SetDefault(bool isDefault);
    // The window's cancel button: Escape presses it.
    void SetCancel(bool isCancel);
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

} // namespace rt
