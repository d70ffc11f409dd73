// Bounding box, spans and aspect ratio of the point set, shown on the control panel together with
// the proposed numbers of grid intervals.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/calcolaingombro.h"
#include "model/globali.h"
#include "model/terrainpanel.h"
#include "rt/conv.h"
#include "rt/runtime.h"

namespace Inizio {

void calcolaingombro() {
    using namespace globali;
    TerrainPanel& panel = TerrainPanel::Current();

    const std::int64_t stored = static_cast<std::int64_t>(std::min({px.size(), py.size(), pz.size()}));
    const std::int64_t last = std::min<std::int64_t>(ptot, stored - 1);

    // The box starts at point 0 (at the origin when not even that exists).
    xmin = xmax = stored > 0 ? px[0] : 0.0;
    ymin = ymax = stored > 0 ? py[0] : 0.0;
    zmin = zmax = stored > 0 ? pz[0] : 0.0;

    panel.SetProgressMaximum(100);
    for (std::int64_t i = 1; i <= last; ++i) {
        allargaingombro(static_cast<std::size_t>(i));
        panel.ShowProgress(rt::conv(static_cast<double>(i * 100) / static_cast<double>(ptot)));
        rt::RuntimeBackgroundTask();
    }
    panel.ShowProgress(0);

    panel.ShowSpans(xmax - xmin, ymax - ymin, zmax - zmin);
    dx = xmax - xmin;
    dy = ymax - ymin;
    dz = zmax - zmin;

    rapp = dy / dx;
    // Without a width (or with spans beyond the range of doubles) there is no ratio: propose a
    // square grid rather than an unbounded number of Y intervals.
    if (!std::isfinite(rapp))
        rapp = 1.0;
    // The X field's change handler proposes the Y count from the new ratio, as the Y count set
    // after it does.
    panel.SetXCountText("30");
    panel.SetYCountText(rt::Str(rt::conv(rapp * 30)));
}

void allargaingombro(std::size_t k) {
    using namespace globali;
    if (px[k] < xmin)
        xmin = px[k];
    if (py[k] < ymin)
        ymin = py[k];
    if (pz[k] < zmin)
        zmin = pz[k];
    if (px[k] > xmax)
        xmax = px[k];
    if (py[k] > ymax)
        ymax = py[k];
    if (pz[k] > zmax)
        zmax = pz[k];
}

} // namespace Inizio
