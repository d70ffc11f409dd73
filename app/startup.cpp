#include "app/startup.h"

#include <exception>
#include <iostream>
#include <memory>

#include "app/app.h"
#include "app/filetypes.h"
#include "app/finstart.h"
#include "app/menu.h"
#include "app/menuhandlers.h"
#include "modes/modeswitches.h"
#include "views/fincontrolpanel.h"

namespace ambrelix {

namespace {

std::unique_ptr<App>& AppInstance() {
    static std::unique_ptr<App> instance;
    return instance;
}

} // namespace

void InitFileTypes() {
    FileTypes::Initialize();
}

void NewAppInstance() {
    DiscardAppInstance();
    auto& instance = AppInstance();
    instance = std::make_unique<App>();
    instance->SetMenuBar(&::Menu());
    instance->Register();
    ApplicationAddMenuHandlers();
    FincontrolPanel::InstallForProgram();
    ModeSwitches::InstallForProgram();
}

void MakeDefaultView() {
    rt::Instance<finstart>();
}

void DiscardAppInstance() {
    AppInstance().reset();
}

int Main() {
    int status = 1;
    try {
        InitFileTypes();
        NewAppInstance();
        MakeDefaultView();
        status = ::App().Run();
    } catch (const std::exception& error) {
        std::cerr << "Ambrelix: unhandled exception: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "Ambrelix: unhandled exception\n";
    }
    // The application object and its menu strip go before the runtime ends.
    DiscardAppInstance();
    return status;
}

} // namespace ambrelix
