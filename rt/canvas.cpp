#include "rt/canvas.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

struct Canvas::Impl : detail::NativeWidget<QWidget> {
    Picture backdrop;
};

namespace {

class CanvasWidget : public QWidget {
public:
    CanvasWidget(Canvas& canvas, Picture& backdrop, QWidget* parent)
        : QWidget(parent), canvas_(canvas), backdrop_(backdrop) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (!canvas_.Paint || width() < 1 || height() < 1) {
            if (backdrop_)
                painter.drawImage(0, 0, backdrop_.Image());
            return;
        }
        // The handler draws into a picture that starts as what the window shows under the
        // canvas, with the canvas's backdrop over it.
        QImage layer(size(), QImage::Format_RGB32);
        layer.fill(palette().color(QPalette::Window));
        if (Window* window = canvas_.ParentWindow()) {
            QPainter under(&layer);
            if (window->HasBackColor())
                under.fillRect(layer.rect(), detail::ToQColor(window->BackColor()));
            if (const Picture windowBackdrop = window->Backdrop())
                under.drawImage(-canvas_.Left(), -canvas_.Top(), windowBackdrop.Image());
            if (backdrop_)
                under.drawImage(0, 0, backdrop_.Image());
        }
        Picture picture = Picture::FromImage(layer);
        detail::Guarded([this, &picture] { canvas_.Paint(picture.Graphics()); });
        painter.drawImage(0, 0, picture.Image());
    }

private:
    Canvas& canvas_;
    Picture& backdrop_;
};

} // namespace

Canvas::Canvas() : impl_(std::make_unique<Impl>()) {}
Canvas::~Canvas() = default;

Picture Canvas::Backdrop() const {
    return impl_->backdrop;
}
void Canvas::SetBackdrop(const Picture& picture) {
    impl_->backdrop = picture;
    if (impl_->widget)
        impl_->widget->update();
}

QWidget* Canvas::Widget() const {
    return impl_->widget.data();
}

void Canvas::CreateNative(Window& window) {
    impl_->widget = new CanvasWidget(*this, impl_->backdrop, window.ContentWidget());
    impl_->widget->setFocusPolicy(Qt::NoFocus);
}

void Canvas::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* canvas = dynamic_cast<Canvas*>(&other))
        canvas->SetBackdrop(impl_->backdrop);
}

} // namespace rt
