#include "rt/radiobutton.h"

#include <QRadioButton>

#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

struct RadioButton::Impl : detail::CaptionedWidget<QRadioButton> {
    bool value = false;
};

RadioButton::RadioButton() : impl_(std::make_unique<Impl>()) {}
RadioButton::~RadioButton() = default;

void RadioButton::SetCaption(const std::string& caption) {
    impl_->SetCaption(caption);
}

bool RadioButton::Value() const {
    return impl_->widget ? impl_->widget->isChecked() : impl_->value;
}

void RadioButton::SetValue(bool selected) {
    impl_->value = selected;
    if (!impl_->widget)
        return;
    if (selected) {
        // The other buttons of the window (siblings in the content widget) are deselected.
        impl_->widget->setChecked(true);
    } else {
        impl_->widget->setAutoExclusive(false);
        impl_->widget->setChecked(false);
        impl_->widget->setAutoExclusive(true);
    }
}

void RadioButton::SetStyle(const TextStyle& style) {
    impl_->SetStyle(style);
}

void RadioButton::Push() {
    if (!Enabled())
        return;
    SetValue(true);
    detail::RunHandler(Action);
}

QWidget* RadioButton::Widget() const {
    return impl_->widget.data();
}

void RadioButton::CreateNative(Window& window) {
    auto* button = new QRadioButton(window.ContentWidget());
    button->setAutoExclusive(true);
    impl_->Attach(button);
    SetValue(impl_->value);
    QObject::connect(button, &QRadioButton::clicked, button, [this](bool checked) {
        if (checked)
            detail::RunHandler(Action);
    });
}

void RadioButton::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* button = dynamic_cast<RadioButton*>(&other))
        impl_->CopyTo(*button->impl_);
}

} // namespace rt
