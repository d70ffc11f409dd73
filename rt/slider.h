#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "rt/control.h"

namespace rt {

// Horizontal slider. Setting Value, by the user or the program, runs ValueChanged when the
// value of the created slider changes. Without live scrolling a drag reports its value when
// released.
class Slider : public Control {
public:
    Slider();
    ~Slider() override;
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

} // namespace rt
