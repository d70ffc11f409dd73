#pragma once
// The start-up: file types, the application object with its menu bar, then the event loop.

namespace ambrelix {

// Creates and registers the three file types.
void InitFileTypes();
// Creates the application object, gives it the menu bar Menu(), registers it with the runtime,
// binds its menu commands, gives the terrain routines the control panel and installs the switches
// between the working modes. A second call replaces the object.
void NewAppInstance();
// Reaches the start window once, so that it is created as the default window.
void MakeDefaultView();
// Discards the application object made by NewAppInstance, if any.
void DiscardAppInstance();
// The whole start order, then the event loop until the application quits; then discards the
// application object. Returns the exit status: the loop's, or 1 when an exception escaped the
// start order or the loop.
int Main();

} // namespace ambrelix
