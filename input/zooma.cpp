// The 2D view's fit and the drawing of the polyline table's rows into the 2D editor.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "input/fin_edita.h"
#include "input/surveyrows.h"
#include "input/twodmode.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/conv.h"
#include "rt/runtime.h"

namespace modulodxf {

namespace {

// Two values far apart, as the halves of their difference: finite for any finite values.
double HalfSpan(double low, double high) {
    return high / 2.0 - low / 2.0;
}

// zmfct * (high - low), also where the difference exceeds the largest double.
double Scaled(double low, double high) {
    const double span = high - low;
    return std::isfinite(span) ? zmfct * span : 2.0 * (zmfct * HalfSpan(low, high));
}

// Editor position of point i.
double WindowX(std::size_t i) {
    return Scaled(zxmin, globali::px[i]) + xz;
}
double WindowY(std::size_t i) {
    return globali::scry - (Scaled(zymin, globali::py[i]) + yz);
}

// Pixels per unit that fit the span from low to high into the room, or 0 when the span sets no
// limit.
double Limit(double room, double low, double high) {
    const double span = high - low;
    if (!std::isfinite(span))
        return std::abs(room / 2.0 / HalfSpan(low, high));
    if (!(span > 0.0))
        return 0.0;
    return std::abs(room / span);
}

void Fit() {
    const auto last = static_cast<std::size_t>(globali::ptot);
    zxmin = zxmax = globali::px[last];
    zymin = zymax = globali::py[last];
    for (std::size_t i = 0; i <= last; ++i) {
        zxmin = std::min(zxmin, globali::px[i]);
        zymin = std::min(zymin, globali::py[i]);
        zxmax = std::max(zxmax, globali::px[i]);
        zymax = std::max(zymax, globali::py[i]);
        rt::RuntimeBackgroundTask();
    }
    const double a = Limit(static_cast<double>(globali::scrx + 60), zxmin, zxmax);
    const double b = Limit(static_cast<double>(globali::scry - 20), zymin, zymax);
    // One point, or all at one place: natural size, centred.
    zmfct = a > 0.0 && b > 0.0 ? std::min(a, b) : std::max(a, b);
    if (!(zmfct > 0.0) || !std::isfinite(zmfct))
        zmfct = 1.0;
    xz = (static_cast<double>(globali::scrx + 80) - Scaled(zxmin, zxmax)) / 2.0;
    yz = (static_cast<double>(globali::scry) - Scaled(zymin, zymax)) / 2.0;
}

// Rows whose points all exist, in order; a row that owns no point draws nothing.
template <class Visit> void ForEachDrawnRow(Visit&& visit) {
    for (std::int32_t k = 1; k <= dxfcounter; ++k) {
        if (surveyrows::RowPointsExist(k) && dxfpn(k, 1) >= 0)
            visit(k, dxfpn(k, 0), dxfpn(k, 1));
    }
}

void Draw(bool writeLabel) {
    const rt::Color colour = Inizio::gammanosel;
    selpre[0] = -1;
    selnow = 0;
    qlin = 0;
    qpun = 0;
    if (globali::ptot < 0 || static_cast<std::size_t>(globali::ptot) >= globali::px.size() ||
        static_cast<std::size_t>(globali::ptot) >= globali::py.size())
        return;

    // The maps get their final size at once; their entries are written as the controls come.
    std::int64_t segments = 0, points = 0;
    ForEachDrawnRow([&](std::int32_t, std::int32_t, std::int32_t m) {
        if (m > 0)
            segments += m;
        else
            ++points;
    });
    if (segments > std::numeric_limits<std::int32_t>::max() ||
        points > std::numeric_limits<std::int32_t>::max())
        return;
    if (segments > 0)
        qqlin.Redim(static_cast<std::int32_t>(segments), 1);
    if (points > 0)
        qqpun.resize(static_cast<std::size_t>(points) + 1);

    fin_edita& editor = rt::Instance<fin_edita>();
    editor.Linea.Reserve(editor.Linea.Count() + segments);
    editor.punto.Reserve(editor.punto.Count() + points);
    ForEachDrawnRow([&](std::int32_t k, std::int32_t f, std::int32_t m) {
        if (m > 0) {
            for (std::int32_t j = f; j < f + m; ++j) {
                const auto at = static_cast<std::size_t>(j);
                editor.dis_linea(WindowX(at), WindowY(at), WindowX(at + 1), WindowY(at + 1), colour);
                ++qlin;
                qqlin(qlin, 0) = k;
                qqlin(qlin, 1) = qlin - (j - f);
                rt::RuntimeBackgroundTask();
            }
        } else {
            const auto at = static_cast<std::size_t>(f);
            editor.dis_punto(WindowX(at), WindowY(at), colour);
            ++qpun;
            qqpun[static_cast<std::size_t>(qpun)] = k;
        }
        rt::RuntimeBackgroundTask();
    });
    if (writeLabel && dxfcounter > 0)
        editor.StaticText1.SetText("ref.: " + rt::Str(zmfct, rt::kReadoutDigits));
}

} // namespace

void zooma() {
    if (globali::ptot >= 0 && static_cast<std::size_t>(globali::ptot) < globali::px.size() &&
        static_cast<std::size_t>(globali::ptot) < globali::py.size())
        Fit();
    else if (!(std::isfinite(zmfct) && zmfct > 0.0))
        zmfct = 1.0;
    Draw(true);
}

void nozooma() {
    Draw(false);
}

} // namespace modulodxf
