#include <QCheckBox>
#include <QPointer>

#include "rt/controls.h"
#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

struct CheckBox::Impl {
    ~Impl() { delete widget.data(); }
    QPointer<QCheckBox> widget;
    std::string caption;
    bool value = false;
    bool styled = false;
    TextStyle style;
};

CheckBox::CheckBox() : impl_(std::make_unique<Impl>()) {}
CheckBox::~CheckBox() = default;

std::string CheckBox::Caption() const {
    return impl_->caption;
}
void CheckBox::SetCaption(const std::string& caption) {
    impl_->caption = caption;
    if (impl_->widget)
        impl_->widget->setText(detail::ToQ(caption));
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
    impl_->style = style;
    impl_->styled = true;
    if (impl_->widget)
        detail::ApplyTextStyle(*impl_->widget, style);
}

void CheckBox::Push() {
    if (Enabled())
        SetValue(!impl_->value);
}

QWidget* CheckBox::Widget() const {
    return impl_->widget.data();
}

void CheckBox::CreateNative(Window& window) {
    auto* box = new QCheckBox(detail::ToQ(impl_->caption), window.ContentWidget());
    box->setChecked(impl_->value);
    if (impl_->styled)
        detail::ApplyTextStyle(*box, impl_->style);
    QObject::connect(box, &QCheckBox::toggled, box, [this](bool checked) {
        impl_->value = checked;
        if (Action) {
            detail::HandlerScope scope;
            Action();
        }
    });
    impl_->widget = box;
}

void CheckBox::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* box = dynamic_cast<CheckBox*>(&other)) {
        box->SetCaption(impl_->caption);
        box->SetValue(impl_->value);
        if (impl_->styled)
            box->SetStyle(impl_->style);
    }
}

} // namespace rt
