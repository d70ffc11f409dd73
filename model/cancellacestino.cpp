// Deletes one row of the polyline table with its points and closes the gaps it leaves in the
// point set, the table and the 2D editor's control maps.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "model/cancellacestino.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "model/terraindata.h"
#include "rt/runtime.h"

namespace {

std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

std::int64_t LastIndex(const std::vector<double>& values) {
    return static_cast<std::int64_t>(values.size()) - 1;
}

} // namespace

namespace terrain {

void DeleteRow(Survey& survey, EditorMaps& maps, std::int32_t n) {
    std::vector<double>& px = survey.x;
    std::vector<double>& py = survey.y;
    std::vector<double>& pz = survey.z;
    std::int32_t& ptot = survey.last;
    Array2D<std::int32_t>& dxfpn = survey.rows;
    std::int32_t& dxfcounter = survey.rowCount;
    std::vector<std::int32_t>& dxfxyz = survey.rowOfPoint;
    const std::int32_t qpun = maps.points;
    std::vector<std::int32_t>& qqpun = maps.pointRow;
    const std::int32_t qlin = maps.segments;
    Array2D<std::int32_t>& qqlin = maps.segmentRow;

    // The editor passes only rows that exist; anything else leaves the data as it is.
    if (n < 1 || n > dxfcounter || n > dxfpn.UBound0() || dxfpn.UBound1() < 1)
        return;

    const std::int64_t first = dxfpn(n, 0);
    // A row that never received a vertex (count -1) owns no points.
    const std::int64_t owned = std::max<std::int64_t>(std::int64_t{dxfpn(n, 1)} + 1, 0);

    // Points after the block move down over it; they belong to later rows, which move down by one.
    const std::int64_t lastPoint =
        std::min({std::int64_t{ptot}, LastIndex(px), LastIndex(py), LastIndex(pz)});
    const std::int64_t lastRowEntry = static_cast<std::int64_t>(dxfxyz.size()) - 1;
    for (std::int64_t k = std::max<std::int64_t>(first, 0); k + owned <= lastPoint; ++k) {
        const auto to = static_cast<std::size_t>(k);
        const auto from = static_cast<std::size_t>(k + owned);
        px[to] = px[from];
        py[to] = py[from];
        pz[to] = pz[from];
        if (k + owned <= lastRowEntry)
            dxfxyz[to] = ClampToInt32(std::int64_t{dxfxyz[from]} - 1);
        rt::RuntimeBackgroundTask();
    }
    ptot = ClampToInt32(std::max<std::int64_t>(std::int64_t{ptot} - owned, -1));

    // Later rows move up one place, each starting right after the row before it.
    std::int64_t start = first;
    const std::int64_t lastMovedRow =
        std::min<std::int64_t>(std::int64_t{dxfcounter} - 1, dxfpn.UBound0() - 1);
    for (std::int64_t r = n; r <= lastMovedRow; ++r) {
        const auto row = static_cast<std::int32_t>(r);
        dxfpn(row, 0) = ClampToInt32(start);
        dxfpn(row, 1) = dxfpn(row + 1, 1);
        start = std::int64_t{dxfpn(row, 0)} + dxfpn(row, 1) + 1;
        rt::RuntimeBackgroundTask();
    }
    dxfcounter = dxfcounter - 1;

    // Controls of later rows follow their rows; the deleted row's own controls keep n.
    const std::int64_t lastPointControl =
        std::min<std::int64_t>(qpun, static_cast<std::int64_t>(qqpun.size()) - 1);
    for (std::int64_t k = 1; k <= lastPointControl; ++k) {
        auto& row = qqpun[static_cast<std::size_t>(k)];
        if (row > n)
            row = row - 1;
        rt::RuntimeBackgroundTask();
    }
    const std::int64_t lastSegmentControl =
        qqlin.UBound1() < 0 ? 0 : std::min<std::int64_t>(qlin, qqlin.UBound0());
    for (std::int64_t j = 1; j <= lastSegmentControl; ++j) {
        auto& row = qqlin(static_cast<std::int32_t>(j), 0);
        if (row > n)
            row = row - 1;
        rt::RuntimeBackgroundTask();
    }
}

} // namespace terrain

namespace Inizio {

void cancellacestino(std::int32_t n) {
    terrain::DeleteRow(globali::survey, modulodxf::editormaps, n);
}

} // namespace Inizio
