#include "app/app.h"

#include <new>
#include <stdexcept>

#include "app/finstart.h"
#include "app/globalilocalizza.h"
#include "app/menu.h"
#include "app/preferences.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/screenarea.h"
#include "rt/conv.h"
#include "rt/dialogs.h"
#include "rt/runtime.h"
#include "rt/window.h"
#include "views/fincontrol.h"

namespace ambrelix {

void App::Event_Close() {
    preferences::WriteLanguage(globali::lingua);
}

void App::Event_UnhandledException(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        rt::MsgBox("Not enough memory: the command could not be completed!\r\r"
                   "Memoria insufficiente: non è stato possibile completare il comando!");
    } catch (...) {
        rt::MsgBox("The command could not be completed!\r\rNon è stato possibile completare il comando!");
    }
}

void App::Event_Open() {
    globali::lingua = preferences::ReadLanguage();
    Globalilocalizza::ApplyLanguage();
    rt::Instance<finstart>().Show();

    globali::assx = fincontrol::kIsometricAngle;
    globali::assy = fincontrol::kIsometricAngle;
    globali::assz = 1.0;
    globali::celamesh = false;

    screenarea::Take(screenarea::OfDesktop());

    globali::terreno = nullptr;
    Inizio::ambiente = 0;
    Inizio::engine3d = 0;

    rt::EnableMenuItems();

    globali::col_3d = rt::HSV(0.25, 0.5, 0.5);
    Inizio::gammanosel = rt::HSV(0.25, 0.7, 0.7);
    Inizio::gammasisel = rt::HSV(0, 1.0, 0.7);
}

void App::Event_EnableMenuItems() {
    AppleAmbrelixInfo().Enable();
    FilePointEditor().Enable();
    FileOpenImage().Enable();
    FileImport().Enable();
    ImportXYZ().Enable();
    ImportPowerCADDdata().Enable();
    ImportDXF().Enable();
    ExportDXF().Enable();

    if (Inizio::ambiente == 0) {
        FileExport().SetEnabled(false);
        EditEditMesh().SetEnabled(false);
    } else if (Inizio::ambiente == 1) {
        FileExport().SetEnabled(true);
        ExportTextXYZ().SetEnabled(false);
        ExportTextGDL().SetEnabled(false);
        ExportQD3D().SetEnabled(false);
        ExportCopyGDLText().SetEnabled(false);
        EditEditMesh().SetEnabled(false);
    } else if (Inizio::ambiente == 2) {
        FileExport().SetEnabled(true);
        ExportTextXYZ().SetEnabled(true);
        ExportTextGDL().SetEnabled(true);
        ExportQD3D().SetEnabled(true);
        ExportCopyGDLText().SetEnabled(true);
        EditEditMesh().SetEnabled(true);
    }
}

} // namespace ambrelix

ambrelix::App& App() {
    auto* app = dynamic_cast<ambrelix::App*>(rt::Application::Current());
    if (app == nullptr)
        throw std::logic_error("no application object");
    return *app;
}
