#include "input/loadedsurvey.h"

#include <algorithm>
#include <utility>

#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/dialogs.h"

void ReportReadFailure() {
    rt::MsgBox(kReadFailureMessage);
}

void LoadedSurvey::AddPoint(double x, double y, double z) {
    x_.push_back(x);
    y_.push_back(y);
    z_.push_back(z);
    rowOfPoint_.push_back(static_cast<std::int32_t>(rows_.size()));
}

void LoadedSurvey::AddLonePoint(double x, double y, double z) {
    if (Full())
        return;
    StartRow();
    AppendToLastRow(x, y, z);
}

void LoadedSurvey::StartRow() {
    if (Full())
        return;
    rows_.push_back(Row{static_cast<std::int32_t>(x_.size()), -1});
}

void LoadedSurvey::DropLastRowIfEmpty() {
    if (!rows_.empty() && rows_.back().last < 0)
        rows_.pop_back();
}

void LoadedSurvey::AppendToLastRow(double x, double y, double z) {
    if (rows_.empty() || Full())
        return;
    AddPoint(x, y, z);
    ++rows_.back().last;
}

void LoadedSurvey::MoveLastPointX(double x) {
    if (!x_.empty())
        x_.back() = x;
}

void LoadedSurvey::MoveLastPointYZ(double y, double z) {
    if (y_.empty())
        return;
    y_.back() = y;
    z_.back() = z;
}

void LoadedSurvey::MoveIntoSharedData() {
    Inizio::azzeradati();
    const auto points = static_cast<std::int32_t>(x_.size());
    const std::int32_t rows = RowCount();
    // The arrays keep at least the one element that the reset leaves.
    const std::size_t kept = std::max<std::size_t>(x_.size(), 1);
    globali::px = std::move(x_);
    globali::py = std::move(y_);
    globali::pz = std::move(z_);
    modulodxf::dxfxyz = std::move(rowOfPoint_);
    globali::px.resize(kept);
    globali::py.resize(kept);
    globali::pz.resize(kept);
    modulodxf::dxfxyz.resize(kept);
    globali::ptot = points - 1;

    modulodxf::dxfpn.Redim(rows, 1);
    for (std::int32_t r = 1; r <= rows; ++r) {
        const Row& row = rows_[static_cast<std::size_t>(r - 1)];
        modulodxf::dxfpn(r, 0) = row.first;
        modulodxf::dxfpn(r, 1) = row.last;
    }
    modulodxf::dxfcounter = rows;
    *this = LoadedSurvey();
}
