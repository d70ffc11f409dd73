#pragma once
// The application object and the event loop. One thread; closing the last window does not quit,
// only Quit does.

#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace rt {

class MenuBar;

class Application {
public:
    // Starts Qt (a QApplication) when it is not running yet.
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The registered application object, or null.
    static Application* Current();
    // Makes this the application object (_RuntimeRegisterAppObject).
    void Register();

    MenuBar* GetMenuBar() const;
    // Shows the bar in the menu strip, a thin top-level window across the top of the screen.
    void SetMenuBar(MenuBar* bar);
    // Binds a menu item, by name, to a handler; choosing the item (mouse or shortcut) runs it.
    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    // The handler bound to an item name, or an empty function.
    std::function<bool()> MenuHandler(const std::string& itemName) const;

    // Runs Event_EnableMenuItems now. The runtime also runs it before a menu opens.
    void EnableMenuItems();

    // The event loop: delivers the application's Open event, then the openings of windows
    // reached before it (RunDeferredOpenings), then events until Quit. Runs Event_Close before
    // returning; returns the exit status.
    int Run();
    // Ends the loop once the running handler returns.
    void Quit();

    // Hands an exception that escaped a handler to the registered application object's
    // Event_UnhandledException (logs it when there is none). The runtime calls it once the
    // outermost handler has returned.
    static void ReportUnhandledException(const std::exception_ptr& error);

    // The menu strip (for tests); null before SetMenuBar.
    class MenuStrip* Strip() const;

protected:
    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual void Event_EnableMenuItems() {}
    // A command ended with an exception that nothing caught; the program goes on. Logs it.
    virtual void Event_UnhandledException(const std::exception_ptr& error);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Asks the application object to bring the menus' enabling up to date, at once.
void EnableMenuItems();

} // namespace rt
