// The 3D working mode's windows: the points are checked, the bounds are computed, and the control
// panel opens beside the chosen view.

#include "views/threedmode.h"

#include <cstdint>
#include <string>

#include "model/globali.h"
#include "model/inizio.h"
#include "model/screenarea.h"
#include "rt/application.h"
#include "rt/dialogs.h"
#include "rt/folderitem.h"
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
    threedmode::CloseWindows();
    const std::string reason = verdict == Verdict::TooFewPoints
                                   ? "Minimum three points for 3D!\r\rMinimo tre punti per il 3D!"
                                   : "All points are aligned!\r\rTutti i punti sono allineati!";
    rt::MsgBox("Invalid data! / Dati non validi!\r" + reason);
}

void DrawAxonometry() {
    Finestra& drawing = rt::Instance<Finestra>();
    drawing.disegnaingombro();
    drawing.assonometria();
    drawing.Refresh();
}

} // namespace

namespace threedmode {

bool PointsCarryASurface() {
    const Verdict verdict = CheckData();
    if (verdict == Verdict::Valid)
        return true;
    Refuse(verdict);
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
    screenarea::Refresh();

    fincontrol& panel = rt::Instance<fincontrol>();
    if (Inizio::engine3d == 0) {
        panel.SetHeight(fincontrol::kHeightsOnSwitchTo3D.threeDView);
        const rt::FolderItem temporary = rt::GetFolderItem("3DMFTEMP.3MF");
        if (temporary.Exists())
            temporary.Delete();
        rt::Instance<winquesa3d>().Show();
    } else {
        panel.SetHeight(fincontrol::kHeightsOnSwitchTo3D.drawing);
        DrawAxonometry();
    }
    Inizio::ambiente = 2;
    panel.Show();
    if (panel.RadioB.Has(Inizio::engine3d))
        panel.RadioB(Inizio::engine3d).SetValue(true);
    rt::EnableMenuItems();
}

void RedrawViews() {
    if (Inizio::engine3d == 0) {
        rt::CloseIfOpen<winquesa3d>();
        screenarea::Refresh();
        rt::Instance<winquesa3d>().Show();
    } else if (Inizio::engine3d == 1) {
        DrawAxonometry();
    }
}

} // namespace threedmode
