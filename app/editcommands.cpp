// The Edit menu's own command.

#include "app/app.h"
#include "input/finingombro.h"
#include "rt/window.h"

namespace ambrelix {

bool App::_EditEditMesh_Action() {
    rt::Instance<finingombro>().Show();
    return false;
}

} // namespace ambrelix
