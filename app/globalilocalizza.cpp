#include "app/globalilocalizza.h"

#include "app/menu.h"
#include "model/globali.h"
#include "rt/dialogs.h"

namespace Globalilocalizza {

namespace {

struct Caption {
    const char* item;
    const char* english;
    const char* italian;
};

// In the order in which both languages set them.
constexpr Caption kCaptions[] = {
    {"FileMenu", "File", "Archivio"},
    {"FileQuit", "Quit", "Esci"},
    {"FilePointEditor", "Point Editor..", "Gestione Punti.."},
    {"FileOpenImage", "Picture..", "Immagine.."},
    {"FileImport", "Import..", "Importa.."},
    {"FileExport", "Export..", "Esporta.."},
    {"ImportXYZ", "Text XYZ..", "Testo XYZ.."},
    {"ExportTextXYZ", "Text XYZ..", "Testo XYZ.."},
    {"ExportTextGDL", "Text GDL..", "Testo GDL.."},
    {"ExportCopyGDLText", "Copy GDL Text..", "Copia Testo GDL.."},
    {"EditClear", "Clear", "Cancella"},
    {"EditCopy", "Copy", "Copia"},
    {"EditCut", "Cut", "Taglia"},
    {"EditUndo", "Undo", "Annulla"},
    {"EditPaste", "Paste", "Incolla"},
    {"EditEditMesh", "Edit measures..", "Edita Ingombro.."},
};

} // namespace

void local_usa() {
    for (const Caption& caption : kCaptions)
        MenuItemNamed(caption.item).SetText(caption.english);
    rt::SetDialogLanguage("en");
}

void local_ita() {
    for (const Caption& caption : kCaptions)
        MenuItemNamed(caption.item).SetText(caption.italian);
    rt::SetDialogLanguage("it");
}

void ApplyLanguage() {
    if (globali::lingua == 1)
        local_usa();
    else
        local_ita();
}

} // namespace Globalilocalizza
