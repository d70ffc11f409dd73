// The switch to the 3D working mode: the points are checked, the 2D editor leaves a snapshot for
// the 3D view and closes with the palette, the bounds are computed, and the control panel opens
// beside the chosen view.

#include <cstdint>
#include <string>

#include "input/fin_edita.h"
#include "input/finimmagine.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "rt/application.h"
#include "rt/dialogs.h"
#include "rt/folderitem.h"
#include "rt/picture.h"
#include "rt/runtime.h"
#include "views/fincontrol.h"
#include "views/finestra.h"
#include "views/winquesa3d.h"

namespace {

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
    rt::CloseIfOpen<fincontrol>();
    rt::CloseIfOpen<Finestra>();
    rt::CloseIfOpen<winquesa3d>();
    const std::string motivo = esito == Esito::PochiPunti
                                   ? "Minimum three points for 3D!\r\rMinimo tre punti per il 3D!"
                                   : "All points are aligned!\r\rTutti i punti sono allineati!";
    rt::MsgBox("Invalid data! / Dati non validi!\r" + motivo);
}

// The 2D editor's whole content over a light grey ground.
rt::Picture Istantanea() {
    const fin_edita& editor = rt::Instance<fin_edita>();
    rt::Picture foto = rt::Picture::New(editor.Width(), editor.Height(), 32);
    if (!foto)
        return foto;
    rt::Graphics& g = foto.Graphics();
    g.SetForeColor(rt::HSV(0, 0, 0.9));
    g.FillRect(0, 0, editor.Width(), editor.Height());
    g.DrawPicture(editor.DrawIntoPicture(), 0, 0);
    return foto;
}

} // namespace

namespace Inizio {

void mostra3d() {
    const Esito esito = ControllaDati();
    if (esito != Esito::Valido) {
        Rifiuta(esito);
        return;
    }

    openglpicture = Istantanea();
    rt::CloseIfOpen<fincontrol>();
    rt::CloseIfOpen<Finestra>();
    rt::CloseIfOpen<winquesa3d>();
    rt::CloseIfOpen<finimmagine>();
    rt::CloseIfOpen<fin_edita>();
    globali::celamesh = false;
    calcolaingombro();

    fincontrol& pannello = rt::Instance<fincontrol>();
    if (engine3d == 0) {
        pannello.SetHeight(fincontrol::kHeightsOnSwitchTo3D.threeDView);
        const rt::FolderItem temporaneo = rt::GetFolderItem("3DMFTEMP.3MF");
        if (temporaneo.Exists())
            temporaneo.Delete();
        rt::Instance<winquesa3d>().Show();
    } else {
        pannello.SetHeight(fincontrol::kHeightsOnSwitchTo3D.drawing);
        Finestra& finestra = rt::Instance<Finestra>();
        finestra.disegnaingombro();
        finestra.assonometria();
        finestra.Refresh();
    }
    ambiente = 2;
    pannello.Show();
    if (pannello.RadioB.Has(engine3d))
        pannello.RadioB(engine3d).SetValue(true);
    rt::EnableMenuItems();
}

} // namespace Inizio
