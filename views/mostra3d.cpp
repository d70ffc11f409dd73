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

enum class Verdict { Valid, TooFewPoints, Aligned };

// Whether every point 1..ptot shares point 0's coordinate in the array.
bool AllEqual(const std::vector<double>& values) {
    const std::size_t last = static_cast<std::size_t>(globali::ptot);
    for (std::size_t k = 1; k <= last && k < values.size(); ++k) {
        rt::RuntimeBackgroundTask();
        if (values[k] != values[0])
            return false;
    }
    return true;
}

Verdict CheckData() {
    if (globali::ptot < 2 || globali::px.empty() || globali::py.empty())
        return Verdict::TooFewPoints;
    const bool sameX = AllEqual(globali::px);
    const bool sameY = AllEqual(globali::py);
    return sameX || sameY ? Verdict::Aligned : Verdict::Valid;
}

void Refuse(Verdict verdict) {
    rt::CloseIfOpen<fincontrol>();
    rt::CloseIfOpen<Finestra>();
    rt::CloseIfOpen<winquesa3d>();
    const std::string reason = verdict == Verdict::TooFewPoints
                                   ? "Minimum three points for 3D!\r\rMinimo tre punti per il 3D!"
                                   : "All points are aligned!\r\rTutti i punti sono allineati!";
    rt::MsgBox("Invalid data! / Dati non validi!\r" + reason);
}

// The 2D editor's whole content over a light grey ground.
rt::Picture Snapshot() {
    const fin_edita& editor = rt::Instance<fin_edita>();
    rt::Picture photo = rt::Picture::New(editor.Width(), editor.Height(), 32);
    if (!photo)
        return photo;
    rt::Graphics& g = photo.Graphics();
    g.SetForeColor(rt::HSV(0, 0, 0.9));
    g.FillRect(0, 0, editor.Width(), editor.Height());
    g.DrawPicture(editor.DrawIntoPicture(), 0, 0);
    return photo;
}

} // namespace

namespace Inizio {

void mostra3d() {
    const Verdict verdict = CheckData();
    if (verdict != Verdict::Valid) {
        Refuse(verdict);
        return;
    }

    openglpicture = Snapshot();
    rt::CloseIfOpen<fincontrol>();
    rt::CloseIfOpen<Finestra>();
    rt::CloseIfOpen<winquesa3d>();
    rt::CloseIfOpen<finimmagine>();
    rt::CloseIfOpen<fin_edita>();
    globali::celamesh = false;
    calcolaingombro();

    fincontrol& panel = rt::Instance<fincontrol>();
    if (engine3d == 0) {
        panel.SetHeight(fincontrol::kHeightsOnSwitchTo3D.threeDView);
        const rt::FolderItem temporary = rt::GetFolderItem("3DMFTEMP.3MF");
        if (temporary.Exists())
            temporary.Delete();
        rt::Instance<winquesa3d>().Show();
    } else {
        panel.SetHeight(fincontrol::kHeightsOnSwitchTo3D.drawing);
        Finestra& drawing = rt::Instance<Finestra>();
        drawing.disegnaingombro();
        drawing.assonometria();
        drawing.Refresh();
    }
    ambiente = 2;
    panel.Show();
    if (panel.RadioB.Has(engine3d))
        panel.RadioB(engine3d).SetValue(true);
    rt::EnableMenuItems();
}

} // namespace Inizio
