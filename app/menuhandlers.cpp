#include "app/menuhandlers.h"

#include "app/app.h"
#include "app/finestrainfo.h"
#include "input/fingestionepunti.h"
#include "input/finingombro.h"
#include "input/readers.h"
#include "input/setdxf.h"
#include "input/twodmode.h"
#include "model/inizio.h"
#include "rt/window.h"

namespace ambrelix {

bool App::AppleAmbrelixInfo_Action() {
    rt::Instance<finestrainfo>().Show();
    return false;
}

bool App::EditEditMesh_Action() {
    rt::Instance<finingombro>().Show();
    return false;
}

bool App::ImportXYZ_Action() {
    Inizio::apritesto();
    return false;
}

bool App::ImportPowerCADDdata_Action() {
    Inizio::apripcaddtesto();
    return false;
}

bool App::ImportDXF_Action() {
    rt::Instance<setdxf>().Show();
    return false;
}

bool App::FilePointEditor_Action() {
    rt::Instance<fingestionepunti>().Show();
    return false;
}

bool App::FileOpenImage_Action() {
    Inizio::aprimmagine();
    return false;
}

} // namespace ambrelix

void ApplicationAddMenuHandlers() {
    ambrelix::App& app = App();
    app.AddMenuHandler("AppleAmbrelixInfo", [&app] { return app.AppleAmbrelixInfo_Action(); });
    app.AddMenuHandler("EditEditMesh", [&app] { return app.EditEditMesh_Action(); });
    app.AddMenuHandler("ImportXYZ", [&app] { return app.ImportXYZ_Action(); });
    app.AddMenuHandler("ExportTextXYZ", [&app] { return app.ExportTextXYZ_Action(); });
    app.AddMenuHandler("ImportPowerCADDdata", [&app] { return app.ImportPowerCADDdata_Action(); });
    app.AddMenuHandler("ExportCopyGDLText", [&app] { return app.ExportCopyGDLText_Action(); });
    app.AddMenuHandler("ExportTextGDL", [&app] { return app.ExportTextGDL_Action(); });
    app.AddMenuHandler("ExportQD3D", [&app] { return app.ExportQD3D_Action(); });
    app.AddMenuHandler("ExportDXF", [&app] { return app.ExportDXF_Action(); });
    app.AddMenuHandler("ImportDXF", [&app] { return app.ImportDXF_Action(); });
    app.AddMenuHandler("FilePointEditor", [&app] { return app.FilePointEditor_Action(); });
    app.AddMenuHandler("FileOpenImage", [&app] { return app.FileOpenImage_Action(); });
}
