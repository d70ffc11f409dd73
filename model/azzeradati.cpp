// Empties the survey data before a reader stores new data.

#include "model/azzeradati.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"

namespace Inizio {

void azzeradati() {
    globali::ptot = -1;
    modulodxf::dxfcounter = 0;
    globali::px.resize(1);
    globali::py.resize(1);
    globali::pz.resize(1);
    modulodxf::dxfpn.Redim(0, 1);
    modulodxf::dxfxyz.resize(1);
    modulodxf::dxfpn(modulodxf::dxfcounter, 0) = 0;
    modulodxf::dxfpn(modulodxf::dxfcounter, 1) = 0;
    modulodxf::dxfxyz[0] = 0;
    immaginesfondo = rt::Picture();
    if (modulodxf::selpre.size() < 2)
        modulodxf::selpre.resize(2, 0);
    modulodxf::selpre[0] = -1;
}

} // namespace Inizio
