#pragma once
// Points and polyline rows read from a file, held apart from the shared survey data until the
// whole file has been read, so that a file that cannot be read changes nothing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// English, then Italian, as every message of the program.
inline const std::string kReadFailureMessage = "Can't read the file!\r\rNon posso leggere il file!";

// Tells the user that the chosen file could not be opened or not be read to its end.
void ReportReadFailure();

class LoadedSurvey {
public:
    // A one-point row holding a new point.
    void AddLonePoint(double x, double y, double z);
    // A new row without points, whose first point will be the next point added.
    void StartRow();
    // Drops the last row when it holds no point.
    void DropLastRowIfEmpty();
    // A new point at the end of the last row; nothing when there is no row.
    void AppendToLastRow(double x, double y, double z);
    // Move the last point of the set, when there is one.
    void MoveLastPointX(double x);
    void MoveLastPointYZ(double y, double z);

    std::size_t PointCount() const { return x_.size(); }
    // Rows are numbered from 1; this is the number of the last one (0 when there is none).
    std::int32_t RowCount() const { return static_cast<std::int32_t>(rows_.size()); }
    // The last row's point count minus 1; -1 when it has no point or there is no row.
    std::int32_t LastRowLast() const { return rows_.empty() ? -1 : rows_.back().last; }

    // Empties the shared data (Inizio::azzeradati) and stores these points and rows in it: point
    // p in globali::px, py, pz (p = 0..ptot) and row r (from 1) in modulodxf::dxfpn. Leaves
    // this object empty.
    void MoveIntoSharedData();

private:
    struct Row {
        std::int32_t first = 0; // index of its first point (or of the point it would have)
        std::int32_t last = -1; // its point count minus 1; -1 while it has none
    };

    // Indices stay int32 in the shared data; points beyond this many are not read.
    static constexpr std::size_t kMaxPoints = 0x7FFFFFF0;
    bool Full() const { return x_.size() >= kMaxPoints || rows_.size() >= kMaxPoints; }
    void AddPoint(double x, double y, double z);

    std::vector<double> x_;
    std::vector<double> y_;
    std::vector<double> z_;
    std::vector<std::int32_t> rowOfPoint_;
    std::vector<Row> rows_;
};
