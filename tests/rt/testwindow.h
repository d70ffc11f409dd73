#pragma once
// A window for the runtime's tests: its layout, controls and events are functions a test sets
// before reaching it. Each Tag is a class of its own, so several can be open at once.

#include "rt/controls.h"
#include "rt/window.h"
#include <functional>
#include <string>

template <int Tag = 0> class TestWindow : public rt::Window {
public:
    using Hook = std::function<void(TestWindow&)>;
    static inline Hook layout, controls, open;
    // Key presses ("key " and the key) and mouse events ("down x,y", "drag x,y", "up x,y"); its
    // result is what the window's own handler returns.
    static inline std::function<bool(const std::string&)> event;
    static inline int destroyed = 0;
    rt::PushButton Ok, Cancel;
    rt::CheckBox Box;
    // Forgets the functions of an earlier test.
    static void Reset() {
        layout = controls = open = nullptr;
        event = nullptr;
        destroyed = 0;
    }
    ~TestWindow() override { ++destroyed; }

protected:
    void Layout() override { Run(layout); }
    void CreateControls() override { Run(controls); }
    void Event_Open() override { Run(open); }
    bool Event_KeyDown(const std::string& key) override { return Report("key " + key); }
    bool Event_MouseDown(std::int32_t x, std::int32_t y) override { return Report("down", x, y); }
    void Event_MouseDrag(std::int32_t x, std::int32_t y) override { Report("drag", x, y); }
    void Event_MouseUp(std::int32_t x, std::int32_t y) override { Report("up", x, y); }

private:
    void Run(const Hook& hook) {
        if (hook)
            hook(*this);
    }
    bool Report(const std::string& what, std::int32_t x, std::int32_t y) {
        return Report(what + " " + std::to_string(x) + "," + std::to_string(y));
    }
    static bool Report(const std::string& what) { return event && event(what); }
};
