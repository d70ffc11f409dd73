#include "app/filetypes.h"

namespace FileTypes {

void Initialize() {
    pTextPlain = {"text/plain", ".txt", "TEXT", "pTmS"};
    rt::RegisterFileType(pTextPlain);
    pQd3d3dmf = {"qd3d/3dmf", ".3mf", "3DMF", "????"};
    rt::RegisterFileType(pQd3d3dmf);
    pSpecialAny = {"special/any", "", "????", "????"};
    rt::RegisterFileType(pSpecialAny);
}

} // namespace FileTypes
