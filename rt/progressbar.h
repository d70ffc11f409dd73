#pragma once

#include <cstdint>
#include <memory>

#include "rt/control.h"

namespace rt {

class ProgressBar : public Control {
public:
    ProgressBar();
    ~ProgressBar() override;
    std::int32_t Value() const;
    void SetMaximum(std::int32_t maximum);
    // Shown clamped to 0..Maximum, kept as given. A bar is painted again, with the window's next
    // paints, only when its filled part moves by a pixel.
    void SetValue(std::int32_t value);
    // Repaints at once, unless the bar's last paint already shows its present fill, size and
    // state: a repaint would draw the same pixels. Progress loops refresh on every step, most of
    // which do not move the bar by a pixel.
    void Refresh();
    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace rt
