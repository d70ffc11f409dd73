#pragma once
// The application object: language and launch values at opening, preferences at quit, and the
// menus' enabling by working mode.
//
// Naming: the class is ambrelix::App; the global function App() returns the registered
// application object (there is exactly one, made by the start-up). Inside namespace ambrelix
// the name App is the class: write ::App() there.

#include "rt/application.h"

namespace ambrelix {

class App : public rt::Application {
public:
    App() = default;

    // Writes the preferences file anew.
    void Event_Close() override;
    // Reads the language, applies the menu captions and gives the shared view and state
    // variables their launch values.
    void Event_Open() override;
    // Enables the menu items by the working mode Inizio::ambiente.
    void Event_EnableMenuItems() override;
    // Tells the user, in both languages, that the command could not be completed.
    void Event_UnhandledException(const std::exception_ptr& error) override;

    // Menu commands, bound by item name; each returns false.
    bool AppleAmbrelixInfo_Action();
    bool EditEditMesh_Action();
    bool ImportXYZ_Action();
    bool ImportPowerCADDdata_Action();
    bool ImportDXF_Action();
    bool FilePointEditor_Action();
    bool FileOpenImage_Action();
    bool ExportTextXYZ_Action();
    bool ExportCopyGDLText_Action();
    bool ExportTextGDL_Action();
    bool ExportQD3D_Action();
    bool ExportDXF_Action();
};

} // namespace ambrelix

// The registered application object. Throws std::logic_error when the start-up has not made one.
ambrelix::App& App();
