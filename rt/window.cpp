#include "rt/window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <algorithm>
#include <map>

#include "rt/controls.h"
#include "rt/mousecursor.h"
#include "rt/widgetinternal.h"
#include "rt/windowimpl.h"

namespace rt {
namespace detail {

namespace {

struct Registry {
    std::map<std::type_index, std::unique_ptr<Window>> open;
    // Windows laid out before the event loop runs, waiting for their opening.
    std::vector<Window*> deferred;
    bool deferring = false;
    // Closed windows waiting to be destroyed once no handler runs.
    std::vector<std::unique_ptr<Window>> closed;
    bool reapScheduled = false;
    int depth = 0;
};

// Never destroyed: windows must go before the QApplication does (DiscardAll), never at exit.
Registry& TheRegistry() {
    static Registry* registry = new Registry;
    return *registry;
}

void ScheduleReaping() {
    Registry& registry = TheRegistry();
    if (registry.reapScheduled || registry.closed.empty() || QCoreApplication::instance() == nullptr)
        return;
    registry.reapScheduled = true;
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        TheRegistry().reapScheduled = false;
        WindowRegistry::ReapClosed();
    });
}

// Hides a closed window and hands it from the open ones to those waiting to be destroyed.
void Retire(Window& window) {
    window.ContentWidget()->hide();
    Registry& registry = TheRegistry();
    for (auto it = registry.open.begin(); it != registry.open.end(); ++it) {
        if (it->second.get() == &window) {
            registry.closed.push_back(std::move(it->second));
            registry.open.erase(it);
            break;
        }
    }
    registry.deferred.erase(std::remove(registry.deferred.begin(), registry.deferred.end(), &window),
                            registry.deferred.end());
    if (registry.depth == 0)
        ScheduleReaping();
}

} // namespace

HandlerScope::HandlerScope() {
    ++TheRegistry().depth;
}
HandlerScope::~HandlerScope() {
    if (--TheRegistry().depth == 0)
        ScheduleReaping();
}
int HandlerDepth() {
    return TheRegistry().depth;
}

void BeginDeferringOpenings() {
    TheRegistry().deferring = true;
}
void StopDeferringOpenings() {
    TheRegistry().deferring = false;
}

class ContentWidget : public QWidget {
public:
    explicit ContentWidget(Window& window) : window_(window) {
        setMouseTracking(true);
        setFocusPolicy(Qt::ClickFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        auto& impl = WindowAccess::Of(window_);
        QPainter painter(this);
        painter.fillRect(rect(),
                         impl.hasBackColor ? ToQColor(impl.backColor) : palette().color(QPalette::Window));
        if (impl.backdrop)
            painter.drawImage(0, 0, impl.backdrop.Image());
        for (const Control* control : impl.controls) {
            if (control->Widget() == nullptr && control->Visible())
                WindowAccess::DrawLight(*control, painter);
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) {
            event->ignore();
            return;
        }
        HandlerScope scope;
        auto& impl = WindowAccess::Of(window_);
        const QPoint at = event->position().toPoint();
        impl.capturedShape = nullptr;
        impl.windowCaptured = false;
        for (auto it = impl.controls.rbegin(); it != impl.controls.rend(); ++it) {
            Control* shape = *it;
            if (shape->Widget() != nullptr || !shape->Visible() || !shape->Enabled() || !shape->MouseDown ||
                !WindowAccess::HitLight(*shape, at.x(), at.y()))
                continue;
            if (shape->MouseDown(at.x() - shape->Left(), at.y() - shape->Top()))
                impl.capturedShape = shape;
            return;
        }
        impl.windowCaptured = WindowAccess::MouseDown(window_, at.x(), at.y());
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        HandlerScope scope;
        auto& impl = WindowAccess::Of(window_);
        const QPoint at = event->position().toPoint();
        if (event->buttons() & Qt::LeftButton) {
            if (impl.capturedShape != nullptr) {
                if (impl.capturedShape->MouseDrag)
                    impl.capturedShape->MouseDrag(at.x() - impl.capturedShape->Left(),
                                                  at.y() - impl.capturedShape->Top());
            } else if (impl.windowCaptured) {
                WindowAccess::MouseDrag(window_, at.x(), at.y());
            }
            return;
        }
        WindowAccess::MouseMove(window_, at.x(), at.y());
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) {
            event->ignore();
            return;
        }
        HandlerScope scope;
        auto& impl = WindowAccess::Of(window_);
        const QPoint at = event->position().toPoint();
        Control* shape = impl.capturedShape;
        const bool windowCaptured = impl.windowCaptured;
        impl.capturedShape = nullptr;
        impl.windowCaptured = false;
        if (shape != nullptr) {
            if (shape->MouseUp)
                shape->MouseUp(at.x() - shape->Left(), at.y() - shape->Top());
        } else if (windowCaptured) {
            WindowAccess::MouseUp(window_, at.x(), at.y());
        }
    }

    void enterEvent(QEnterEvent*) override {
        HandlerScope scope;
        WindowAccess::MouseEnter(window_);
    }

    void leaveEvent(QEvent*) override {
        HandlerScope scope;
        WindowAccess::MouseExit(window_);
    }

    void keyPressEvent(QKeyEvent* event) override {
        const std::string key = KeyText(*event);
        if (key.empty()) {
            event->ignore();
            return;
        }
        HandlerScope scope;
        if (WindowAccess::KeyDown(window_, key))
            return;
        auto& impl = WindowAccess::Of(window_);
        if (key == "\r" && impl.defaultButton != nullptr && !impl.closed) {
            impl.defaultButton->Push();
            return;
        }
        event->ignore();
    }

    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        auto& impl = WindowAccess::Of(window_);
        if (impl.closeButton && !impl.closed) {
            HandlerScope scope;
            window_.Close();
        }
    }

private:
    Window& window_;
};

void WindowAccess::SetDefaultButton(Window& window, PushButton* button) {
    Of(window).defaultButton = button;
}

void WindowAccess::ForgetControl(Window& window, const Control& control) {
    Window::Impl& impl = Of(window);
    impl.controls.erase(std::remove(impl.controls.begin(), impl.controls.end(), &control),
                        impl.controls.end());
    if (impl.capturedShape == &control)
        impl.capturedShape = nullptr;
    if (impl.defaultButton == &control)
        impl.defaultButton = nullptr;
    // No virtual call here: the control is being destroyed.
    impl.content->update();
}

bool WindowAccess::IsClosing(const Window& window) {
    return Of(window).closed;
}

} // namespace detail

using detail::ToQ;

Window::Impl::Impl(Window& owner) : self(owner), content(std::make_unique<detail::ContentWidget>(owner)) {}

Window::Impl::~Impl() = default;

void Window::Impl::ApplyFlags() {
    Qt::WindowFlags flags = frame == 3   ? Qt::WindowFlags(Qt::Tool)
                            : frame == 1 ? Qt::WindowFlags(Qt::Dialog)
                                         : Qt::WindowFlags(Qt::Window);
    if (!closeButton)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint;
    const bool wasVisible = content->isVisible();
    content->setWindowFlags(flags);
    if (wasVisible)
        content->show();
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
    // The controls that are members of the subclass are gone already. Any other control that
    // outlives the window forgets it; the content widget, with what is left on it, goes last.
    for (Control* control : impl_->controls)
        control->window_ = nullptr;
    impl_->controls.clear();
}

std::string Window::Title() const {
    return detail::FromQ(impl_->content->windowTitle());
}
void Window::SetTitle(const std::string& title) {
    impl_->content->setWindowTitle(ToQ(title));
}

std::int32_t Window::Left() const {
    return impl_->content->geometry().x();
}
std::int32_t Window::Top() const {
    return impl_->content->geometry().y();
}
std::int32_t Window::Width() const {
    return impl_->content->width();
}
std::int32_t Window::Height() const {
    return impl_->content->height();
}

void Window::SetLeft(std::int32_t left) {
    const QRect geometry = impl_->content->geometry();
    impl_->content->setGeometry(left, geometry.y(), geometry.width(), geometry.height());
}
void Window::SetTop(std::int32_t top) {
    const QRect geometry = impl_->content->geometry();
    impl_->content->setGeometry(geometry.x(), top, geometry.width(), geometry.height());
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
void Window::SetPlacement(std::int32_t /*placement*/) {}
void Window::SetCloseButton(bool hasCloseButton) {
    impl_->closeButton = hasCloseButton;
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
void Window::SetMenuBar(MenuBar* bar) {
    impl_->menuBar = bar;
}
MenuBar* Window::WindowMenuBar() const {
    return impl_->menuBar;
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
    impl_->content->show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        impl_->content->raise();
    impl_->content->activateWindow();
}

void Window::Hide() {
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

namespace {

void OpenAndShow(Window& window, bool visibleWhenCreated) {
    {
        detail::HandlerScope scope;
        detail::WindowAccess::Open(window);
    }
    if (window.IsOpen() && visibleWhenCreated)
        window.Show();
}

} // namespace

Window& WindowRegistry::Reach(std::type_index type, const std::function<std::unique_ptr<Window>()>& factory) {
    detail::Registry& registry = detail::TheRegistry();
    auto found = registry.open.find(type);
    if (found != registry.open.end())
        return *found->second;
    std::unique_ptr<Window> created = factory();
    Window& window = *created;
    registry.open[type] = std::move(created);
    try {
        detail::HandlerScope scope;
        window.Layout();
        window.CreateControls();
    } catch (...) {
        if (!window.impl_->closed) {
            window.impl_->closed = true;
            detail::Retire(window);
        }
        throw;
    }
    if (!window.IsOpen())
        return window;
    if (registry.deferring) {
        registry.deferred.push_back(&window);
        return window;
    }
    OpenAndShow(window, window.impl_->visibleWhenCreated);
    return window;
}

Window* WindowRegistry::Find(std::type_index type) {
    detail::Registry& registry = detail::TheRegistry();
    auto found = registry.open.find(type);
    return found == registry.open.end() ? nullptr : found->second.get();
}

void WindowRegistry::RunDeferredOpenings() {
    detail::Registry& registry = detail::TheRegistry();
    registry.deferring = false;
    while (!registry.deferred.empty()) {
        Window* window = registry.deferred.front();
        registry.deferred.erase(registry.deferred.begin());
        OpenAndShow(*window, window->impl_->visibleWhenCreated);
    }
}

bool WindowRegistry::DeferringOpenings() {
    return detail::TheRegistry().deferring;
}

void WindowRegistry::DiscardAll() {
    detail::Registry& registry = detail::TheRegistry();
    registry.deferred.clear();
    while (!registry.open.empty())
        registry.open.begin()->second->Close();
    ReapClosed();
}

void WindowRegistry::ReapClosed() {
    detail::Registry& registry = detail::TheRegistry();
    if (registry.depth > 0)
        return;
    while (!registry.closed.empty()) {
        std::vector<std::unique_ptr<Window>> dying;
        dying.swap(registry.closed);
        dying.clear();
    }
}

} // namespace rt
