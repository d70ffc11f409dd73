#include "rt/pushbutton.h"

#include <QPushButton>

#include "rt/widgetinternal.h"
#include "rt/window.h"
#include "rt/windowimpl.h"

namespace rt {

struct PushButton::Impl : detail::CaptionedWidget<QPushButton> {
    bool isDefault = false;
    bool isCancel = false;
};

PushButton::PushButton() : impl_(std::make_unique<Impl>()) {}
PushButton::~PushButton() = default;

std::string PushButton::Caption() const {
    return impl_->caption;
}
void PushButton::SetCaption(const std::string& caption) {
    impl_->SetCaption(caption);
}

void PushButton::SetDefault(bool isDefault) {
    impl_->isDefault = isDefault;
    if (impl_->widget)
        impl_->widget->setDefault(isDefault);
    if (ParentWindow() != nullptr)
        detail::WindowAccess::SetDefaultButton(*ParentWindow(), *this, isDefault);
}

void PushButton::SetCancel(bool isCancel) {
    impl_->isCancel = isCancel;
    if (ParentWindow() != nullptr)
        detail::WindowAccess::SetCancelButton(*ParentWindow(), *this, isCancel);
}

void PushButton::SetStyle(const TextStyle& style) {
    impl_->SetStyle(style);
}

void PushButton::Push() {
    if (Enabled())
        detail::RunHandler(Action);
}

QWidget* PushButton::Widget() const {
    return impl_->widget.data();
}

void PushButton::CreateNative(Window& window) {
    auto* button = new QPushButton(window.ContentWidget());
    button->setAutoDefault(false);
    button->setDefault(impl_->isDefault);
    impl_->Attach(button);
    QObject::connect(button, &QPushButton::clicked, button, [this] { Push(); });
    if (impl_->isDefault)
        detail::WindowAccess::SetDefaultButton(window, *this, true);
    if (impl_->isCancel)
        detail::WindowAccess::SetCancelButton(window, *this, true);
}

void PushButton::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* button = dynamic_cast<PushButton*>(&other))
        impl_->CopyTo(*button->impl_);
}

} // namespace rt
