#include "rt/bevelbutton.h"

#include <QIcon>
#include <QPixmap>
#include <QToolButton>

#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

struct BevelButton::Impl : detail::NativeWidget<QToolButton> {
    void ApplyIcon() {
        if (!widget)
            return;
        if (icon) {
            widget->setIcon(QIcon(QPixmap::fromImage(icon.Image())));
            widget->setIconSize(QSize(icon.Width(), icon.Height()));
        } else {
            widget->setIcon(QIcon());
        }
        widget->setToolButtonStyle(!icon             ? Qt::ToolButtonTextOnly
                                   : caption.empty() ? Qt::ToolButtonIconOnly
                                                     : Qt::ToolButtonTextUnderIcon);
    }
    std::string caption;
    Picture icon;
    bool value = false;
};

BevelButton::BevelButton() : impl_(std::make_unique<Impl>()) {}
BevelButton::~BevelButton() = default;

void BevelButton::SetCaption(const std::string& caption) {
    impl_->caption = caption;
    if (impl_->widget) {
        impl_->widget->setText(detail::ToQ(caption));
        impl_->ApplyIcon();
    }
}

Picture BevelButton::Icon() const {
    return impl_->icon;
}
void BevelButton::SetIcon(const Picture& icon) {
    impl_->icon = icon;
    impl_->ApplyIcon();
}

bool BevelButton::Value() const {
    return impl_->value;
}
void BevelButton::SetValue(bool pressed) {
    impl_->value = pressed;
    if (impl_->widget)
        impl_->widget->setChecked(pressed);
}

void BevelButton::Push() {
    if (Enabled())
        detail::RunHandler(Action);
}

QWidget* BevelButton::Widget() const {
    return impl_->widget.data();
}

void BevelButton::CreateNative(Window& window) {
    auto* button = new QToolButton(window.ContentWidget());
    button->setText(detail::ToQ(impl_->caption));
    button->setCheckable(true);
    button->setChecked(impl_->value);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    impl_->widget = button;
    impl_->ApplyIcon();
    // A click does not toggle the pressed state: the program sets it.
    QObject::connect(button, &QToolButton::clicked, button, [this] {
        if (impl_->widget)
            impl_->widget->setChecked(impl_->value);
        Push();
    });
}

void BevelButton::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* button = dynamic_cast<BevelButton*>(&other)) {
        button->SetCaption(impl_->caption);
        button->SetIcon(impl_->icon);
        button->SetValue(impl_->value);
    }
}

} // namespace rt
