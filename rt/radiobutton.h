#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "rt/control.h"
#include "rt/textstyle.h"

namespace rt {

// Radio buttons of one window form one group.
class RadioButton : public Control {
public:
    RadioButton();
    ~RadioButton() override;
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

} // namespace rt
