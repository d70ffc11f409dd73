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
#include "rt/shapearray.h"
#include "rt/window.h"

namespace rt {

class PushButton;

namespace detail {

class ContentWidget;

// One entry of a window's stacking order: a control, or members first..last (by position in
// their table) of a shape array.
struct StackEntry {
    Control* control = nullptr;
    ShapeArray* array = nullptr;
    std::int32_t first = 0, last = 0;
};

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
        return NearBox({box.left, box.top, box.width, box.height}, control.hitReach_, x, y);
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
    // Shape arrays: member `slot` joins the stacking order; the array leaves it.
    static void Stack(Window& window, ShapeArray& array, std::int32_t slot);
    static void ForgetArray(Window& window, const ShapeArray& array);
    // The window closes: its shape arrays drop their members and leave it.
    static void ReleaseArrays(Window& window);
    static void Paint(const ShapeArray& array, QPainter& painter, const QRect& area, std::int32_t first,
                      std::int32_t last) {
        array.Paint(painter, area, first, last);
    }
    static std::int32_t TopAt(const ShapeArray& array, std::int32_t x, std::int32_t y, std::int32_t first,
                              std::int32_t last, bool includeDisabled) {
        return array.TopAt(x, y, first, last, includeDisabled);
    }
    static std::int32_t NumberAt(const ShapeArray& array, std::int32_t slot) { return array.NumberAt(slot); }
    static ShapeBox BoxAt(const ShapeArray& array, std::int32_t slot) { return array.BoxAt(slot); }
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
    std::int32_t frame = 0;
    // A window with a dialog's frame that opened from no window of the program shows as a window
    // of its own.
    bool ownerless = false;
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
    // Every created control and shape array member in creation order; light shapes are drawn and
    // hit-tested from here.
    std::vector<detail::StackEntry> stack;
    // Controls destroyed after their window closed: left in `controls`, which nothing reads any
    // more but the window's destructor, so that discarding a window of many controls stays linear.
    std::unordered_set<const Control*> forgotten;
    Control* capturedShape = nullptr;
    bool windowCaptured = false;
    PushButton* defaultButton = nullptr;
    PushButton* cancelButton = nullptr;
};

} // namespace rt
