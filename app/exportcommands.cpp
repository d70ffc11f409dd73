// The File menu's export commands. A mesh export while no grid exists beeps and writes nothing.

#include <memory>
#include <optional>
#include <string>

#include "app/app.h"
#include "export/createstodxf.h"
#include "export/createstogdl.h"
#include "export/createstoqd3d.h"
#include "export/createstoxyz.h"
#include "export/modulowlineedxf.h"
#include "export/writesupport.h"
#include "model/inizio.h"
#include "rt/dialogs.h"
#include "rt/folderitem.h"
#include "rt/runtime.h"

namespace ambrelix {

namespace {

const std::string kCopyFailureMessage = "Can't copy the GDL text!\r\rNon posso copiare il testo GDL!";

// False, after a beep, when no grid can be exported.
bool MeshToExport() {
    if (exportfile::MeshReady())
        return true;
    rt::Beep();
    return false;
}

// The file's whole text; none when it cannot be opened or read to its end.
std::optional<std::string> ReadWhole(const rt::FolderItem& file) {
    const std::unique_ptr<rt::TextInputStream> reader = file.OpenAsTextFile();
    if (!reader)
        return std::nullopt;
    std::string text = reader->ReadAll();
    const bool failed = reader->ReadFailed();
    reader->Close();
    if (failed)
        return std::nullopt;
    return text;
}

} // namespace

bool App::ExportTextXYZ_Action() {
    if (!MeshToExport())
        return false;
    if (const auto file = rt::GetSaveFolderItem("text/plain", "MESH_XYZ.TXT"))
        globali::createstoxyz(*file);
    exportfile::ShowProgress(0);
    return false;
}

bool App::ExportCopyGDLText_Action() {
    if (!MeshToExport())
        return false;
    const rt::FolderItem temporary = rt::GetFolderItem("GDLTEMP.TXT");
    if (!globali::createstogdl(temporary))
        return false;
    const std::optional<std::string> text = ReadWhole(temporary);
    temporary.Delete();
    if (!text) {
        rt::Beep();
        rt::MsgBox(kCopyFailureMessage);
        return false;
    }
    rt::SetClipboardText(*text);
    return false;
}

bool App::ExportTextGDL_Action() {
    if (!MeshToExport())
        return false;
    if (const auto file = rt::GetSaveFolderItem("text/plain", "MESH_GDL.TXT"))
        globali::createstogdl(*file);
    return false;
}

bool App::ExportQD3D_Action() {
    if (!MeshToExport())
        return false;
    if (const auto file = rt::GetSaveFolderItem("qd3d/3dmf", "MESH_QD.3MF"))
        globali::createstoqd3d(*file);
    return false;
}

bool App::ExportDXF_Action() {
    if (Inizio::ambiente == 1) {
        ModuloWLineeDXF::scrivilinee(rt::GetSaveFolderItem("text/plain", "curve.dxf"));
    } else if (Inizio::ambiente == 2 && MeshToExport()) {
        if (const auto file = rt::GetSaveFolderItem("text/plain", "MESH.DXF"))
            globali::createstodxf(*file);
    }
    return false;
}

} // namespace ambrelix
