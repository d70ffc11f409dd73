#include "rt/control.h"

#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>
#include <stdexcept>

#include "rt/widgetinternal.h"
#include "rt/window.h"
#include "rt/windowimpl.h"

namespace rt {

namespace {

// Hands the mouse events of a native control's widget to the control's handlers. A press that
// MouseDown takes is kept from the widget, and so are its drags and its release.
class MouseRelay : public QObject {
public:
    MouseRelay(Control& control, QWidget& widget) : QObject(&widget), control_(control) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        using detail::RunHandler;
        const auto* mouse = dynamic_cast<const QMouseEvent*>(event);
        const QPoint at = mouse != nullptr ? mouse->position().toPoint() : QPoint();
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (mouse->button() != Qt::LeftButton)
                return false;
            captured_ = RunHandler(control_.MouseDown, at.x(), at.y());
            return captured_;
        case QEvent::MouseMove:
            if (captured_) {
                RunHandler(control_.MouseDrag, at.x(), at.y());
                return true;
            }
            if (mouse->buttons() == Qt::NoButton)
                RunHandler(control_.MouseMove, at.x(), at.y());
            return false;
        case QEvent::MouseButtonRelease:
            if (!captured_)
                return false;
            captured_ = false;
            RunHandler(control_.MouseUp, at.x(), at.y());
            return true;
        case QEvent::Enter:
            RunHandler(control_.MouseEnter);
            return false;
        case QEvent::Leave:
            RunHandler(control_.MouseExit);
            return false;
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    Control& control_;
    bool captured_ = false;
};

} // namespace

Control::Control() = default;

Control::~Control() {
    if (window_ != nullptr)
        detail::WindowAccess::ForgetControl(*window_, *this);
}

void Control::Create(Window& window, std::int32_t left, std::int32_t top, std::int32_t width,
                     std::int32_t height) {
    if (window_ != nullptr)
        throw std::logic_error("control created twice");
    const Geometry before = geometry_;
    geometry_.left = left;
    geometry_.top = top;
    geometry_.width = width;
    geometry_.height = height;
    window_ = &window;
    CreateNative(window);
    detail::WindowAccess::Of(window).stack.push_back({this});
    if (QWidget* widget = Widget()) {
        widget->setEnabled(geometry_.enabled);
        widget->setToolTip(detail::DisplayText(geometry_.helpTag));
        widget->setMouseTracking(true);
        // A press on a control is the control's, never the window's.
        widget->setAttribute(Qt::WA_NoMousePropagation);
        widget->installEventFilter(new MouseRelay(*this, *widget));
        widget->setVisible(geometry_.visible);
    }
    ApplyGeometry(before);
    // Run by the program's reaching of the window, not by Qt: a failure goes back to it.
    detail::HandlerScope scope;
    if (Open)
        Open();
}

std::int32_t Control::Left() const {
    return geometry_.left;
}
std::int32_t Control::Top() const {
    return geometry_.top;
}
std::int32_t Control::Width() const {
    return geometry_.width;
}
std::int32_t Control::Height() const {
    return geometry_.height;
}

void Control::SetLeft(std::int32_t left) {
    const Geometry before = geometry_;
    geometry_.left = left;
    ApplyGeometry(before);
}
void Control::SetTop(std::int32_t top) {
    const Geometry before = geometry_;
    geometry_.top = top;
    ApplyGeometry(before);
}
void Control::SetWidth(std::int32_t width) {
    const Geometry before = geometry_;
    geometry_.width = width;
    ApplyGeometry(before);
}
void Control::SetHeight(std::int32_t height) {
    const Geometry before = geometry_;
    geometry_.height = height;
    ApplyGeometry(before);
}

void Control::ApplyGeometry(const Geometry& before) {
    GeometryChanged(before);
    if (window_ == nullptr)
        return;
    if (QWidget* widget = Widget())
        widget->setGeometry(geometry_.left, geometry_.top, std::max(0, geometry_.width),
                            std::max(0, geometry_.height));
    else
        window_->ContentWidget()->update();
}

void Control::GeometryChanged(const Geometry& /*before*/) {}

bool Control::Visible() const {
    return geometry_.visible;
}
void Control::SetVisible(bool visible) {
    geometry_.visible = visible;
    if (window_ == nullptr)
        return;
    if (QWidget* widget = Widget())
        widget->setVisible(visible);
    else
        window_->ContentWidget()->update();
}

bool Control::Enabled() const {
    return geometry_.enabled;
}
void Control::SetEnabled(bool enabled) {
    geometry_.enabled = enabled;
    if (QWidget* widget = window_ != nullptr ? Widget() : nullptr)
        widget->setEnabled(enabled);
}

std::string Control::HelpTag() const {
    return geometry_.helpTag;
}
void Control::SetHelpTag(const std::string& text) {
    geometry_.helpTag = text;
    if (QWidget* widget = window_ != nullptr ? Widget() : nullptr)
        widget->setToolTip(detail::DisplayText(text));
}

void Control::SetFocus() {
    if (QWidget* widget = window_ != nullptr ? Widget() : nullptr)
        widget->setFocus(Qt::OtherFocusReason);
}

bool Control::HasFocus() const {
    QWidget* widget = window_ != nullptr ? Widget() : nullptr;
    return widget != nullptr && widget->hasFocus();
}

void Control::Refresh() {
    if (window_ == nullptr)
        return;
    if (QWidget* widget = Widget())
        widget->repaint();
    else
        window_->ContentWidget()->repaint();
}

void Control::CopySettingsTo(Control& other) const {
    const Geometry before = other.geometry_;
    other.geometry_ = geometry_;
    other.ApplyGeometry(before);
    other.SetVisible(geometry_.visible);
    other.SetEnabled(geometry_.enabled);
    other.SetHelpTag(geometry_.helpTag);
}

} // namespace rt
