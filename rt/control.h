#pragma once
// The base of every control. A control object is declared in its window (as a member, or as a
// member of a ControlArray) and comes to life when the window's CreateControls calls Create:
// controls are created, stacked and drawn in the order of their Create calls.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "rt/conv.h"

class QPainter;
class QWidget;

namespace rt {

class Window;
namespace detail {
struct WindowAccess;
}

class Control {
public:
    Control();
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Places the control in its window. Runs the control's Open event afterwards.
    void Create(Window& window, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
    Window* ParentWindow() const { return window_; }

    // Member number within a control array; -1 for a control of its own.
    std::int32_t Index() const { return index_; }

    std::int32_t Left() const;
    std::int32_t Top() const;
    std::int32_t Width() const;
    std::int32_t Height() const;
    void SetLeft(std::int32_t left);
    void SetTop(std::int32_t top);
    void SetWidth(std::int32_t width);
    void SetHeight(std::int32_t height);

    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // Shown as a tooltip.
    std::string HelpTag() const;
    void SetHelpTag(const std::string& text);

    void SetFocus();
    bool HasFocus() const;
    // Repaints at once.
    void Refresh();

    // Events. Mouse positions are relative to the control. A MouseDown that returns true
    // receives the MouseDrag and MouseUp events of that press.
    std::function<void()> Open;
    std::function<bool(std::int32_t x, std::int32_t y)> MouseDown;
    std::function<void(std::int32_t x, std::int32_t y)> MouseDrag;
    std::function<void(std::int32_t x, std::int32_t y)> MouseUp;
    std::function<void(std::int32_t x, std::int32_t y)> MouseMove;
    std::function<void()> MouseEnter;
    std::function<void()> MouseExit;

    // For the runtime: null for light shapes, which have no widget of their own.
    virtual QWidget* Widget() const = 0;

protected:
    // Creates the native widget (or registers a light shape) inside the window's content.
    virtual void CreateNative(Window& window) = 0;
    // Copies this control's settings, not its events, onto another of the same class (used by
    // ControlArray::AddCopy).
    virtual void CopySettingsTo(Control& other) const;

    // Geometry and state kept for controls before they are created and for light shapes.
    struct Geometry {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
        bool visible = true, enabled = true;
        std::string helpTag;
    };
    Geometry geometry_;
    // How far beyond its box a press still hits a light shape (a thin line's reach).
    std::int32_t hitReach_ = 0;

    // Runs after Left, Top, Width or Height changed; `before` holds the old values.
    virtual void GeometryChanged(const Geometry& before);
    // Light shapes: drawing over the window's backdrop and the hit test, in window coordinates.
    virtual void DrawLight(QPainter& /*painter*/) const {}
    virtual bool HitLight(std::int32_t /*x*/, std::int32_t /*y*/) const { return false; }

private:
    template <class T> friend class ControlArray;
    friend class Window;
    friend struct detail::WindowAccess;
    void ApplyGeometry(const Geometry& before);
    Window* window_ = nullptr;
    std::int32_t index_ = -1;
};

} // namespace rt
