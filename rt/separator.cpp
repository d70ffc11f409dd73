#include "rt/separator.h"

#include <QFrame>

#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

struct Separator::Impl : detail::NativeWidget<QFrame> {};

Separator::Separator() : impl_(std::make_unique<Impl>()) {}
Separator::~Separator() = default;

QWidget* Separator::Widget() const {
    return impl_->widget.data();
}

void Separator::CreateNative(Window& window) {
    auto* line = new QFrame(window.ContentWidget());
    line->setFrameShape(Height() > Width() ? QFrame::VLine : QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    impl_->widget = line;
}

} // namespace rt
