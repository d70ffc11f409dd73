// The XYZ, GDL and 3DMF writers, byte for byte, and the commands around them.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "export/createstoxyz.h"
#include "rt/conv.h"
#include "tests/export/exportsetup.h"
#include "views/fincontrol.h"

namespace {

using namespace exporttest;
using terraintest::SetBounds;
using terraintest::SetGrid;

class GridWriters : public ExportTest {};

// Negative, fractional coordinates: X = -1.5 + 0.5 i, Y = -2 + 0.25 j.
void SetSlopedGrid() {
    SetBounds(-1.5, 0.0, -2.0, -0.75, -5.0, 0.375);
    SetGrid(3, 5, [](int i, int j) { return 0.125 * i - j; });
}

TEST_F(GridWriters, XyzListsEveryNodeColumnByColumnWithTabsAndCarriageReturns) {
    SetSlopedGrid();
    std::string expected;
    for (int i = 0; i <= 3; ++i)
        for (int j = 0; j <= 5; ++j)
            expected += rt::Str(-1.5 + 0.5 * i) + "\t" + rt::Str(-2 + 0.25 * j) + "\t" +
                        rt::Str(0.125 * i - j) + "\r";
    EXPECT_EQ(Export("ExportTextXYZ", "grid.txt"), expected);
    EXPECT_EQ(panel.progress, (std::vector<std::int32_t>{0, 33, 67, 100, 0}));
}

TEST_F(GridWriters, GdlBreaksTheHeightsEveryTenAndAtEveryRowEnd) {
    SetBounds(0.0, 12.5, -3.0, 0.0, 0.0, 30.0);
    SetGrid(6, 2, [](int i, int j) { return 10 * j + i; });
    rt::Instance<fincontrol>().CheckBox1.SetValue(false);
    EXPECT_EQ(Export("ExportTextGDL", "seven.txt"),
              Lines("MESH 12.5, 3, 7, 3, 127, |0, 1, 2, 3, 4, 5, 6, |10, 11, 12, |13, 14, 15, 16, |"
                    "20, 21, 22, 23, 24, 25, |26",
                    "\r"));
    EXPECT_EQ(globali::mesh, 127);
    // Ten nodes to a row: each row fills a line and is followed by an empty one.
    SetGrid(9, 1, [](int i, int j) { return 10 * j + i - 0.5; });
    rt::Instance<fincontrol>().CheckBox1.SetValue(true);
    EXPECT_EQ(Export("ExportTextGDL", "ten.txt"),
              Lines("MESH 12.5, 3, 10, 2, 63, |-0.5, 0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5, ||"
                    "9.5, 10.5, 11.5, 12.5, 13.5, 14.5, 15.5, 16.5, 17.5, 18.5|",
                    "\r"));
    EXPECT_EQ(globali::mesh, 63);
    EXPECT_EQ(panel.progress.back(), 0);
}

// The 3DMF file of a 2 x 2 grid with the given vertex and normal lines, built from the layout's rules.
std::string Metafile(const std::vector<std::string>& vertices, const std::string& box,
                     const std::vector<std::string>& normals, const std::string& colour) {
    std::string text = "3DMetafile ( 1 0 Normal tableofcontents0> )|\ttrimesh0:|\tContainer (|\t\tTriMesh (|"
                       "\t\t\t8 1 0 0 9 0|\t\t\t# triangles";
    for (const char* triangle : {"0 3 4", "4 1 0", "1 4 5", "5 2 1", "3 6 7", "7 4 3", "4 7 8", "8 5 4"})
        text += std::string("|\t\t\t") + triangle;
    text += "|\t\t\t# vertices";
    for (const std::string& v : vertices)
        text += "|\t\t\t" + v;
    text += "|\t\t\t# bounding box:|\t\t\t" + box +
            " False|\t\t)|\t\tAttributeArray ( 3 0 0 0 0|\t\t\t# triangle normals";
    for (const std::string& n : normals)
        text += "|\t\t\t" + n;
    text += "|\t\t)|\t\tattributeSet0:|\t\tContainer (|\t\t\tAttributeSet ( )|\t\t\tDiffuseColor(  " +
            colour + " )|\t\t)|\t)";
    return Lines(text, "\r") + "   \r\r\r";
}

TEST_F(GridWriters, MetafileOfLevelGroundScalesTheLargestSpanTo1000WithUpwardNormals) {
    // X span 4, Y span 2: the scale is 250; the height span sets no limit.
    SetBounds(-3.0, 1.0, 0.5, 2.5, 7.0, 7.0);
    SetGrid(2, 2, [](int, int) { return 7.0; });
    globali::col_3d = 0x3366FF;
    const std::vector<std::string> vertices = {"-500 0 -250", "0 0 -250",   "500 0 -250", "-500 0 0", "0 0 0",
                                               "500 0 0",     "-500 0 250", "0 0 250",    "500 0 250"};
    EXPECT_EQ(Export("ExportQD3D", "level.3mf"),
              Metafile(vertices, "-500 0 -250 500 0 250", std::vector<std::string>(8, "0 1 0"), "0.2 0.4 1"));
    EXPECT_EQ(panel.progress, (std::vector<std::int32_t>{0, 13, 25, 25, 38, 50, 63, 75, 75, 88, 0}));
}

// The eight normals of a file, x y z each.
std::vector<double> NormalsOf(const std::string& file) {
    std::istringstream numbers(file.substr(file.find("# triangle normals") + 18));
    std::vector<double> normals(24, NAN);
    for (double& n : normals)
        numbers >> n;
    return normals;
}

TEST_F(GridWriters, MetafileNormalsAreUnitCrossProductsAndFlatBoundsGiveNoInfinity) {
    // A roof over X: heights rise by one to the middle column and fall again; spans 2, 2, 1.
    SetBounds(0.0, 2.0, 0.0, 2.0, 0.0, 1.0);
    SetGrid(2, 2, [](int i, int) { return i == 1 ? 1.0 : 0.0; });
    const auto normals = NormalsOf(Export("ExportQD3D", "roof.3mf"));
    const double r = 1 / std::sqrt(2.0);
    for (std::size_t k = 0; k < 24; ++k) {
        // Cells of the left column face -X, those of the right column +X; all face up.
        const double expected = k % 3 == 2 ? 0.0 : k % 3 == 1 || (k / 6) % 2 == 1 ? r : -r;
        EXPECT_NEAR(normals[k], expected, 1e-12) << k;
    }
    // All three spans 0: scale 1, every triangle without area faces up.
    SetBounds(4.0, 4.0, 4.0, 4.0, 4.0, 4.0);
    SetGrid(2, 2, [](int, int) { return 4.0; });
    globali::col_3d = 0;
    EXPECT_EQ(Export("ExportQD3D", "point.3mf"), Metafile(std::vector<std::string>(9, "0 0 0"), "0 0 0 0 0 0",
                                                          std::vector<std::string>(8, "0 1 0"), "0 0 0"));
}

TEST_F(GridWriters, MeshCommandsBeepAndWriteNothingWithoutAMeshOrWhenCancelled) {
    SetSlopedGrid();
    globali::celamesh = false;
    for (const char* item : {"ExportTextGDL", "ExportQD3D", "ExportDXF"})
        Choose(item);
    EXPECT_EQ(NewBeeps(), 3);
    // A grid whose arrays end before its interval counts is refused the same way.
    globali::celamesh = true;
    globali::mytot = 6;
    Choose("ExportTextXYZ");
    EXPECT_EQ(NewBeeps(), 4);
    EXPECT_FALSE(globali::createstoxyz(rt::FolderItem(Path("short.txt").string())));
    globali::mytot = 5;
    rt::ScriptedDialogs dialogs;
    for (const char* item : {"ExportTextXYZ", "ExportTextGDL", "ExportQD3D", "ExportDXF"}) {
        dialogs.AnswerSave(std::nullopt);
        Choose(item);
    }
    EXPECT_EQ(dialogs.PendingAnswers(), 0U);
    EXPECT_EQ(NewBeeps(), 4);
    EXPECT_TRUE(std::filesystem::is_empty(Path("")));
}

} // namespace
