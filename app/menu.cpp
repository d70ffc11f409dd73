#include "app/menu.h"

#include <memory>
#include <stdexcept>
#include <string>

#include "rt/application.h"

namespace ambrelix {

namespace {

using Kind = rt::MenuItem::Kind;

struct MenuRow {
    const char* name;
    Kind kind;
    // Empty: a top-level menu of the bar. Otherwise the path of menu names from the bar down.
    const char* menu;
    const char* submenu;
    const char* caption;
    const char* shortcut;
};

// In order of creation, which is also the order on screen.
constexpr MenuRow kRows[] = {
    {"FileMenu", Kind::Menu, "", "", "&File", ""},
    {"FilePointEditor", Kind::Item, "FileMenu", "", "Point Editor..", "Cmd+R"},
    {"FileImport", Kind::Item, "FileMenu", "", "Import..", ""},
    {"FileOpenImage", Kind::Item, "FileMenu", "FileImport", "Picture..", ""},
    {"ImportDXF", Kind::Item, "FileMenu", "FileImport", "DXF..", ""},
    {"ImportXYZ", Kind::Item, "FileMenu", "FileImport", "Text XYZ..", ""},
    {"ImportPowerCADDdata", Kind::Item, "FileMenu", "FileImport", "PowerCADD data..", ""},
    {"FileExport", Kind::Item, "FileMenu", "", "Export..", ""},
    {"ExportDXF", Kind::Item, "FileMenu", "FileExport", "DXF..", ""},
    {"ExportTextXYZ", Kind::Item, "FileMenu", "FileExport", "Text XYZ..", ""},
    {"ExportQD3D", Kind::Item, "FileMenu", "FileExport", "QD3D Metafile..", ""},
    {"ExportTextGDL", Kind::Item, "FileMenu", "FileExport", "Text GDL..", ""},
    {"UntitledMenu3", Kind::Item, "FileMenu", "FileExport", "-", ""},
    {"ExportCopyGDLText", Kind::Item, "FileMenu", "FileExport", "Copy GDL Text..", ""},
    {"UntitledMenu2", Kind::Item, "FileMenu", "", "-", ""},
    {"FileQuit", Kind::Quit, "FileMenu", "", "Quit", "Cmd+Q"},
    {"EditMenu", Kind::Menu, "", "", "&Edit", ""},
    {"EditUndo", Kind::Item, "EditMenu", "", "Undo", "Cmd+Z"},
    {"UntitledMenu1", Kind::Item, "EditMenu", "", "-", ""},
    {"EditCut", Kind::Item, "EditMenu", "", "Cut", "Cmd+X"},
    {"EditCopy", Kind::Item, "EditMenu", "", "Copy", "Cmd+C"},
    {"EditPaste", Kind::Item, "EditMenu", "", "Paste", "Cmd+V"},
    {"EditClear", Kind::Item, "EditMenu", "", "Clear", ""},
    {"UntitledMenu0", Kind::Item, "EditMenu", "", "-", ""},
    {"EditEditMesh", Kind::Item, "EditMenu", "", "Edit measures..", "Cmd+E"},
    {"AppleAmbrelixInfo", Kind::About, "EditMenu", "", "Ambrelix Info..", ""},
};

} // namespace

Menu::Menu() {
    for (const MenuRow& row : kRows) {
        auto item = std::make_unique<rt::MenuItem>(row.kind, row.name);
        item->SetAutoEnable(true);
        item->SetText(row.caption);
        item->SetKeyboardShortcut(row.shortcut);
        rt::MenuItem* parent = this;
        if (*row.menu != '\0')
            parent = parent->Child(row.menu);
        if (parent != nullptr && *row.submenu != '\0')
            parent = parent->Child(row.submenu);
        if (parent == nullptr)
            throw std::logic_error(std::string("menu table: no parent for ") + row.name);
        parent->Append(std::move(item));
    }
}

} // namespace ambrelix

ambrelix::Menu& Menu() {
    // Built on first use and kept for the whole run; never destroyed, so that windows and the
    // runtime's strip may refer to it until the process ends.
    static ambrelix::Menu* const instance = std::make_unique<ambrelix::Menu>().release();
    return *instance;
}

rt::MenuItem& MenuItemNamed(const char* name) {
    rt::MenuItem* bar = nullptr;
    if (rt::Application* application = rt::Application::Current())
        bar = application->GetMenuBar();
    if (bar == nullptr)
        bar = &Menu();
    rt::MenuItem* item = bar->Find(name);
    if (item == nullptr)
        throw std::logic_error(std::string("no menu item named ") + name);
    return *item;
}

rt::MenuItem& FileMenu() {
    return MenuItemNamed("FileMenu");
}
rt::MenuItem& FileQuit() {
    return MenuItemNamed("FileQuit");
}
rt::MenuItem& FilePointEditor() {
    return MenuItemNamed("FilePointEditor");
}
rt::MenuItem& FileImport() {
    return MenuItemNamed("FileImport");
}
rt::MenuItem& FileOpenImage() {
    return MenuItemNamed("FileOpenImage");
}
rt::MenuItem& ImportXYZ() {
    return MenuItemNamed("ImportXYZ");
}
rt::MenuItem& ImportPowerCADDdata() {
    return MenuItemNamed("ImportPowerCADDdata");
}
rt::MenuItem& ImportDXF() {
    return MenuItemNamed("ImportDXF");
}
rt::MenuItem& FileExport() {
    return MenuItemNamed("FileExport");
}
rt::MenuItem& ExportDXF() {
    return MenuItemNamed("ExportDXF");
}
rt::MenuItem& ExportTextXYZ() {
    return MenuItemNamed("ExportTextXYZ");
}
rt::MenuItem& ExportQD3D() {
    return MenuItemNamed("ExportQD3D");
}
rt::MenuItem& ExportTextGDL() {
    return MenuItemNamed("ExportTextGDL");
}
rt::MenuItem& ExportCopyGDLText() {
    return MenuItemNamed("ExportCopyGDLText");
}
rt::MenuItem& EditMenu() {
    return MenuItemNamed("EditMenu");
}
rt::MenuItem& EditUndo() {
    return MenuItemNamed("EditUndo");
}
rt::MenuItem& EditCut() {
    return MenuItemNamed("EditCut");
}
rt::MenuItem& EditCopy() {
    return MenuItemNamed("EditCopy");
}
rt::MenuItem& EditPaste() {
    return MenuItemNamed("EditPaste");
}
rt::MenuItem& EditClear() {
    return MenuItemNamed("EditClear");
}
rt::MenuItem& EditEditMesh() {
    return MenuItemNamed("EditEditMesh");
}
rt::MenuItem& AppleAmbrelixInfo() {
    return MenuItemNamed("AppleAmbrelixInfo");
}
