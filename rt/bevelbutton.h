#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "rt/control.h"
#include "rt/picture.h"

namespace rt {

// A button with an icon; Value is its pressed state, set by the program (a click does not
// toggle it by itself).
class BevelButton : public Control {
public:
    BevelButton();
    ~BevelButton() override;
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

} // namespace rt
