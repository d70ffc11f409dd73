#pragma once
// The application's one menu bar, File and Edit, and the accessors of its named items.
//
// Naming: the class is ambrelix::Menu; the global function Menu() returns its single instance,
// building the bar on the first call. Windows install it with `SetMenuBar(&Menu())`. Inside
// namespace ambrelix the name Menu is the class: write ::Menu() there.
// Every item accessor (FileMenu(), ExportDXF(), ...) returns the item of that name found anywhere
// in the application's current menu bar (the one instance when no bar is installed yet).

#include "rt/menu.h"

namespace ambrelix {

class Menu : public rt::MenuBar {
public:
    // Builds the whole bar with its English captions.
    Menu();
};

} // namespace ambrelix

ambrelix::Menu& Menu();

// The item of that name in the application's current menu bar; throws std::logic_error when the
// bar holds no such item.
rt::MenuItem& MenuItemNamed(const char* name);

rt::MenuItem& FileMenu();
rt::MenuItem& FileQuit();
rt::MenuItem& FilePointEditor();
rt::MenuItem& FileImport();
rt::MenuItem& FileOpenImage();
rt::MenuItem& ImportXYZ();
rt::MenuItem& ImportPowerCADDdata();
rt::MenuItem& ImportDXF();
rt::MenuItem& FileExport();
rt::MenuItem& ExportDXF();
rt::MenuItem& ExportTextXYZ();
rt::MenuItem& ExportQD3D();
rt::MenuItem& ExportTextGDL();
rt::MenuItem& ExportCopyGDLText();
rt::MenuItem& EditMenu();
rt::MenuItem& EditUndo();
rt::MenuItem& EditCut();
rt::MenuItem& EditCopy();
rt::MenuItem& EditPaste();
rt::MenuItem& EditClear();
rt::MenuItem& EditEditMesh();
rt::MenuItem& AppleAmbrelixInfo();
