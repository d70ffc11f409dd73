#pragma once
// Internal: the window's state and its content widget, shared by the window, the controls and
// the light shapes.

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "rt/control.h"
#include "rt/window.h"

namespace rt {

class PushButton;

namespace detail {

class ContentWidget;

// The runtime's access to the protected and private parts of windows and controls.
struct WindowAccess {
    static Window::Impl& Of(const Window& window) { return *window.impl_; }
    static void DrawLight(const Control& control, QPainter& painter) { control.DrawLight(painter); }
    static bool HitLight(const Control& control, std::int32_t x, std::int32_t y) {
        return control.HitLight(x, y);
    }
    // False when the press lies beyond the light shape's box and reach: no need to ask it.
    static bool MayHitLight(const Control& control, std::int32_t x, std::int32_t y) {
        const Control::Geometry& box = control.geometry_;
        const std::int64_t reach = control.hitReach_;
        return x >= box.left - reach && y >= box.top - reach &&
               x <= std::int64_t{box.left} + box.width + reach &&
               y <= std::int64_t{box.top} + box.height + reach;
    }
    static void Open(Window& window) { window.Event_Open(); }
    static bool KeyDown(Window& window, const std::string& key) { return window.Event_KeyDown(key); }
    static bool MouseDown(Window& window, std::int32_t x, std::int32_t y) {
        return window.Event_MouseDown(x, y);
    }
    static void MouseDrag(Window& window, std::int32_t x, std::int32_t y) { window.Event_MouseDrag(x, y); }
    static void MouseUp(Window& window, std::int32_t x, std::int32_t y) { window.Event_MouseUp(x, y); }
    static void MouseMove(Window& window, std::int32_t x, std::int32_t y) { window.Event_MouseMove(x, y); }
    static void MouseEnter(Window& window) { window.Event_MouseEnter(); }
    static void MouseExit(Window& window) { window.Event_MouseExit(); }
    // Makes the button the window's default (Return) or cancel (Escape) button, or, with false,
    // stops it being that when it is.
    static void SetDefaultButton(Window& window, PushButton& button, bool isDefault);
    static void SetCancelButton(Window& window, PushButton& button, bool isCancel);
    static void ForgetControl(Window& window, const Control& control);
    static bool IsClosing(const Window& window);
};

// Openings are deferred from the registration of the application object until the first
// RunDeferredOpenings.
void BeginDeferringOpenings();
void StopDeferringOpenings();
// Hides a closed window and hands it from the open ones to those waiting to be destroyed.
void Retire(Window& window);

} // namespace detail

struct Window::Impl {
    explicit Impl(Window& owner);
    ~Impl();

    void ApplyFlags();
    void Resize(std::int32_t width, std::int32_t height);
    void ApplySizeLimits();

    Window& self;
    std::unique_ptr<detail::ContentWidget> content;
    bool hasBackColor = false;
    Color backColor = 0xFFFFFF;
    Picture backdrop;
    bool visibleWhenCreated = true;
    MenuBar* menuBar = nullptr;
    std::int32_t frame = 0;
    // Placement kinds 1 to 3 centre a window that was given no position on the main screen when
    // it is first shown.
    std::int32_t placement = 0;
    bool positioned = false;
    bool shownOnce = false;
    bool closeButton = true;
    bool minimizeButton = true;
    bool maximizeButton = true;
    bool resizeable = true;
    std::int32_t minWidth = 0, minHeight = 0, maxWidth = QWIDGETSIZE_MAX, maxHeight = QWIDGETSIZE_MAX;
    bool closed = false;
    // Every created control in creation order; light shapes are drawn and hit-tested from here.
    std::vector<Control*> controls;
    // Controls destroyed after their window closed: left in `controls`, which nothing reads any
    // more but the window's destructor, so that discarding a window of many controls stays linear.
    std::unordered_set<const Control*> forgotten;
    Control* capturedShape = nullptr;
    bool windowCaptured = false;
    PushButton* defaultButton = nullptr;
    PushButton* cancelButton = nullptr;
};

} // namespace rt
