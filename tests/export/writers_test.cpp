// The DXF, XYZ, GDL and 3DMF writers, byte for byte, the commands around them, the polyline writer's
// progress bar, and their failures.

#include <QApplication>
#include <QEvent>
#include <QProgressBar>
#include <QWidget>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "export/createstoxyz.h"
#include "export/finscrivilinee.h"
#include "rt/conv.h"
#include "rt/textinput.h"
#include "tests/export/exportsetup.h"
#include "tests/support/filesizelimit.h"
#include "views/fincontrol.h"

namespace {

using namespace exporttest;
using terraintest::SetBounds;
using terraintest::SetGrid;
using terraintest::SetPoints;
using testsupport::FileSizeLimit;

class Writers : public ExportTest {};

TEST_F(Writers, MeshFileHoldsTheBoundsAndTwoTrianglesPerCellWithCrLfLineEnds) {
    // The heights stay well inside the height bounds, which the header carries as they stand.
    SetBounds(-1.0, 1.0, -0.5, 0.5, -10.0, 10.0);
    SetGrid(2, 2, [](int i, int j) { return i - 0.25 * j; });
    std::string expected =
        "999|DXF created from Ambrelix|0|SECTION|2|HEADER|9|$EXTMIN|10|-1|20|-0.5|30|-10|9|"
        "$EXTMAX|10|1|20|0.5|30|10|0|ENDSEC|0|SECTION|2|BLOCKS|0|ENDSEC|0|SECTION|2|ENTITIES|0";
    const auto corner = [](int code, int i, int j) {
        return "|" + std::to_string(10 + code) + "|" + rt::Str(globali::mx(i, j)) + "|" +
               std::to_string(20 + code) + "|" + rt::Str(globali::my(i, j)) + "|" +
               std::to_string(30 + code) + "|" + rt::Str(globali::mz(i, j));
    };
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i)
            for (const bool faceA : {true, false})
                expected += "|3DFACE|8|mat1layer|62|1.000" + corner(0, i, j) +
                            corner(1, faceA ? i : i + 1, faceA ? j + 1 : j) + corner(2, i + 1, j + 1) +
                            corner(3, i + 1, j + 1) + "|0";
    EXPECT_EQ(Export("ExportDXF", "mesh.dxf"), Lines(expected + "|ENDSEC|0|EOF", "\r\n"));
    EXPECT_EQ(panel.progress, (std::vector<std::int32_t>{0, 50, 0}));
}

const std::string kPolylineHead =
    "999|DXF Writing Engine from Tamborvelt Software House|0|SECTION|2|HEADER|9|"
    "$ACADVER|1|AC1009|0|ENDSEC|0|SECTION|2|TABLES|0|TABLE|2|LAYER|70|128|0|LAYER|"
    "2|LAYER|70|0|6|CONTINUOUS|62|1|0|ENDTAB|0|ENDSEC|0|SECTION|2|ENTITIES|";

std::string Polyline(const std::vector<std::pair<std::string, std::string>>& vertices) {
    std::string text = "0|POLYLINE|8|LAYER|66|1|";
    for (const auto& [x, y] : vertices)
        text += "0|VERTEX|8|LAYER|10|" + x + "|20|" + y + "|";
    return text + "0|SEQEND|";
}

TEST_F(Writers, InTwoDimensionsThePolylinesOfTwoOrMorePointsAreWrittenInPlan) {
    Inizio::ambiente = 1;
    SetPoints({{5, 5, 1}, {-1.5, 2, 10}, {0.25, -3, 10}, {7, 8.125, 10}, {1, 1, 2}, {2, 2, 2}});
    // A lone point, a polyline of three, a polyline without vertices, a polyline of two.
    SetTable({{0, 0}, {1, 2}, {4, -1}, {4, 1}});
    modulodxf::dxfpn(0, 0) = 1;
    modulodxf::dxfpn(0, 1) = 4;
    EXPECT_EQ(Export("ExportDXF", "curve.dxf"),
              Lines(kPolylineHead + Polyline({{"-1.5", "2"}, {"0.25", "-3"}, {"7", "8.125"}}) +
                        Polyline({{"1", "1"}, {"2", "2"}}) + "0|ENDSEC|0|EOF",
                    "\r\n"));
    EXPECT_EQ(NewBeeps(), 0);
    SetTable({});
    EXPECT_EQ(Export("ExportDXF", "empty.dxf"), Lines(kPolylineHead + "0|ENDSEC|0|EOF", "\r\n"));
    EXPECT_EQ(rt::OpenInstance<finscrivilinee>(), nullptr);
}

// Counts the paints of the DXF polyline writer's progress bar.
class BarPaints : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<QProgressBar*>(watched) != nullptr &&
            static_cast<QWidget*>(watched)->window()->windowTitle() ==
                QStringLiteral("Registrazione in corso.."))
            ++count;
        return false;
    }
};

TEST_F(Writers, ThePolylineWritersProgressBarPaintsOnlyWhenItGrowsByAPixel) {
    Inizio::ambiente = 1;
    constexpr int kRows = 3000, kBarWidth = 360;
    SetTable(std::vector<std::pair<std::int32_t, std::int32_t>>(kRows, {0, 0}));
    BarPaints paints;
    QApplication::instance()->installEventFilter(&paints);
    Export("ExportDXF", "curve.dxf");
    QApplication::instance()->removeEventFilter(&paints);
    EXPECT_GT(paints.count, 0);
    EXPECT_LE(paints.count, kBarWidth + 2);
}

// Negative, fractional coordinates: X = -1.5 + 0.5 i, Y = -2 + 0.25 j.
void SetSlopedGrid() {
    SetBounds(-1.5, 0.0, -2.0, -0.75, -5.0, 0.375);
    SetGrid(3, 5, [](int i, int j) { return 0.125 * i - j; });
}

TEST_F(Writers, XyzListsEveryNodeColumnByColumnWithTabsAndCarriageReturns) {
    SetSlopedGrid();
    std::string expected;
    for (int i = 0; i <= 3; ++i)
        for (int j = 0; j <= 5; ++j)
            expected += rt::Str(-1.5 + 0.5 * i) + "\t" + rt::Str(-2 + 0.25 * j) + "\t" +
                        rt::Str(0.125 * i - j) + "\r";
    const std::uint64_t yields = rt::YieldCount();
    EXPECT_EQ(Export("ExportTextXYZ", "grid.txt"), expected);
    EXPECT_EQ(rt::YieldCount() - yields, 4U * 6U + 4U) << "one yield per node and one per column";
    EXPECT_EQ(panel.progress, (std::vector<std::int32_t>{0, 33, 67, 100, 0}));
}

TEST_F(Writers, GdlBreaksTheHeightsEveryTenAndAtEveryRowEnd) {
    SetBounds(0.0, 12.5, -3.0, 0.0, 0.0, 30.0);
    SetGrid(6, 2, [](int i, int j) { return 10 * j + i; });
    rt::Instance<fincontrol>().CheckBox1.SetValue(false);
    EXPECT_EQ(Export("ExportTextGDL", "seven.txt"),
              Lines("MESH 12.5, 3, 7, 3, 127, |0, 1, 2, 3, 4, 5, 6, |10, 11, 12, |13, 14, 15, 16, |"
                    "20, 21, 22, 23, 24, 25, |26",
                    "\r"));
    EXPECT_EQ(globali::mesh, 127);
    EXPECT_EQ(panel.progress, (std::vector<std::int32_t>{0, 50, 100, 0}));
    // Ten nodes to a row: each row fills a line and is followed by an empty one.
    SetGrid(9, 1, [](int i, int j) { return 10 * j + i - 0.5; });
    rt::Instance<fincontrol>().CheckBox1.SetValue(true);
    EXPECT_EQ(Export("ExportTextGDL", "ten.txt"),
              Lines("MESH 12.5, 3, 10, 2, 63, |-0.5, 0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5, ||"
                    "9.5, 10.5, 11.5, 12.5, 13.5, 14.5, 15.5, 16.5, 17.5, 18.5|",
                    "\r"));
    EXPECT_EQ(globali::mesh, 63);
}

std::string Rows(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows)
        text += "|\t\t\t" + row;
    return text;
}

// The 3DMF file of a 2 x 2 grid with the given vertex and normal lines, built from the layout's rules.
std::string Metafile(const std::vector<std::string>& vertices, const std::string& box,
                     const std::vector<std::string>& normals, const std::string& colour) {
    const std::string text =
        "3DMetafile ( 1 0 Normal tableofcontents0> )|\ttrimesh0:|\tContainer (|\t\tTriMesh (|"
        "\t\t\t8 1 0 0 9 0|\t\t\t# triangles" +
        Rows({"0 3 4", "4 1 0", "1 4 5", "5 2 1", "3 6 7", "7 4 3", "4 7 8", "8 5 4"}) + "|\t\t\t# vertices" +
        Rows(vertices) + "|\t\t\t# bounding box:|\t\t\t" + box +
        " False|\t\t)|\t\tAttributeArray ( 3 0 0 0 0|\t\t\t# triangle normals" + Rows(normals) +
        "|\t\t)|\t\tattributeSet0:|\t\tContainer (|\t\t\tAttributeSet ( )|\t\t\tDiffuseColor(  " + colour +
        " )|\t\t)|\t)";
    return Lines(text, "\r") + "   \r\r\r";
}

TEST_F(Writers, MetafileOfLevelGroundScalesTheLargestSpanTo1000WithUpwardNormals) {
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

TEST_F(Writers, MetafileNormalsAreUnitCrossProductsAndFlatBoundsGiveNoInfinity) {
    // A roof over X: heights rise by one to the middle column and fall again; spans 2, 2, 1.
    SetBounds(0.0, 2.0, 0.0, 2.0, 0.0, 1.0);
    SetGrid(2, 2, [](int i, int) { return i == 1 ? 1.0 : 0.0; });
    const std::string roof = Export("ExportQD3D", "roof.3mf");
    std::istringstream normals(roof.substr(roof.find("# triangle normals") + 18));
    const double r = 1 / std::sqrt(2.0);
    for (std::size_t k = 0; k < 24; ++k) { // eight normals, x y z each
        // Cells of the left column face -X, those of the right column +X; all face up.
        double normal = NAN;
        normals >> normal;
        EXPECT_NEAR(normal, k % 3 == 2 ? 0.0 : k % 3 == 1 || (k / 6) % 2 == 1 ? r : -r, 1e-12) << k;
    }
    // All three spans 0: scale 1, every triangle without area faces up.
    SetBounds(4.0, 4.0, 4.0, 4.0, 4.0, 4.0);
    SetGrid(2, 2, [](int, int) { return 4.0; });
    globali::col_3d = 0;
    EXPECT_EQ(Export("ExportQD3D", "point.3mf"), Metafile(std::vector<std::string>(9, "0 0 0"), "0 0 0 0 0 0",
                                                          std::vector<std::string>(8, "0 1 0"), "0 0 0"));
}

TEST_F(Writers, MeshCommandsBeepAndWriteNothingWithoutAMeshOrWhenCancelled) {
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

TEST_F(Writers, AFileThatCannotBeWrittenInFullIsReportedAndTheFormerFileKept) {
    SetBounds(-12.5, 12.5, -3.0, 40.0, -1.0, 1.0);
    SetGrid(20, 20, [](int i, int j) { return 0.123456789 * i - 0.987654321 * j; });
    std::vector<terraintest::Point> points;
    for (int k = 0; k < 300; ++k)
        points.push_back({k * 1.0625, -k * 3.125, 0.0});
    SetPoints(points);
    SetTable({{0, 299}});
    const auto expectFailure = [this](const char* item, std::int32_t mode, const std::string& path) {
        SCOPED_TRACE(std::string(item) + " in mode " + std::to_string(mode) + " to " + path);
        Inizio::ambiente = mode;
        panel.progress.clear();
        const std::int32_t beeps = NewBeeps();
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerSave(path);
        dialogs.AnswerMessage();
        Choose(item);
        ASSERT_EQ(dialogs.Requests().size(), 2U);
        EXPECT_EQ(dialogs.Requests()[1].text, "Can't write the file!\r\rNon posso scrivere il file!");
        EXPECT_EQ(NewBeeps(), beeps + 1);
        EXPECT_TRUE(panel.progress.empty() || panel.progress.back() == 0);
        EXPECT_EQ(rt::OpenInstance<finscrivilinee>(), nullptr);
    };
    const std::pair<const char*, std::int32_t> commands[] = {
        {"ExportTextXYZ", 2}, {"ExportTextGDL", 2}, {"ExportQD3D", 2}, {"ExportDXF", 2}, {"ExportDXF", 1}};
    std::ofstream(Path("plain")) << "x"; // a file under it cannot be created, whoever runs the test
    ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);
    const std::string former(1000, 'f');
    std::ofstream(Path("former.txt")) << former;
    for (const auto& [item, mode] : commands) {
        expectFailure(item, mode, (Path("plain") / "out.txt").string());
        expectFailure(item, mode, Path("pipe").string()); // refused at once, never waiting for a reader
        EXPECT_TRUE(std::filesystem::is_fifo(Path("pipe")));
        const FileSizeLimit limit(2048);
        expectFailure(item, mode, Path("full.txt").string());
        EXPECT_FALSE(std::filesystem::exists(Path("full.txt")));
        expectFailure(item, mode, Path("former.txt").string());
        EXPECT_EQ(ReadFile(Path("former.txt")), former);
        EXPECT_FALSE(panel.progress.empty() && mode == 2) << "the writer never reported progress";
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("")), {}), 3) << "temporary files left";
}

TEST_F(Writers, CopyGdlTextReportsATemporaryFileThatFailsAndLeavesTheClipboardAsItWas) {
    SetBounds(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
    SetGrid(20, 20, [](int i, int j) { return 0.0123 * i - 0.0456 * j; });
    const rt::FolderItem temporary = rt::GetFolderItem("GDLTEMP.TXT");
    const auto expectReported = [this](const char* failure, std::int64_t failReadsFrom,
                                       const std::string& message) {
        SCOPED_TRACE(failure);
        const std::int32_t beeps = NewBeeps();
        rt::SetClipboardText("kept");
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerMessage();
        {
            const rt::testhooks::FailingReads failing(failReadsFrom);
            Choose("ExportCopyGDLText");
        }
        ASSERT_EQ(dialogs.Requests().size(), 1U);
        EXPECT_EQ(dialogs.Requests()[0].text, message);
        EXPECT_EQ(rt::ClipboardText(), "kept");
        EXPECT_EQ(NewBeeps(), beeps + 1);
    };
    std::filesystem::create_directory(temporary.Path());
    expectReported("a folder in the temporary file's place", -1,
                   "Can't write the file!\r\rNon posso scrivere il file!");
    std::filesystem::remove(temporary.Path());
    expectReported("a read error inside the text", 3000,
                   "Can't copy the GDL text!\r\rNon posso copiare il testo GDL!");
    EXPECT_FALSE(temporary.Exists());
}

// Writes sample files with the writers, each with a JSON note of what it holds, for the
// independent readers of tests/data/check_dxf_readers.py. Runs only when that check asks for it
// (AMBRELIX_EXPORT_SAMPLES names the folder).
class ReaderSamples : public ExportTest {
protected:
    void SetUp() override {
        const char* folder = std::getenv("AMBRELIX_EXPORT_SAMPLES");
        if (folder == nullptr)
            GTEST_SKIP() << "AMBRELIX_EXPORT_SAMPLES is not set";
        folder_ = folder;
        ExportTest::SetUp();
    }
    void Write(const char* item, std::int32_t mode, const std::string& name, const std::string& note) {
        Inizio::ambiente = mode;
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerSave(folder_ + "/" + name);
        Choose(item);
        std::ofstream(folder_ + "/" + name + ".json") << note;
    }
    std::string folder_;
};

std::string Node(int i, int j) {
    return "[" + rt::Str(globali::mx(i, j)) + ", " + rt::Str(globali::my(i, j)) + ", " +
           rt::Str(globali::mz(i, j)) + "]";
}

TEST_F(ReaderSamples, WriteTheMeshPolylineAndGridFiles) {
    SetBounds(-7.5, 4.5, -2.25, 10.25, -3.0, 6.0);
    SetGrid(3, 5, [](int i, int j) { return 1.5 * i - 0.75 * j + 0.125; });
    std::string faces;
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 3; ++i)
            for (const bool faceA : {true, false})
                faces += std::string(faces.empty() ? "" : ", ") + "[" + Node(i, j) + ", " +
                         Node(faceA ? i : i + 1, faceA ? j + 1 : j) + ", " + Node(i + 1, j + 1) + "]";
    Write("ExportDXF", 2, "mesh.dxf", "{\"kind\": \"faces\", \"faces\": [" + faces + "]}");
    Write("ExportTextXYZ", 2, "grid.xyz",
          "{\"kind\": \"grid\", \"columns\": 4, \"rows\": 6, \"low\": -3.625, \"high\": 4.625}");
    SetPoints(
        {{3, 4, 0}, {-10.5, 2.25, 1}, {-8, 7.75, 1}, {-3.5, 12, 1}, {9, -4, 2}, {20, 1.5, 2}, {0, 0, 0}});
    SetTable({{0, 0}, {1, 2}, {4, 1}, {6, 0}});
    const std::string polylines = "[[[-10.5, 2.25], [-8, 7.75], [-3.5, 12]], [[9, -4], [20, 1.5]]]";
    Write("ExportDXF", 1, "curve.dxf", "{\"kind\": \"polylines\", \"polylines\": " + polylines + "}");
    SetTable({{0, 0}});
    Write("ExportDXF", 1, "lonepoints.dxf", "{\"kind\": \"polylines\", \"polylines\": []}");
}

} // namespace
