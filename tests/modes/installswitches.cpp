// The modes tests run the program's switches between the working modes, as start-up installs them.

#include "modes/modeswitches.h"

namespace {
const bool installed = (ModeSwitches::InstallForProgram(), true);
} // namespace
