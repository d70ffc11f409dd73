#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "rt/control.h"
#include "rt/textstyle.h"

namespace rt {

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
    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace rt
