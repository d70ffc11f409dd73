#pragma once
// The switches between the working modes open the windows of one mode and close the other's, so
// they live above both (modes/). The readers, the palette, the point list, the overall-size
// editor and the control panel reach them through this interface: declared here, implemented
// above, installed at start-up.

class ModeSwitch {
public:
    virtual ~ModeSwitch() = default;
    // The body of Inizio::mostra2d.
    virtual void To2D() = 0;
    // The body of Inizio::mostra3d.
    virtual void To3D() = 0;
    // Redraws the 3D working mode's view (the 3D view window or the axonometric drawing) after
    // the points changed under it.
    virtual void RedrawViews() = 0;

    // The installed switch. Throws std::logic_error when none is installed.
    static ModeSwitch& Current();
    // Installs a switch (null: none) and returns the one it replaces.
    static ModeSwitch* Install(ModeSwitch* modeSwitch);
};
