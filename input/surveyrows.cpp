#include "input/surveyrows.h"

#include <algorithm>
#include <cstddef>

#include "model/globali.h"
#include "model/modulodxf.h"
#include "rt/runtime.h"

namespace surveyrows {

namespace {

template <class T> void GrowTo(std::vector<T>& values, std::int64_t last) {
    if (last >= 0 && static_cast<std::int64_t>(values.size()) <= last)
        values.resize(static_cast<std::size_t>(last) + 1);
}

} // namespace

bool RowExists(std::int32_t r) {
    return r >= 1 && r <= modulodxf::dxfcounter && modulodxf::dxfpn.InRange(r, 1);
}

std::int64_t LastPoint() {
    const auto stored =
        static_cast<std::int64_t>(std::min({globali::px.size(), globali::py.size(), globali::pz.size()}));
    return std::min<std::int64_t>(globali::ptot, stored - 1);
}

bool PointExists(std::int64_t i) {
    return i >= 0 && i <= LastPoint();
}

bool RowPointsExist(std::int32_t r) {
    if (!RowExists(r))
        return false;
    const std::int64_t first = modulodxf::dxfpn(r, 0);
    const std::int64_t count = modulodxf::dxfpn(r, 1);
    // With count 0 or more, the row's points exist when its first and its last do.
    return count < 0 || (first >= 0 && first + count <= LastPoint());
}

bool SegmentMapped(std::int32_t j) {
    return j >= 1 && j <= modulodxf::qlin && modulodxf::qqlin.InRange(j, 1);
}

bool PointMapped(std::int32_t k) {
    return k >= 1 && k <= modulodxf::qpun && static_cast<std::size_t>(k) < modulodxf::qqpun.size();
}

void GrowPoints(std::int32_t lastPoint) {
    GrowTo(globali::px, lastPoint);
    GrowTo(globali::py, lastPoint);
    GrowTo(globali::pz, lastPoint);
    GrowTo(modulodxf::dxfxyz, lastPoint);
}

void GrowTable(std::int32_t lastRow) {
    if (modulodxf::dxfpn.UBound0() < lastRow || modulodxf::dxfpn.UBound1() < 1)
        modulodxf::dxfpn.Redim(std::max(lastRow, modulodxf::dxfpn.UBound0()), 1);
}

void GrowSegmentMap(std::int32_t lastSegment) {
    if (modulodxf::qqlin.UBound0() < lastSegment || modulodxf::qqlin.UBound1() < 1)
        modulodxf::qqlin.Redim(std::max(lastSegment, modulodxf::qqlin.UBound0()), 1);
}

void GrowPointMap(std::int32_t lastPoint) {
    GrowTo(modulodxf::qqpun, lastPoint);
}

void SetRowHeight(std::int32_t r, double z) {
    if (!RowExists(r))
        return;
    const std::int64_t first = modulodxf::dxfpn(r, 0);
    const std::int64_t last = first + modulodxf::dxfpn(r, 1);
    for (std::int64_t i = first; i <= last; ++i) {
        if (PointExists(i))
            globali::pz[static_cast<std::size_t>(i)] = z;
        rt::RuntimeBackgroundTask();
    }
}

} // namespace surveyrows
