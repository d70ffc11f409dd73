#include "rt/statictext.h"

#include <QLabel>

#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

struct StaticText::Impl : detail::NativeWidget<QLabel> {
    void ApplyLooks() {
        if (!widget)
            return;
        if (styled)
            detail::ApplyTextStyle(*widget, style);
        widget->setAlignment(detail::HorizontalAlignment(align) | Qt::AlignTop);
        widget->setWordWrap(multiline);
    }
    std::string text;
    bool styled = false;
    TextStyle style;
    std::int32_t align = 0;
    bool multiline = false;
};

StaticText::StaticText() : impl_(std::make_unique<Impl>()) {}
StaticText::~StaticText() = default;

std::string StaticText::Text() const {
    return impl_->text;
}
void StaticText::SetText(const std::string& text) {
    impl_->text = text;
    if (impl_->widget)
        impl_->widget->setText(detail::DisplayText(text));
}

void StaticText::SetMultiline(bool multiline) {
    impl_->multiline = multiline;
    impl_->ApplyLooks();
}

void StaticText::SetStyle(const TextStyle& style) {
    impl_->style = style;
    impl_->styled = true;
    impl_->ApplyLooks();
}

void StaticText::SetAlignment(std::int32_t align) {
    impl_->align = align;
    impl_->ApplyLooks();
}

QWidget* StaticText::Widget() const {
    return impl_->widget.data();
}

void StaticText::CreateNative(Window& window) {
    auto* label = new QLabel(window.ContentWidget());
    label->setTextFormat(Qt::PlainText);
    label->setText(detail::DisplayText(impl_->text));
    impl_->widget = label;
    impl_->ApplyLooks();
}

void StaticText::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* label = dynamic_cast<StaticText*>(&other)) {
        label->SetText(impl_->text);
        if (impl_->styled)
            label->SetStyle(impl_->style);
        label->SetAlignment(impl_->align);
        label->SetMultiline(impl_->multiline);
    }
}

} // namespace rt
