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

    // Edit > Edit measures..: shows the overall-size editor. Returns false.
    bool _EditEditMesh_Action();
};

} // namespace ambrelix

// The registered application object. Throws std::logic_error when the start-up has not made one.
ambrelix::App& App();
