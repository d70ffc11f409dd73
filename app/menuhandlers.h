#pragma once

// Binds the application's menu commands to the items of the menu bar, by item name.
void ApplicationAddMenuHandlers();
