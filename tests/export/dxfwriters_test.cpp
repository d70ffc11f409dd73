// The DXF mesh and polyline writers, byte for byte, and the command that picks one of them by
// working mode.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/finscrivilinee.h"
#include "rt/conv.h"
#include "tests/export/exportsetup.h"

namespace {

using namespace exporttest;
using terraintest::SetBounds;
using terraintest::SetGrid;
using terraintest::SetPoints;

class DxfWriters : public ExportTest {};

TEST_F(DxfWriters, MeshFileHoldsTheBoundsAndTwoTrianglesPerCellWithCrLfLineEnds) {
    // The heights stay well inside the height bounds, which the header carries as they stand.
    SetBounds(-1.0, 1.0, -0.5, 0.5, -10.0, 10.0);
    SetGrid(2, 2, [](int i, int j) { return i - 0.25 * j; });
    std::string expected =
        Lines("999|DXF created from Ambrelix|0|SECTION|2|HEADER|9|$EXTMIN|10|-1|20|-0.5|30|-10|"
              "9|$EXTMAX|10|1|20|0.5|30|10|0|ENDSEC|0|SECTION|2|BLOCKS|0|ENDSEC|0|SECTION|2|"
              "ENTITIES|0",
              "\r\n");
    const auto corner = [](int code, int i, int j) {
        return "|" + std::to_string(10 + code) + "|" + rt::Str(globali::mx(i, j)) + "|" +
               std::to_string(20 + code) + "|" + rt::Str(globali::my(i, j)) + "|" +
               std::to_string(30 + code) + "|" + rt::Str(globali::mz(i, j));
    };
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i)
            for (const bool faceA : {true, false})
                expected += Lines("3DFACE|8|mat1layer|62|1.000" + corner(0, i, j) +
                                      corner(1, faceA ? i : i + 1, faceA ? j + 1 : j) +
                                      corner(2, i + 1, j + 1) + corner(3, i + 1, j + 1) + "|0",
                                  "\r\n");
    expected += Lines("ENDSEC|0|EOF", "\r\n");
    EXPECT_EQ(Export("ExportDXF", "mesh.dxf"), expected);
    EXPECT_EQ(panel.progress, (std::vector<std::int32_t>{0, 50, 0}));
}

const std::string kPolylineHead =
    "999|DXF Writing Engine from Tamborvelt Software House|0|SECTION|2|HEADER|9|"
    "$ACADVER|1|AC1009|0|ENDSEC|0|SECTION|2|TABLES|0|TABLE|2|LAYER|70|128|0|LAYER|"
    "2|LAYER|70|0|6|CONTINUOUS|62|1|0|ENDTAB|0|ENDSEC|0|SECTION|2|ENTITIES|";
const std::string kTail = "0|ENDSEC|0|EOF";

std::string Polyline(const std::vector<std::pair<std::string, std::string>>& vertices) {
    std::string text = "0|POLYLINE|8|LAYER|66|1|";
    for (const auto& [x, y] : vertices)
        text += "0|VERTEX|8|LAYER|10|" + x + "|20|" + y + "|";
    return text + "0|SEQEND|";
}

TEST_F(DxfWriters, InTwoDimensionsThePolylinesOfTwoOrMorePointsAreWrittenInPlan) {
    Inizio::ambiente = 1;
    SetPoints({{5, 5, 1}, {-1.5, 2, 10}, {0.25, -3, 10}, {7, 8.125, 10}, {1, 1, 2}, {2, 2, 2}});
    // A lone point, a polyline of three, a polyline without vertices, a polyline of two.
    SetTable({{0, 0}, {1, 2}, {4, -1}, {4, 1}});
    modulodxf::dxfpn(0, 0) = 1;
    modulodxf::dxfpn(0, 1) = 4;
    EXPECT_EQ(Export("ExportDXF", "curve.dxf"),
              Lines(kPolylineHead + Polyline({{"-1.5", "2"}, {"0.25", "-3"}, {"7", "8.125"}}) +
                        Polyline({{"1", "1"}, {"2", "2"}}) + kTail,
                    "\r\n"));
    EXPECT_EQ(NewBeeps(), 0);
    // An empty table gives the head and the tail alone.
    SetTable({});
    EXPECT_EQ(Export("ExportDXF", "empty.dxf"), Lines(kPolylineHead + kTail, "\r\n"));
    EXPECT_EQ(rt::OpenInstance<finscrivilinee>(), nullptr);
}

} // namespace
