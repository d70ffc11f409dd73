#include "rt/contentwidget.h"

#include <QCloseEvent>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

#include "rt/pushbutton.h"
#include "rt/widgetinternal.h"
#include "rt/windowimpl.h"

namespace rt::detail {

ContentWidget::ContentWidget(Window& window) : window_(window) {
    setMouseTracking(true);
    // Focus comes to the content only from presses on the content itself, not from presses on
    // controls that take no focus.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Control* ContentWidget::ShapeAt(const QPoint& at, bool includeDisabled) const {
    if (WindowAccess::Of(window_).closed)
        return nullptr;
    const auto& controls = WindowAccess::Of(window_).controls;
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        Control* shape = *it;
        if (WindowAccess::MayHitLight(*shape, at.x(), at.y()) && shape->Widget() == nullptr &&
            shape->Visible() && (includeDisabled || shape->Enabled()) &&
            WindowAccess::HitLight(*shape, at.x(), at.y()))
            return shape;
    }
    return nullptr;
}

bool ContentWidget::event(QEvent* event) {
    if (event->type() == QEvent::Resize)
        KeepFixedSize();
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    // Light shapes have no widget to carry a tooltip: the window shows their help tags.
    const auto* help = static_cast<QHelpEvent*>(event);
    const Control* shape = ShapeAt(help->pos(), true);
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

void ContentWidget::paintEvent(QPaintEvent*) {
    Guarded([this] { PaintContent(); });
}

void ContentWidget::PaintContent() {
    auto& impl = WindowAccess::Of(window_);
    QPainter painter(this);
    painter.fillRect(rect(),
                     impl.hasBackColor ? ToQColor(impl.backColor) : palette().color(QPalette::Window));
    if (impl.backdrop)
        painter.drawImage(0, 0, impl.backdrop.Image());
    // A closed window's controls are going: only its back colour and backdrop remain.
    if (impl.closed)
        return;
    for (const Control* control : impl.controls) {
        if (control->Widget() == nullptr && control->Visible())
            WindowAccess::DrawLight(*control, painter);
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
        if (Control* shape = ShapeAt(at, false)) {
            if (RunHandler(shape->MouseDown, at.x() - shape->Left(), at.y() - shape->Top()))
                impl.capturedShape = shape;
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
