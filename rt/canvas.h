#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "rt/control.h"
#include "rt/picture.h"

namespace rt {

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
