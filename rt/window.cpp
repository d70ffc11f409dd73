#include "rt/window.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <algorithm>

#include "rt/contentwidget.h"
#include "rt/desktop/desktoparea.h"
#include "rt/desktop/dialogplacement.h"
#include "rt/desktop/framemargins.h"
#include "rt/desktop/windowmapping.h"
#include "rt/desktop/xserver.h"
#include "rt/mousecursor.h"
#include "rt/pushbutton.h"
#include "rt/widgetinternal.h"
#include "rt/windowimpl.h"

namespace rt {
namespace detail {

namespace {

void Assign(PushButton*& slot, PushButton& button, bool on) {
    if (on)
        slot = &button;
    else if (slot == &button)
        slot = nullptr;
}

} // namespace

void WindowAccess::SetDefaultButton(Window& window, PushButton& button, bool isDefault) {
    Assign(Of(window).defaultButton, button, isDefault);
}

void WindowAccess::SetCancelButton(Window& window, PushButton& button, bool isCancel) {
    Assign(Of(window).cancelButton, button, isCancel);
}

void WindowAccess::ForgetControl(Window& window, const Control& control) {
    Window::Impl& impl = Of(window);
    if (impl.closed)
        impl.forgotten.insert(&control);
    else
        impl.stack.erase(std::remove_if(impl.stack.begin(), impl.stack.end(),
                                        [&](const StackEntry& entry) { return entry.control == &control; }),
                         impl.stack.end());
    if (impl.capturedShape == &control)
        impl.capturedShape = nullptr;
    if (impl.defaultButton == &control)
        impl.defaultButton = nullptr;
    if (impl.cancelButton == &control)
        impl.cancelButton = nullptr;
    // No virtual call here: the control is being destroyed.
    impl.content->update();
}

void WindowAccess::Stack(Window& window, ShapeArray& array, std::int32_t slot) {
    std::vector<StackEntry>& stack = Of(window).stack;
    if (!stack.empty() && stack.back().array == &array && std::int64_t{stack.back().last} + 1 == slot)
        stack.back().last = slot;
    else
        stack.push_back({nullptr, &array, slot, slot});
}

void WindowAccess::ForgetArray(Window& window, const ShapeArray& array) {
    Window::Impl& impl = Of(window);
    impl.stack.erase(std::remove_if(impl.stack.begin(), impl.stack.end(),
                                    [&](const StackEntry& entry) { return entry.array == &array; }),
                     impl.stack.end());
    impl.content->update();
}

void WindowAccess::ReleaseArrays(Window& window) {
    std::vector<StackEntry>& stack = Of(window).stack;
    std::vector<ShapeArray*> arrays;
    for (const StackEntry& entry : stack)
        if (entry.array != nullptr && std::find(arrays.begin(), arrays.end(), entry.array) == arrays.end())
            arrays.push_back(entry.array);
    stack.erase(std::remove_if(stack.begin(), stack.end(),
                               [](const StackEntry& entry) { return entry.array != nullptr; }),
                stack.end());
    for (ShapeArray* array : arrays)
        array->Release();
}

bool WindowAccess::IsClosing(const Window& window) {
    return Of(window).closed;
}

} // namespace detail

using detail::ToQ;

Window::Impl::Impl(Window& owner) : self(owner), content(std::make_unique<detail::ContentWidget>(owner)) {}

Window::Impl::~Impl() = default;

void Window::Impl::ApplyFlags() {
    Qt::WindowFlags flags = frame == 3                 ? Qt::WindowFlags(Qt::Tool)
                            : frame == 1 && !ownerless ? Qt::WindowFlags(Qt::Dialog)
                                                       : Qt::WindowFlags(Qt::Window);
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeButton)
        flags |= Qt::WindowCloseButtonHint;
    if (minimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (maximizeButton)
        flags |= Qt::WindowMaximizeButtonHint;
    const bool wasVisible = content->isVisible();
    detail::AwaitMapping(*content);
    content->setWindowFlags(flags);
    if (wasVisible) {
        detail::AwaitWithdrawal(*content);
        content->show();
    }
}

void Window::Impl::ApplySizeLimits() {
    if (!resizeable) {
        content->setFixedSize(content->size());
        return;
    }
    content->setMinimumSize(std::clamp(minWidth, 0, QWIDGETSIZE_MAX),
                            std::clamp(minHeight, 0, QWIDGETSIZE_MAX));
    content->setMaximumSize(std::clamp(maxWidth, 0, QWIDGETSIZE_MAX),
                            std::clamp(maxHeight, 0, QWIDGETSIZE_MAX));
}

void Window::Impl::Resize(std::int32_t width, std::int32_t height) {
    width = std::clamp(width, 0, QWIDGETSIZE_MAX);
    height = std::clamp(height, 0, QWIDGETSIZE_MAX);
    if (!resizeable) {
        content->setFixedSize(width, height);
        return;
    }
    // A size outside the limits the program set still holds: the limits follow the size.
    content->setMinimumSize(std::min(width, std::clamp(minWidth, 0, QWIDGETSIZE_MAX)),
                            std::min(height, std::clamp(minHeight, 0, QWIDGETSIZE_MAX)));
    content->setMaximumSize(std::max(width, std::clamp(maxWidth, 0, QWIDGETSIZE_MAX)),
                            std::max(height, std::clamp(maxHeight, 0, QWIDGETSIZE_MAX)));
    content->resize(width, height);
}

Window::Window() : impl_(std::make_unique<Impl>(*this)) {
    impl_->content->resize(300, 300);
}

Window::~Window() {
    // The controls that are members of the subclass are gone already. Any other control or shape
    // array that outlives the window forgets it; the content widget, with what is left on it, goes
    // last.
    detail::WindowAccess::ReleaseArrays(*this);
    for (const detail::StackEntry& entry : impl_->stack)
        if (impl_->forgotten.count(entry.control) == 0)
            entry.control->window_ = nullptr;
    impl_->stack.clear();
}

std::string Window::Title() const {
    return detail::FromQ(impl_->content->windowTitle());
}
void Window::SetTitle(const std::string& title) {
    impl_->content->setWindowTitle(ToQ(title));
}

std::int32_t Window::Left() const {
    return impl_->content->geometry().x() - detail::DesktopArea().x();
}
std::int32_t Window::Top() const {
    return impl_->content->geometry().y() - detail::DesktopArea().y();
}
std::int32_t Window::Width() const {
    return impl_->content->width();
}
std::int32_t Window::Height() const {
    return impl_->content->height();
}

void Window::SetLeft(std::int32_t left) {
    impl_->positioned = true;
    const QRect geometry = impl_->content->geometry();
    impl_->content->setGeometry(detail::DesktopArea().x() + left, geometry.y(), geometry.width(),
                                geometry.height());
}
void Window::SetTop(std::int32_t top) {
    impl_->positioned = true;
    const QRect geometry = impl_->content->geometry();
    impl_->content->setGeometry(geometry.x(), detail::DesktopArea().y() + top, geometry.width(),
                                geometry.height());
}
void Window::SetWidth(std::int32_t width) {
    impl_->Resize(width, Height());
}
void Window::SetHeight(std::int32_t height) {
    impl_->Resize(Width(), height);
}

void Window::SetMinimumSize(std::int32_t width, std::int32_t height) {
    impl_->minWidth = width;
    impl_->minHeight = height;
    impl_->ApplySizeLimits();
}
void Window::SetMaximumSize(std::int32_t width, std::int32_t height) {
    impl_->maxWidth = width;
    impl_->maxHeight = height;
    impl_->ApplySizeLimits();
}

void Window::SetFrame(std::int32_t frame) {
    impl_->frame = frame;
    impl_->ApplyFlags();
}
void Window::SetPlacement(std::int32_t placement) {
    impl_->placement = placement;
}
void Window::SetCloseButton(bool hasCloseButton) {
    impl_->closeButton = hasCloseButton;
    impl_->ApplyFlags();
}
void Window::SetMinimizeButton(bool hasMinimizeButton) {
    impl_->minimizeButton = hasMinimizeButton;
    impl_->ApplyFlags();
}
void Window::SetMaximizeButton(bool hasMaximizeButton) {
    impl_->maximizeButton = hasMaximizeButton;
    impl_->ApplyFlags();
}
void Window::SetResizeable(bool resizeable) {
    impl_->resizeable = resizeable;
    impl_->ApplySizeLimits();
}

void Window::SetBackColor(Color color) {
    impl_->backColor = color;
    impl_->hasBackColor = true;
    impl_->content->update();
}
bool Window::HasBackColor() const {
    return impl_->hasBackColor;
}
Color Window::BackColor() const {
    return impl_->backColor;
}

void Window::SetVisibleWhenCreated(bool visible) {
    impl_->visibleWhenCreated = visible;
}

Picture Window::Backdrop() const {
    return impl_->backdrop;
}
void Window::SetBackdrop(const Picture& picture) {
    impl_->backdrop = picture;
    impl_->content->update();
}

void Window::SetMouseCursor(const MouseCursor* cursor) {
    if (cursor != nullptr && cursor->Image()) {
        impl_->content->setCursor(
            QCursor(QPixmap::fromImage(cursor->Image().Image()), cursor->HotX(), cursor->HotY()));
    } else {
        impl_->content->unsetCursor();
    }
}

bool Window::IsOpen() const {
    return !impl_->closed;
}
bool Window::Visible() const {
    return impl_->content->isVisible();
}

void Window::Show() {
    if (impl_->closed)
        return;
    QWidget& content = *impl_->content;
    if (!impl_->shownOnce && !impl_->positioned && impl_->placement >= 1 && impl_->placement <= 3) {
        const QRect area = detail::DesktopArea();
        const QRect geometry = content.geometry();
        content.setGeometry(area.x() + (area.width() - geometry.width()) / 2,
                            area.y() + (area.height() - geometry.height()) / 2, geometry.width(),
                            geometry.height());
    }
    impl_->shownOnce = true;
    // Asks a manager that is new whether it answers frame requests, and watches for its end.
    detail::ProbeManager();
    detail::AwaitWithdrawal(content);
    // A dialog window belongs to the window it opened from, which gets the keyboard back when it
    // closes. One that opened from no window of the program is a window of its own: a dialog of
    // no window, a manager would keep it over every window of the program.
    if (!content.isVisible() && impl_->frame == 1) {
        QWidget* owner = detail::OwnerWindow();
        if (impl_->ownerless != (owner == nullptr)) {
            impl_->ownerless = owner == nullptr;
            // Qt keeps the position of a window of a new kind as its frame's; the program's
            // position is the content's.
            const QRect geometry = content.geometry();
            impl_->ApplyFlags();
            content.setGeometry(geometry);
        }
        detail::BelongTo(content, owner);
    }
    // A window with a position of its own keeps its frame clear of the strip as it shows, and
    // again when the manager says which frame it draws, if that is another than it said before.
    const bool placing = !content.isVisible() && content.testAttribute(Qt::WA_Moved);
    // A frame taller than the manager's title bars allowed for when the window was sized would
    // not fit below the strip; the window loses the rows below the screen's edge. One sized for a
    // wider screen loses the columns beyond its right edge.
    const auto shrink = [this](int width, int height) { impl_->Resize(width, height); };
    const QMargins frame = placing ? detail::FrameToPlaceWith(content) : QMargins();
    if (placing)
        detail::PlaceClear(content, frame, shrink);
    // A tool window serves a working window: no taskbar or pager lists it.
    if (!content.isVisible() && impl_->frame == 3)
        x11::AddStates(x11::WindowOf(content), {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"});
    content.show();
    if (placing)
        detail::WhenFramed(content, frame, [this, shrink](const QMargins& said) {
            detail::PlaceClear(*impl_->content, said, shrink);
        });
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        content.raise();
    content.activateWindow();
}

void Window::Hide() {
    // The platform reports a window's showing later, with the size the window had then. Taken in
    // once the window is hidden and resized, that report would undo the new size, so it is taken
    // in first. Like a yield, this runs no user input.
    {
        detail::HandlerScope scope;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    detail::AwaitMapping(*impl_->content);
    impl_->content->hide();
}

void Window::Close() {
    if (impl_->closed)
        return;
    impl_->closed = true;
    {
        detail::HandlerScope scope;
        Event_Close();
    }
    // A window closed to be opened afresh frees its many shapes before the new one builds its own.
    detail::WindowAccess::ReleaseArrays(*this);
    detail::Retire(*this);
}

void Window::Refresh() {
    impl_->content->repaint();
}

Picture Window::DrawIntoPicture() const {
    const QSize size = impl_->content->size();
    if (size.width() < 1 || size.height() < 1)
        return Picture();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    impl_->content->render(&image, QPoint(), QRegion(),
                           QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return Picture::FromImage(image);
}

QWidget* Window::ContentWidget() const {
    return impl_->content.get();
}

} // namespace rt
