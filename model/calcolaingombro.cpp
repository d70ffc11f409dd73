// Bounding box, spans and aspect ratio of the point set, shown on the control panel together with
// the proposed numbers of grid intervals.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/calcolaingombro.h"
#include "model/globali.h"
#include "model/terraindata.h"
#include "model/terrainpanel.h"
#include "rt/conv.h"
#include "rt/runtime.h"

namespace terrain {

Bounds MeasureBounds(const Survey& survey, Progress& progress) {
    const std::int64_t stored =
        static_cast<std::int64_t>(std::min({survey.x.size(), survey.y.size(), survey.z.size()}));
    const std::int64_t last = std::min<std::int64_t>(survey.last, stored - 1);

    // The box starts at point 0 (at the origin when not even that exists).
    Bounds b;
    b.xmin = b.xmax = stored > 0 ? survey.x[0] : 0.0;
    b.ymin = b.ymax = stored > 0 ? survey.y[0] : 0.0;
    b.zmin = b.zmax = stored > 0 ? survey.z[0] : 0.0;

    progress.SetProgressMaximum(100);
    for (std::int64_t i = 1; i <= last; ++i) {
        const auto k = static_cast<std::size_t>(i);
        GrowBounds(b, survey.x[k], survey.y[k], survey.z[k]);
        progress.ShowProgress(rt::conv(static_cast<double>(i * 100) / static_cast<double>(survey.last)));
        rt::RuntimeBackgroundTask();
    }
    progress.ShowProgress(0);

    b.dx = b.xmax - b.xmin;
    b.dy = b.ymax - b.ymin;
    b.dz = b.zmax - b.zmin;
    b.rapp = b.dy / b.dx;
    // Without a width (or with spans beyond the range of doubles) there is no ratio: propose a
    // square grid rather than an unbounded number of Y intervals.
    if (!std::isfinite(b.rapp))
        b.rapp = 1.0;
    return b;
}

void GrowBounds(Bounds& b, double x, double y, double z) {
    if (x < b.xmin)
        b.xmin = x;
    if (y < b.ymin)
        b.ymin = y;
    if (z < b.zmin)
        b.zmin = z;
    if (x > b.xmax)
        b.xmax = x;
    if (y > b.ymax)
        b.ymax = y;
    if (z > b.zmax)
        b.zmax = z;
}

} // namespace terrain

namespace Inizio {

void calcolaingombro() {
    using namespace globali;
    TerrainPanel& panel = TerrainPanel::Current();
    bounds = terrain::MeasureBounds(survey, panel);
    panel.ShowSpans(dx, dy, dz);
    // The X field's change handler proposes the Y count from the new ratio, as the Y count set
    // after it does.
    panel.SetXCountText("30");
    panel.SetYCountText(rt::Str(rt::conv(rapp * 30)));
}

void allargaingombro(std::size_t k) {
    using namespace globali;
    terrain::GrowBounds(bounds, px[k], py[k], pz[k]);
}

} // namespace Inizio
