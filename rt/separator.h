#pragma once

#include <cstdint>
#include <memory>

#include "rt/control.h"

namespace rt {

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

} // namespace rt
