#include "rt/slider.h"

#include <QSlider>
#include <algorithm>

#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

struct Slider::Impl : detail::NativeWidget<QSlider> {
    std::int32_t minimum = 0;
    std::int32_t maximum = 100;
    std::int32_t value = 0;
    std::int32_t lineStep = 1;
    std::int32_t pageStep = 10;
    bool live = true;
};

Slider::Slider() : impl_(std::make_unique<Impl>()) {}
Slider::~Slider() = default;

std::int32_t Slider::Value() const {
    return impl_->value;
}

void Slider::SetMinimum(std::int32_t minimum) {
    impl_->minimum = minimum;
    impl_->maximum = std::max(impl_->maximum, minimum);
    if (impl_->widget)
        impl_->widget->setMinimum(minimum); // a value pushed into the range is reported
    else
        impl_->value = std::clamp(impl_->value, impl_->minimum, impl_->maximum);
}

void Slider::SetMaximum(std::int32_t maximum) {
    impl_->maximum = maximum;
    impl_->minimum = std::min(impl_->minimum, maximum);
    if (impl_->widget)
        impl_->widget->setMaximum(maximum);
    else
        impl_->value = std::clamp(impl_->value, impl_->minimum, impl_->maximum);
}

void Slider::SetValue(std::int32_t value) {
    const std::int32_t clamped = std::clamp(value, impl_->minimum, impl_->maximum);
    if (impl_->widget)
        impl_->widget->setValue(clamped);
    else
        impl_->value = clamped;
}

void Slider::SetLineStep(std::int32_t step) {
    impl_->lineStep = std::max(0, step);
    if (impl_->widget)
        impl_->widget->setSingleStep(impl_->lineStep);
}

void Slider::SetPageStep(std::int32_t step) {
    impl_->pageStep = std::max(0, step);
    if (impl_->widget)
        impl_->widget->setPageStep(impl_->pageStep);
}

void Slider::SetLiveScroll(bool live) {
    impl_->live = live;
    if (impl_->widget)
        impl_->widget->setTracking(live);
}

QWidget* Slider::Widget() const {
    return impl_->widget.data();
}

void Slider::CreateNative(Window& window) {
    auto* slider = new QSlider(Qt::Horizontal, window.ContentWidget());
    slider->setRange(impl_->minimum, impl_->maximum);
    slider->setValue(impl_->value);
    slider->setSingleStep(impl_->lineStep);
    slider->setPageStep(impl_->pageStep);
    slider->setTracking(impl_->live);
    QObject::connect(slider, &QSlider::valueChanged, slider, [this](int value) {
        impl_->value = value;
        detail::RunHandler(ValueChanged);
    });
    impl_->widget = slider;
}

void Slider::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* slider = dynamic_cast<Slider*>(&other)) {
        slider->SetMinimum(impl_->minimum);
        slider->SetMaximum(impl_->maximum);
        slider->SetValue(impl_->value);
        slider->SetLineStep(impl_->lineStep);
        slider->SetPageStep(impl_->pageStep);
        slider->SetLiveScroll(impl_->live);
    }
}

} // namespace rt
