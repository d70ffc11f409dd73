#include "rt/windowregistry.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <map>
#include <vector>

#include "rt/widgetinternal.h"
#include "rt/window.h"
#include "rt/windowimpl.h"

namespace rt {
namespace detail {

namespace {

struct Registry {
    std::map<std::type_index, std::unique_ptr<Window>> open;
    // Windows laid out before the event loop runs, waiting for their opening.
    std::vector<std::pair<Window*, WindowRegistry::Showing>> deferred;
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

void OpenAndShow(Window& window, WindowRegistry::Showing showing) {
    {
        HandlerScope scope;
        WindowAccess::Open(window);
    }
    if (window.IsOpen() && WindowAccess::Of(window).visibleWhenCreated &&
        showing == WindowRegistry::Showing::AsRecorded)
        window.Show();
}

} // namespace

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
    registry.deferred.erase(std::remove_if(registry.deferred.begin(), registry.deferred.end(),
                                           [&](const auto& entry) { return entry.first == &window; }),
                            registry.deferred.end());
    if (registry.depth == 0)
        ScheduleReaping();
}

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

} // namespace detail

Window& WindowRegistry::Reach(std::type_index type, const std::function<std::unique_ptr<Window>()>& factory,
                              Showing showing) {
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
        if (window.IsOpen()) {
            detail::WindowAccess::Of(window).closed = true;
            detail::Retire(window);
        }
        throw;
    }
    if (!window.IsOpen())
        return window;
    if (registry.deferring) {
        registry.deferred.emplace_back(&window, showing);
        return window;
    }
    detail::OpenAndShow(window, showing);
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
        const auto [window, showing] = registry.deferred.front();
        registry.deferred.erase(registry.deferred.begin());
        detail::OpenAndShow(*window, showing);
    }
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
