#include "rt/progressbar.h"

#include <QPaintEvent>
#include <QPalette>
#include <QProgressBar>
#include <QSize>
#include <algorithm>
#include <tuple>

#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

namespace {

// A progress bar that remembers what its last paint of the whole bar showed.
class ShownProgressBar : public QProgressBar {
public:
    using QProgressBar::QProgressBar;
    bool ShowsItsLook() const { return painted_ && shown_ == Look(); }

protected:
    void paintEvent(QPaintEvent* event) override {
        QProgressBar::paintEvent(event);
        if (event->rect().contains(rect())) {
            shown_ = Look();
            painted_ = true;
        }
    }

private:
    using Appearance = std::tuple<int, int, int, QSize, bool, qint64>;
    Appearance Look() const {
        return {minimum(), maximum(), value(), size(), isEnabled(), palette().cacheKey()};
    }
    Appearance shown_;
    bool painted_ = false;
};

} // namespace

struct ProgressBar::Impl : detail::NativeWidget<ShownProgressBar> {
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

void ProgressBar::Refresh() {
    if (impl_->widget && impl_->widget->isVisible() && impl_->widget->ShowsItsLook())
        return;
    Control::Refresh();
}

QWidget* ProgressBar::Widget() const {
    return impl_->widget.data();
}

void ProgressBar::CreateNative(Window& window) {
    auto* bar = new ShownProgressBar(window.ContentWidget());
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
