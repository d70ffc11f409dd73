#pragma once
// Shared set-up for the reader tests: test files, a reader run with a scripted open dialog, and
// the survey data as plain values with the rules every read leaves standing.

#include "input/readers.h"
#include "input/twodmode.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/dialogs.h"
#include "rt/picture.h"
#include <QTemporaryDir>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace readertest {

inline std::string DataFile(const std::string& name) {
    return (std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / name).string();
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Scratch {
public:
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string Path(const std::string& name) const {
        return folder_.filePath(QString::fromStdString(name)).toStdString();
    }

private:
    QTemporaryDir folder_;
};

// Runs a reader with its open dialog answered by `path` (nullopt: cancelled); returns the file
// type the dialog asked for.
inline std::string RunReader(const std::function<void()>& reader, const std::optional<std::string>& path) {
    rt::ScriptedDialogs script;
    script.AnswerOpen(path);
    reader();
    EXPECT_EQ(script.PendingAnswers(), 0u);
    return script.Requests().empty() ? std::string() : script.Requests().front().fileType;
}

struct Point {
    double x, y, z;
    bool operator==(const Point&) const = default;
};
using Row = std::array<std::int32_t, 2>;

// The points 0..ptot, the rows 1..dxfcounter, each point's row, the working mode, whether a traced
// picture is set and the selected 2D control.
struct Survey {
    std::vector<Point> points;
    std::vector<Row> rows;
    std::vector<std::int32_t> rowOfPoint;
    std::int32_t mode = 0;
    bool picture = false;
    std::int32_t selected = -1;
    bool operator==(const Survey&) const = default;
};

inline Survey Loaded(std::vector<Point> points = {}, std::vector<Row> rows = {},
                     std::vector<std::int32_t> rowOfPoint = {}) {
    return Survey{std::move(points), std::move(rows), std::move(rowOfPoint), 1, false, -1};
}

inline Survey Current() {
    Survey s;
    for (std::int32_t p = 0; p <= globali::ptot; ++p) {
        const auto i = static_cast<std::size_t>(p);
        s.points.push_back({globali::px.at(i), globali::py.at(i), globali::pz.at(i)});
        s.rowOfPoint.push_back(modulodxf::dxfxyz.at(i));
    }
    for (std::int32_t r = 1; r <= modulodxf::dxfcounter; ++r)
        s.rows.push_back({modulodxf::dxfpn(r, 0), modulodxf::dxfpn(r, 1)});
    s.mode = Inizio::ambiente;
    s.picture = static_cast<bool>(Inizio::immaginesfondo);
    s.selected = modulodxf::selpre.at(0);
    return s;
}

// One row per list of points.
inline void SetSurvey(const std::vector<std::vector<Point>>& rows) {
    globali::px = globali::py = globali::pz = {};
    modulodxf::dxfxyz.clear();
    globali::ptot = -1;
    modulodxf::dxfcounter = 0;
    modulodxf::dxfpn.Redim(static_cast<std::int32_t>(rows.size()), 1);
    for (const auto& row : rows) {
        const std::int32_t r = ++modulodxf::dxfcounter;
        modulodxf::dxfpn(r, 0) = globali::ptot + 1;
        modulodxf::dxfpn(r, 1) = static_cast<std::int32_t>(row.size()) - 1;
        for (const Point& p : row) {
            globali::px.push_back(p.x);
            globali::py.push_back(p.y);
            globali::pz.push_back(p.z);
            modulodxf::dxfxyz.push_back(r);
            ++globali::ptot;
        }
    }
}

// Earlier data, a traced picture, a selection and working mode 2.
inline void SetEarlierData() {
    SetSurvey({{{1, 4, 7}, {2, 5, 8}}, {{3, 6, 9}}});
    Inizio::ambiente = 2;
    Inizio::immaginesfondo = rt::Picture::New(4, 4);
    modulodxf::selpre = {1, 1};
}

// A section of lightweight polylines, one per list of (X, Y) vertices.
inline std::string LwSection(const std::string& section, const std::vector<std::vector<Point>>& polylines) {
    std::string text = "  0\nSECTION\n  2\n" + section + "\n";
    for (const auto& polyline : polylines) {
        text += "  0\nLWPOLYLINE\n  8\n0\n100\nAcDbPolyline\n 90\n" + std::to_string(polyline.size()) + "\n";
        for (const Point& v : polyline)
            text += " 10\n" + std::to_string(v.x) + "\n 20\n" + std::to_string(v.y) + "\n 30\n" + "0\n";
    }
    return text + "  0\nENDSEC\n";
}

// The rules every read leaves standing: the arrays hold the points and rows; the rows follow each
// other from point 0 without gaps inside the point set (a row may hold none); each point knows its row.
inline ::testing::AssertionResult Consistent() {
    const auto ptot = globali::ptot;
    const auto rows = modulodxf::dxfcounter;
    const auto size = static_cast<std::int64_t>(ptot) + 1;
    const auto small = [size](const auto& array) { return std::int64_t(array.size()) < size; };
    if (ptot < -1 || rows < 0 || small(globali::px) || small(globali::py) || small(globali::pz) ||
        small(modulodxf::dxfxyz) || modulodxf::dxfpn.UBound0() < rows || modulodxf::dxfpn.UBound1() < 1)
        return ::testing::AssertionFailure() << "ptot " << ptot << ", dxfcounter " << rows;
    std::int64_t next = 0;
    for (std::int32_t r = 1; r <= rows; ++r) {
        const std::int64_t first = modulodxf::dxfpn(r, 0), last = modulodxf::dxfpn(r, 1);
        if (first != next || last < -1 || first + last > ptot)
            return ::testing::AssertionFailure() << "row " << r << " = (" << first << ", " << last
                                                 << ") after point " << next - 1 << " of " << ptot;
        for (std::int64_t p = first; p <= first + last; ++p)
            if (modulodxf::dxfxyz[static_cast<std::size_t>(p)] != r)
                return ::testing::AssertionFailure() << "point " << p << " is not in row " << r;
        next = first + last + 1;
    }
    if (next != size)
        return ::testing::AssertionFailure() << "points " << next << ".." << ptot << " lie in no row";
    return ::testing::AssertionSuccess();
}

} // namespace readertest
