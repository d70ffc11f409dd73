// The reference rescale: the traced points take the units of the reference's real length.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "input/fin_edita.h"
#include "input/finimmagine.h"
#include "input/surveyrows.h"
#include "input/twodmode.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/conv.h"
#include "rt/runtime.h"

namespace Inizio {

namespace {

bool Usable(double factor) {
    return std::isfinite(factor) && factor > 0.0;
}

} // namespace

void rifcalcola() {
    const finimmagine* palette = rt::OpenInstance<finimmagine>();
    if (palette == nullptr)
        return;
    rifxy12.resize(4, 0);
    const std::int64_t dx = std::int64_t{rifxy12[2]} - rifxy12[0];
    const std::int64_t dy = std::int64_t{rifxy12[3]} - rifxy12[1];
    const double length = std::sqrt(static_cast<double>(dx * dx + dy * dy));
    const double old = modulodxf::zmfct;
    const double factor = length / rt::Val(palette->s_efield.Text());
    // A reference of no length, or a length that gives no usable scale, rescales nothing.
    if (!Usable(old) || !Usable(factor))
        return;

    const std::int64_t last = surveyrows::LastPoint();
    for (std::int64_t i = 0; i <= last; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (!std::isfinite(globali::px[at] * old / factor) || !std::isfinite(globali::py[at] * old / factor))
            return;
    }

    modulodxf::zmfct = factor;
    if (fin_edita* editor = rt::OpenInstance<fin_edita>())
        editor->StaticText1.SetText("ref.: " + rt::Str(factor, rt::kReadoutDigits));
    for (std::int64_t i = 0; i <= last; ++i) {
        const auto at = static_cast<std::size_t>(i);
        globali::px[at] = globali::px[at] * old / factor;
        globali::py[at] = globali::py[at] * old / factor;
        rt::RuntimeBackgroundTask();
    }
}

} // namespace Inizio
