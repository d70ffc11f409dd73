#include "rt/contentwidget.h"

#include <QCloseEvent>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "rt/pushbutton.h"
#include "rt/widgetinternal.h"
#include "rt/windowimpl.h"

namespace rt::detail {

namespace {

// A press relative to a shape's corner, saturated to the int32 range.
std::int32_t Offset(std::int32_t at, std::int32_t corner) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{at} - corner, INT32_MIN, INT32_MAX));
}

} // namespace

ContentWidget::ContentWidget(Window& window) : window_(window) {
    setMouseTracking(true);
    // Focus comes to the content only from presses on the content itself, not from presses on
    // controls that take no focus.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ShapeHit ContentWidget::ShapeAt(const QPoint& at, bool includeDisabled) const {
    if (WindowAccess::Of(window_).closed)
        return {};
    const auto& stack = WindowAccess::Of(window_).stack;
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if (Control* shape = it->control) {
            if (WindowAccess::MayHitLight(*shape, at.x(), at.y()) && shape->Widget() == nullptr &&
                shape->Visible() && (includeDisabled || shape->Enabled()) &&
                WindowAccess::HitLight(*shape, at.x(), at.y()))
                return {shape, nullptr, -1};
            continue;
        }
        const std::int32_t slot =
            WindowAccess::TopAt(*it->array, at.x(), at.y(), it->first, it->last, includeDisabled);
        if (slot >= 0)
            return {nullptr, it->array, slot};
    }
    return {};
}

bool ContentWidget::event(QEvent* event) {
    if (event->type() == QEvent::Resize)
        KeepFixedSize();
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    // Light shapes have no widget to carry a tooltip: the window shows their help tags.
    const auto* help = static_cast<QHelpEvent*>(event);
    const Control* shape = ShapeAt(help->pos(), true).control;
    // Members of shape arrays have no help tags.
    if (shape == nullptr || shape->HelpTag().empty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(), DisplayText(shape->HelpTag()), this,
                       QRect(shape->Left(), shape->Top(), shape->Width() + 1, shape->Height() + 1));
    return true;
}

void ContentWidget::KeepFixedSize() {
    // The window system may answer an earlier request with a size that a fixed-size window has
    // left since (a window shown, hidden, resized and shown again): the program's size holds.
    if (minimumSize() != maximumSize() || size() == minimumSize() || correctionPending_)
        return;
    correctionPending_ = true;
    QTimer::singleShot(0, this, [this] {
        correctionPending_ = false;
        if (minimumSize() == maximumSize() && size() != minimumSize())
            resize(minimumSize());
    });
}

void ContentWidget::paintEvent(QPaintEvent* event) {
    Guarded([this, event] { PaintContent(*event); });
}

void ContentWidget::PaintContent(const QPaintEvent& event) {
    auto& impl = WindowAccess::Of(window_);
    QPainter painter(this);
    painter.fillRect(rect(),
                     impl.hasBackColor ? ToQColor(impl.backColor) : palette().color(QPalette::Window));
    if (impl.backdrop)
        painter.drawImage(0, 0, impl.backdrop.Image());
    // A closed window's controls are going: only its back colour and backdrop remain.
    if (impl.closed)
        return;
    const QRect area = event.rect() & rect();
    for (const StackEntry& entry : impl.stack) {
        if (const Control* control = entry.control) {
            if (control->Widget() == nullptr && control->Visible())
                WindowAccess::DrawLight(*control, painter);
        } else {
            WindowAccess::Paint(*entry.array, painter, area, entry.first, entry.last);
        }
    }
}

void ContentWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    Guarded([this, at] {
        auto& impl = WindowAccess::Of(window_);
        impl.capturedShape = nullptr;
        impl.windowCaptured = false;
        // A visible, enabled shape takes the press whatever its handler answers; native controls
        // keep their presses from the window themselves (see Control::Create).
        const ShapeHit hit = ShapeAt(at, false);
        if (Control* shape = hit.control) {
            if (RunHandler(shape->MouseDown, at.x() - shape->Left(), at.y() - shape->Top()))
                impl.capturedShape = shape;
            return;
        }
        if (const ShapeArray* array = hit.array) {
            // The array's members have no drag or release handlers: nothing follows the press.
            const ShapeBox box = WindowAccess::BoxAt(*array, hit.slot);
            RunHandler(array->MouseDown, WindowAccess::NumberAt(*array, hit.slot), Offset(at.x(), box.left),
                       Offset(at.y(), box.top));
            return;
        }
        impl.windowCaptured = WindowAccess::MouseDown(window_, at.x(), at.y());
    });
}

void ContentWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool dragging = event->buttons() & Qt::LeftButton;
    Guarded([this, at, dragging] {
        auto& impl = WindowAccess::Of(window_);
        if (!dragging)
            WindowAccess::MouseMove(window_, at.x(), at.y());
        else if (Control* shape = impl.capturedShape)
            RunHandler(shape->MouseDrag, at.x() - shape->Left(), at.y() - shape->Top());
        else if (impl.windowCaptured)
            WindowAccess::MouseDrag(window_, at.x(), at.y());
    });
}

void ContentWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint at = event->position().toPoint();
    Guarded([this, at] {
        auto& impl = WindowAccess::Of(window_);
        Control* shape = impl.capturedShape;
        const bool windowCaptured = impl.windowCaptured;
        impl.capturedShape = nullptr;
        impl.windowCaptured = false;
        if (shape != nullptr)
            RunHandler(shape->MouseUp, at.x() - shape->Left(), at.y() - shape->Top());
        else if (windowCaptured)
            WindowAccess::MouseUp(window_, at.x(), at.y());
    });
}

void ContentWidget::enterEvent(QEnterEvent*) {
    Guarded([this] { WindowAccess::MouseEnter(window_); });
}

void ContentWidget::leaveEvent(QEvent*) {
    Guarded([this] { WindowAccess::MouseExit(window_); });
}

void ContentWidget::keyPressEvent(QKeyEvent* event) {
    const std::string key = KeyText(*event);
    if (key.empty()) {
        event->ignore();
        return;
    }
    const bool handled = Guarded([this, &key] {
        if (WindowAccess::KeyDown(window_, key))
            return true;
        auto& impl = WindowAccess::Of(window_);
        PushButton* button = key == "\r" ? impl.defaultButton : key == "\x1b" ? impl.cancelButton : nullptr;
        if (button == nullptr || impl.closed)
            return false;
        button->Push();
        return true;
    });
    if (!handled)
        event->ignore();
}

void ContentWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    auto& impl = WindowAccess::Of(window_);
    if (impl.closeButton && !impl.closed)
        Guarded([this] { window_.Close(); });
}

} // namespace rt::detail
