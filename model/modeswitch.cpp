#include "model/modeswitch.h"

#include <stdexcept>

#include "model/inizio.h"

namespace {
ModeSwitch* installed = nullptr;
} // namespace

ModeSwitch& ModeSwitch::Current() {
    if (installed == nullptr)
        throw std::logic_error("no switch between the working modes is installed");
    return *installed;
}

ModeSwitch* ModeSwitch::Install(ModeSwitch* modeSwitch) {
    ModeSwitch* const previous = installed;
    installed = modeSwitch;
    return previous;
}

namespace Inizio {

void mostra2d() {
    ModeSwitch::Current().To2D();
}

void mostra3d() {
    ModeSwitch::Current().To3D();
}

} // namespace Inizio
