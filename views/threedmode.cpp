// The 3D working mode's windows: the points are checked, the bounds are computed, and the control
// panel opens beside the chosen view.

#include "views/threedmode.h"

#include <cstdint>
#include <string>

#include "model/globali.h"
#include "model/inizio.h"
#include "rt/application.h"
#include "rt/dialogs.h"
#include "rt/folderitem.h"
#include "rt/runtime.h"
#include "views/fincontrol.h"
#include "views/finestra.h"
#include "views/winquesa3d.h"

namespace {

constexpr std::int32_t kAltezzaPannelloVista3d = 368;
constexpr std::int32_t kAltezzaPannelloDisegno = 472;

enum class Esito { Valido, PochiPunti, Allineati };

// Whether every point 1..ptot shares point 0's coordinate in the array.
bool TuttiUguali(const std::vector<double>& valori) {
    const std::size_t ultimo = static_cast<std::size_t>(globali::ptot);
    for (std::size_t k = 1; k <= ultimo && k < valori.size(); ++k) {
        rt::RuntimeBackgroundTask();
        if (valori[k] != valori[0])
            return false;
    }
    return true;
}

Esito ControllaDati() {
    if (globali::ptot < 2 || globali::px.empty() || globali::py.empty())
        return Esito::PochiPunti;
    const bool stessaX = TuttiUguali(globali::px);
    const bool stessaY = TuttiUguali(globali::py);
    return stessaX || stessaY ? Esito::Allineati : Esito::Valido;
}

void Rifiuta(Esito esito) {
    threedmode::CloseWindows();
    const std::string motivo = esito == Esito::PochiPunti
                                   ? "Minimum three points for 3D!\r\rMinimo tre punti per il 3D!"
                                   : "All points are aligned!\r\rTutti i punti sono allineati!";
    rt::MsgBox("Invalid data! / Dati non validi!\r" + motivo);
}

void DrawAxonometry() {
    Finestra& finestra = rt::Instance<Finestra>();
    finestra.disegnaingombro();
    finestra.assonometria();
    finestra.Refresh();
}

} // namespace

namespace threedmode {

bool PointsCarryASurface() {
    const Esito esito = ControllaDati();
    if (esito == Esito::Valido)
        return true;
    Rifiuta(esito);
    return false;
}

void CloseWindows() {
    rt::CloseIfOpen<fincontrol>();
    rt::CloseIfOpen<Finestra>();
    rt::CloseIfOpen<winquesa3d>();
}

void Open() {
    globali::celamesh = false;
    Inizio::calcolaingombro();

    fincontrol& pannello = rt::Instance<fincontrol>();
    if (Inizio::engine3d == 0) {
        pannello.SetHeight(kAltezzaPannelloVista3d);
        const rt::FolderItem temporaneo = rt::GetFolderItem("3DMFTEMP.3MF");
        if (temporaneo.Exists())
            temporaneo.Delete();
        rt::Instance<winquesa3d>().Show();
    } else {
        pannello.SetHeight(kAltezzaPannelloDisegno);
        DrawAxonometry();
    }
    Inizio::ambiente = 2;
    pannello.Show();
    if (pannello.RadioB.Has(Inizio::engine3d))
        pannello.RadioB(Inizio::engine3d).SetValue(true);
    rt::EnableMenuItems();
}

void RedrawViews() {
    if (Inizio::engine3d == 0) {
        rt::CloseIfOpen<winquesa3d>();
        rt::Instance<winquesa3d>().Show();
    } else if (Inizio::engine3d == 1) {
        DrawAxonometry();
    }
}

} // namespace threedmode
