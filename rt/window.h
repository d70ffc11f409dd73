#pragma once
// Windows. Every window class has one instance, reached through rt::Instance<W>(): reaching it
// creates it (its record in Layout, its controls in CreateControls, then Event_Open) and shows it
// when its record says visible. Close discards it with its controls; reaching it again creates a
// new one.

#include <cstdint>
#include <memory>
#include <string>

#include "rt/conv.h"
#include "rt/picture.h"
#include "rt/windowregistry.h"

class QWidget;

namespace rt {

class Control;
class MenuBar;
class MouseCursor;
namespace detail {
struct WindowAccess;
}

class Window {
public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Window record.
    std::string Title() const;
    void SetTitle(const std::string& title);
    // Position and size of the content area, in pixels.
    std::int32_t Left() const;
    std::int32_t Top() const;
    std::int32_t Width() const;
    std::int32_t Height() const;
    void SetLeft(std::int32_t left);
    void SetTop(std::int32_t top);
    void SetWidth(std::int32_t width);
    void SetHeight(std::int32_t height);
    void SetMinimumSize(std::int32_t width, std::int32_t height);
    void SetMaximumSize(std::int32_t width, std::int32_t height);
    // Frame kinds: 0 document, 1 fixed-size dialog (modeless), 3 tool window. Placement kinds 1 to
    // 3 centre a window given no position on the main screen when it is first shown; other
    // kinds leave windows that set no position to the window manager.
    void SetFrame(std::int32_t frame);
    void SetPlacement(std::int32_t placement);
    // The title bar's boxes, each set on its own.
    void SetCloseButton(bool hasCloseButton);
    void SetMinimizeButton(bool hasMinimizeButton);
    void SetMaximizeButton(bool hasMaximizeButton);
    void SetResizeable(bool resizeable);
    void SetBackColor(Color color); // also sets HasBackColor
    bool HasBackColor() const;
    Color BackColor() const;
    // Whether Instance<W>() shows the window once it has opened (true unless set otherwise).
    void SetVisibleWhenCreated(bool visible);
    // Installs the application's menu bar. The strip shows the one menu bar whatever window is
    // in front, so a window needs nothing more.
    void SetMenuBar(MenuBar* /*bar*/) {}

    // A picture drawn under the light shapes (nil: the back colour).
    Picture Backdrop() const;
    void SetBackdrop(const Picture& picture);
    // The cursor while the pointer is inside (null: the default arrow).
    void SetMouseCursor(const MouseCursor* cursor);

    bool IsOpen() const;
    bool Visible() const;
    void Show();
    void Hide();
    // Discards the window and its controls (the object itself is destroyed once the running
    // handler returns). A closed window stays closed: reaching its class creates a new one.
    void Close();
    // Repaints at once.
    void Refresh();

    // The content (back colour or backdrop, controls and light shapes) as a picture.
    Picture DrawIntoPicture() const;

    // For the runtime and tests: the content widget.
    QWidget* ContentWidget() const;

protected:
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void Event_Open() {}
    // Runs when the window is being closed, before its controls go.
    virtual void Event_Close() {}
    // The key typed, as text: printable characters as they are; arrows as "\x1c" left, "\x1d"
    // right, "\x1e" up, "\x1f" down; Return "\r", Backspace "\x08", Delete "\x7f", Escape
    // "\x1b", Tab "\t". True consumes the key.
    virtual bool Event_KeyDown(const std::string& /*key*/) { return false; }
    // A press on no control and no light shape; window coordinates. True receives the press's
    // MouseDrag and MouseUp.
    virtual bool Event_MouseDown(std::int32_t /*x*/, std::int32_t /*y*/) { return false; }
    virtual void Event_MouseDrag(std::int32_t, std::int32_t) {}
    virtual void Event_MouseUp(std::int32_t, std::int32_t) {}
    virtual void Event_MouseMove(std::int32_t, std::int32_t) {}
    virtual void Event_MouseEnter() {}
    virtual void Event_MouseExit() {}

private:
    friend class Control;
    friend class WindowRegistry;
    friend struct detail::WindowAccess;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace rt
