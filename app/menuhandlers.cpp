#include "app/menuhandlers.h"

#include "app/app.h"
#include "app/finestrainfo.h"
#include "rt/window.h"

namespace ambrelix {

bool App::_AppleAmbrelixInfo_Action() {
    rt::Instance<finestrainfo>().Show();
    return false;
}

} // namespace ambrelix

void _ApplicationAddMenuHandlers() {
    ambrelix::App& app = App();
    app.AddMenuHandler("AppleAmbrelixInfo", [&app] { return app._AppleAmbrelixInfo_Action(); });
    app.AddMenuHandler("ExportTextXYZ", [&app] { return app._ExportTextXYZ_Action(); });
    app.AddMenuHandler("ExportCopyGDLText", [&app] { return app._ExportCopyGDLText_Action(); });
    app.AddMenuHandler("ExportTextGDL", [&app] { return app._ExportTextGDL_Action(); });
    app.AddMenuHandler("ExportQD3D", [&app] { return app._ExportQD3D_Action(); });
    app.AddMenuHandler("ExportDXF", [&app] { return app._ExportDXF_Action(); });
}
