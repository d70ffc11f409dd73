#include "rt/progressbar.h"

#include <QProgressBar>
#include <algorithm>

#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

struct ProgressBar::Impl : detail::NativeWidget<QProgressBar> {
    void Apply() {
        if (!widget)
            return;
        // A range of 0..0 would make Qt's bar a busy indicator; an empty range shows empty.
        const std::int32_t shownMaximum = std::max(1, maximum);
        widget->setRange(0, shownMaximum);
        widget->setValue(maximum <= 0 ? 0 : std::clamp(value, 0, maximum));
    }
    std::int32_t maximum = 100;
    std::int32_t value = 0;
};

ProgressBar::ProgressBar() : impl_(std::make_unique<Impl>()) {}
ProgressBar::~ProgressBar() = default;

std::int32_t ProgressBar::Maximum() const {
    return impl_->maximum;
}
std::int32_t ProgressBar::Value() const {
    return impl_->value;
}

void ProgressBar::SetMaximum(std::int32_t maximum) {
    impl_->maximum = maximum;
    impl_->Apply();
}

void ProgressBar::SetValue(std::int32_t value) {
    impl_->value = value;
    impl_->Apply();
}

QWidget* ProgressBar::Widget() const {
    return impl_->widget.data();
}

void ProgressBar::CreateNative(Window& window) {
    auto* bar = new QProgressBar(window.ContentWidget());
    bar->setTextVisible(false);
    impl_->widget = bar;
    impl_->Apply();
}

void ProgressBar::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* bar = dynamic_cast<ProgressBar*>(&other)) {
        bar->SetMaximum(impl_->maximum);
        bar->SetValue(impl_->value);
    }
}

} // namespace rt
