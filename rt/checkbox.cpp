#include "rt/checkbox.h"

#include <QCheckBox>

#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

struct CheckBox::Impl : detail::CaptionedWidget<QCheckBox> {
    bool value = false;
};

CheckBox::CheckBox() : impl_(std::make_unique<Impl>()) {}
CheckBox::~CheckBox() = default;

std::string CheckBox::Caption() const {
    return impl_->caption;
}
void CheckBox::SetCaption(const std::string& caption) {
    impl_->SetCaption(caption);
}

bool CheckBox::Value() const {
    return impl_->value;
}

void CheckBox::SetValue(bool checked) {
    if (impl_->widget)
        impl_->widget->setChecked(checked); // toggled runs Action when it changes
    else
        impl_->value = checked;
}

void CheckBox::SetStyle(const TextStyle& style) {
    impl_->SetStyle(style);
}

QWidget* CheckBox::Widget() const {
    return impl_->widget.data();
}

void CheckBox::CreateNative(Window& window) {
    auto* box = new QCheckBox(window.ContentWidget());
    box->setChecked(impl_->value);
    impl_->Attach(box);
    QObject::connect(box, &QCheckBox::toggled, box, [this](bool checked) {
        impl_->value = checked;
        detail::RunHandler(Action);
    });
}

void CheckBox::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* box = dynamic_cast<CheckBox*>(&other)) {
        impl_->CopyTo(*box->impl_);
        box->SetValue(impl_->value);
    }
}

} // namespace rt
