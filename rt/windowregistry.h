#pragma once
// The single-instance registry: every window class has at most one open instance, reached
// through rt::Instance<W>().

#include <functional>
#include <memory>
#include <typeindex>

namespace rt {

class Window;

class WindowRegistry {
public:
    // Whether reaching a class shows the window it creates: as its record says, or not yet.
    enum class Showing { AsRecorded, NotYet };
    // Reaches the instance of a class, creating it with the factory when there is none.
    static Window& Reach(std::type_index type, const std::function<std::unique_ptr<Window>()>& factory,
                         Showing showing = Showing::AsRecorded);
    // The open instance of a class, or null.
    static Window* Find(std::type_index type);
    // Windows reached before the event loop runs are laid out and get their controls at once;
    // their Open events and their showing wait until the application's Open event has run.
    static void RunDeferredOpenings();

    // Closes every open window (each runs its Event_Close) and destroys them when no handler is
    // running. At the end of a run and between tests.
    static void DiscardAll();
    // Destroys the windows closed so far, unless a handler is still running (then that happens
    // once it returns).
    static void ReapClosed();
};

template <class W> W& Instance() {
    return static_cast<W&>(
        WindowRegistry::Reach(typeid(W), [] { return std::unique_ptr<Window>(std::make_unique<W>()); }));
}

// Reaches the instance as Instance<W>() does, but a window it creates stays hidden until the
// caller shows it, ready: a window that is filled at length is mapped once.
template <class W> W& InstanceNotShown() {
    return static_cast<W&>(WindowRegistry::Reach(
        typeid(W), [] { return std::unique_ptr<Window>(std::make_unique<W>()); },
        WindowRegistry::Showing::NotYet));
}

// The open instance, or null; never creates one.
template <class W> W* OpenInstance() {
    return static_cast<W*>(WindowRegistry::Find(typeid(W)));
}

// Closes the instance when one is open; creates none.
template <class W> void CloseIfOpen() {
    if (W* window = OpenInstance<W>())
        window->Close();
}

} // namespace rt
