#include <QPointer>
#include <QRadioButton>

#include "rt/controls.h"
#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

struct RadioButton::Impl {
    ~Impl() { delete widget.data(); }
    QPointer<QRadioButton> widget;
    std::string caption;
    bool value = false;
    bool styled = false;
    TextStyle style;
};

RadioButton::RadioButton() : impl_(std::make_unique<Impl>()) {}
RadioButton::~RadioButton() = default;

std::string RadioButton::Caption() const {
    return impl_->caption;
}
void RadioButton::SetCaption(const std::string& caption) {
    impl_->caption = caption;
    if (impl_->widget)
        impl_->widget->setText(detail::ToQ(caption));
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
    impl_->style = style;
    impl_->styled = true;
    if (impl_->widget)
        detail::ApplyTextStyle(*impl_->widget, style);
}

void RadioButton::Push() {
    if (!Enabled())
        return;
    SetValue(true);
    if (Action) {
        detail::HandlerScope scope;
        Action();
    }
}

QWidget* RadioButton::Widget() const {
    return impl_->widget.data();
}

void RadioButton::CreateNative(Window& window) {
    auto* button = new QRadioButton(detail::ToQ(impl_->caption), window.ContentWidget());
    button->setAutoExclusive(true);
    if (impl_->styled)
        detail::ApplyTextStyle(*button, impl_->style);
    impl_->widget = button;
    SetValue(impl_->value);
    QObject::connect(button, &QRadioButton::clicked, button, [this](bool checked) {
        if (checked && Action) {
            detail::HandlerScope scope;
            Action();
        }
    });
}

void RadioButton::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* button = dynamic_cast<RadioButton*>(&other)) {
        button->SetCaption(impl_->caption);
        if (impl_->styled)
            button->SetStyle(impl_->style);
    }
}

} // namespace rt
