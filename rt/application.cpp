#include "rt/application.h"

#include <QApplication>
#include <QEventLoop>
#include <QtGlobal>
#include <map>
#include <stdexcept>

#include "rt/desktop/dialogplacement.h"
#include "rt/desktop/framemargins.h"
#include "rt/desktop/keyboardreturn.h"
#include "rt/desktop/strip.h"
#include "rt/menustrip.h"
#include "rt/widgetinternal.h"
#include "rt/window.h"
#include "rt/windowimpl.h"

namespace rt {

namespace {

Application* currentApplication = nullptr;

void LogUnhandledException(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& failure) {
        qWarning("A command failed: %s", failure.what());
    } catch (...) {
        qWarning("A command failed.");
    }
}

} // namespace

struct Application::Impl {
    MenuBar* menuBar = nullptr;
    std::map<std::string, std::function<bool()>> handlers;
    std::unique_ptr<MenuStrip> strip;
    std::unique_ptr<detail::DialogPlacement> dialogPlacement;
    std::unique_ptr<detail::KeyboardReturn> keyboardReturn;
    bool running = false;
    bool quitRequested = false;
    QEventLoop* loop = nullptr;
};

Application::Application() : impl_(std::make_unique<Impl>()) {}

Application::~Application() {
    if (impl_->strip != nullptr && detail::Strip() == impl_->strip.get())
        detail::SetStrip(nullptr);
    if (currentApplication == this) {
        currentApplication = nullptr;
        detail::StopDeferringOpenings();
    }
}

Application* Application::Current() {
    return currentApplication;
}

void Application::Register() {
    currentApplication = this;
    detail::BeginDeferringOpenings();
}

MenuBar* Application::GetMenuBar() const {
    return impl_->menuBar;
}

void Application::SetMenuBar(MenuBar* bar) {
    impl_->menuBar = bar;
    detail::SetStrip(nullptr);
    impl_->strip.reset();
    impl_->keyboardReturn.reset();
    impl_->dialogPlacement.reset();
    if (bar == nullptr)
        return;
    // Asked now, the manager has said whether it answers frame requests before a window shows.
    detail::ProbeManager();
    impl_->dialogPlacement = std::make_unique<detail::DialogPlacement>();
    impl_->keyboardReturn = std::make_unique<detail::KeyboardReturn>();
    impl_->strip = std::make_unique<MenuStrip>(*this, *bar);
    detail::SetStrip(impl_->strip.get());
    impl_->strip->show();
}

void Application::AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
    impl_->handlers[itemName] = std::move(handler);
}

std::function<bool()> Application::MenuHandler(const std::string& itemName) const {
    auto found = impl_->handlers.find(itemName);
    return found == impl_->handlers.end() ? std::function<bool()>() : found->second;
}

void Application::EnableMenuItems() {
    detail::HandlerScope scope;
    Event_EnableMenuItems();
}

int Application::Run() {
    QGuiApplication::setQuitOnLastWindowClosed(false);
    impl_->running = true;
    impl_->quitRequested = false;
    detail::Guarded([this] { Event_Open(); });
    detail::Guarded([] { WindowRegistry::RunDeferredOpenings(); });
    if (!impl_->quitRequested) {
        QEventLoop loop;
        impl_->loop = &loop;
        loop.exec();
        impl_->loop = nullptr;
    }
    detail::Guarded([this] { Event_Close(); });
    impl_->running = false;
    WindowRegistry::DiscardAll();
    if (impl_->strip)
        impl_->strip->hide();
    return 0;
}

void Application::Quit() {
    impl_->quitRequested = true;
    if (impl_->loop != nullptr)
        impl_->loop->exit(0);
}

void Application::ReportUnhandledException(const std::exception_ptr& error) {
    if (currentApplication == nullptr) {
        LogUnhandledException(error);
        return;
    }
    detail::HandlerScope scope;
    currentApplication->Event_UnhandledException(error);
}

void Application::Event_UnhandledException(const std::exception_ptr& error) {
    LogUnhandledException(error);
}

MenuStrip* Application::Strip() const {
    return impl_->strip.get();
}

void EnableMenuItems() {
    if (Application* application = Application::Current())
        application->EnableMenuItems();
}

} // namespace rt
