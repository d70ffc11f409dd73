#include <QPointer>
#include <QPushButton>

#include "rt/controls.h"
#include "rt/widgetinternal.h"
#include "rt/window.h"
#include "rt/windowimpl.h"

namespace rt {

struct PushButton::Impl {
    ~Impl() { delete widget.data(); }
    QPointer<QPushButton> widget;
    std::string caption;
    bool isDefault = false;
    bool styled = false;
    TextStyle style;
};

PushButton::PushButton() : impl_(std::make_unique<Impl>()) {}
PushButton::~PushButton() = default;

std::string PushButton::Caption() const {
    return impl_->caption;
}
void PushButton::SetCaption(const std::string& caption) {
    impl_->caption = caption;
    if (impl_->widget)
        impl_->widget->setText(detail::ToQ(caption));
}

void PushButton::SetDefault(bool isDefault) {
    impl_->isDefault = isDefault;
    if (impl_->widget)
        impl_->widget->setDefault(isDefault);
    if (ParentWindow() != nullptr)
        detail::WindowAccess::SetDefaultButton(*ParentWindow(), isDefault ? this : nullptr);
}

void PushButton::SetStyle(const TextStyle& style) {
    impl_->style = style;
    impl_->styled = true;
    if (impl_->widget)
        detail::ApplyTextStyle(*impl_->widget, style);
}

void PushButton::Push() {
    if (Enabled() && Action) {
        detail::HandlerScope scope;
        Action();
    }
}

QWidget* PushButton::Widget() const {
    return impl_->widget.data();
}

void PushButton::CreateNative(Window& window) {
    auto* button = new QPushButton(detail::ToQ(impl_->caption), window.ContentWidget());
    button->setAutoDefault(false);
    button->setDefault(impl_->isDefault);
    if (impl_->styled)
        detail::ApplyTextStyle(*button, impl_->style);
    QObject::connect(button, &QPushButton::clicked, button, [this] { Push(); });
    impl_->widget = button;
    if (impl_->isDefault)
        detail::WindowAccess::SetDefaultButton(window, this);
}

void PushButton::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* button = dynamic_cast<PushButton*>(&other)) {
        button->SetCaption(impl_->caption);
        if (impl_->styled)
            button->SetStyle(impl_->style);
    }
}

} // namespace rt
