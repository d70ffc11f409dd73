// The readers of X, Y, Z text files, of a CAD drawing's tab-separated text export and of contour
// polylines from DXF drawings, with the DXF import options window driven as a user does.

#include "input/setdxf.h"
#include "rt/folderitem.h"
#include "rt/window.h"
#include "tests/input/readertesting.h"
#include <QString>
#include <QTest>

namespace {

using namespace readertest;

Survey LonePoints(const std::vector<Point>& points) {
    Survey s = Loaded(points);
    for (std::int32_t p = 0; p < static_cast<std::int32_t>(points.size()); ++p) {
        s.rows.push_back({p, 0});
        s.rowOfPoint.push_back(p + 1);
    }
    return s;
}

TEST(XyzReader, ReadsOneLonePointPerLineWhateverTheLineEnds) {
    // A short line lacks fields, an empty or a header line still makes a point, a fourth field is
    // not read, and the last line end makes no further point. A byte-order mark is no part of the
    // first X, and a spreadsheet's UTF-16 text reads as the same text in UTF-8.
    const Survey expected = LonePoints(
        {{10, 20, 30}, {1.5, 2.5, 3.5}, {5, 6, 0}, {7, 0, 0}, {0, 0, 0}, {0, 0, 0}, {-4, 8.25, 9}});
    const std::string crlf = ReadBytes(DataFile("points_crlf.txt"));
    std::string utf16 = "\xFF\xFE";
    for (const char c : crlf)
        utf16 += {c, '\0'};
    Scratch scratch;
    for (const std::string& path :
         {DataFile("points_crlf.txt"), DataFile("points_cr.txt"),
          scratch.Write("bom.txt", "\xEF\xBB\xBF" + crlf), scratch.Write("utf16.txt", utf16)}) {
        SetEarlierData();
        EXPECT_EQ(RunReader(Inizio::apritesto, path), "text/plain");
        EXPECT_EQ(Current(), expected) << path;
    }
}

TEST(XyzReader, OneCommaAnywherePutsTheWholeFileInDecimalCommaForm) {
    RunReader(Inizio::apritesto, DataFile("points_comma.txt"));
    EXPECT_EQ(Current(), LonePoints({{1234.5, 2.5, 3}, {125, 0, 0}, {-0.75, 1000, 2}}));
    Scratch scratch;
    RunReader(Inizio::apritesto, scratch.Write("late.txt", "1.5\t2\t3\n\nX,Y,Z"));
    EXPECT_EQ(Current(), LonePoints({{15, 2, 3}, {0, 0, 0}, {0, 0, 0}}));
}

TEST(XyzReader, AnEmptyFileEmptiesTheDataAndHugeNumbersStayFinite) {
    SetEarlierData();
    Scratch scratch;
    RunReader(Inizio::apritesto, scratch.Write("empty.txt", ""));
    EXPECT_EQ(Current(), LonePoints({}));
    RunReader(Inizio::apritesto, scratch.Write("huge.txt", "1e999\t-1e999\t1e-999\n"));
    const Survey read = Current();
    ASSERT_EQ(read.points.size(), 1u);
    EXPECT_GT(read.points[0].x, 1e308);
    EXPECT_LT(read.points[0].y, -1e308);
    EXPECT_EQ(read.points[0].z, 0);
}

TEST(CadTextReader, EveryTextObjectBecomesASpotHeight) {
    SetEarlierData();
    EXPECT_EQ(RunReader(Inizio::apripcaddtesto, DataFile("cad_export.txt")), "text/plain");
    // Y has its sign reversed; commas are decimal signs while points stay ("1.234.5"); the kind
    // compares without case; an unended field 18 is not read; fields after the 18th are ignored.
    EXPECT_EQ(Current(), Loaded({{100, -250, 12.5}, {1.234, 3, 7}, {4, -6, 0}, {-2, -0.5, 3}},
                                {{0, 0}, {1, 0}, {2, 0}, {3, 0}}, {1, 2, 3, 4}));
    Scratch scratch;
    RunReader(Inizio::apripcaddtesto, scratch.Write("lines.txt", "a\tb\tc\td\te\tline\t1\t2\t\n\n"));
    EXPECT_EQ(Current(), Loaded()) << "lines without text objects empty the data";
}

// The contours of make_dxf.py, read with first height 100 and step 5.
Survey Contours() {
    const std::vector<Point> points = {{1.5, 2.25, 100}, {3.5, 4.25, 100}, {5.5, 6.25, 100}, {11, 12, 105},
                                       {13, 14, 105},    {15, 16, 105},    {17, 18, 105}};
    return Loaded(points, {{0, 2}, {3, 3}}, {1, 1, 1, 2, 2, 2, 2});
}

void ReadDxf(const std::optional<std::string>& path, double first = 100, double step = 5,
             std::int32_t skip = 0) {
    EXPECT_EQ(RunReader([&] { modulodxf::leggidxf(first, step, skip); }, path), "special/any");
}

std::vector<Point> Vertices(int count) {
    std::vector<Point> v;
    for (int i = 1; i <= count; ++i)
        v.push_back({static_cast<double>(i), static_cast<double>(-i), 0});
    return v;
}

TEST(DxfReader, ReadsTheContoursThatEzdxfAndOgr2ogrWriteInEachFormWithAnyLineEnds) {
    const std::pair<const char*, std::int32_t> files[] = {{"contours_r2000_lwpolyline.dxf", 1},
                                                          {"contours_ogr_flat.dxf", 1},
                                                          {"contours_ogr_elevation.dxf", 1},
                                                          {"contours_r12_polyline.dxf", 2},
                                                          {"contours_r2000_polyline.dxf", 3}};
    Scratch scratch;
    for (const auto& [name, form] : files) {
        EXPECT_EQ(modulodxf::capiscidxf(rt::FolderItem(DataFile(name))), form) << name;
        const QString lf = QString::fromStdString(ReadBytes(DataFile(name)));
        for (const char* end : {"\n", "\r\n", "\r"}) {
            SetEarlierData();
            ReadDxf(scratch.Write("converted.dxf", QString(lf).replace('\n', end).toStdString()));
            // The elevation in the file is not read; the text label and the point after the
            // polylines add no vertex.
            EXPECT_EQ(Current(), Contours()) << name << " " << int(end[0]) << int(end[1]);
        }
    }
    // Lightweight polylines ahead of the POLYLINE entities are no part of a drawing of that form.
    ReadDxf(scratch.Write("mixed.dxf", LwSection("BLOCKS", {Vertices(2)}) +
                                           ReadBytes(DataFile("contours_r12_polyline.dxf"))));
    EXPECT_EQ(Current(), Contours());
    EXPECT_TRUE(Consistent());
}

TEST(DxfReader, TheSkipKeepsTheFirstVertexThenEverySkipPlusOneAndTheLast) {
    Scratch scratch;
    const std::string path = scratch.Write(
        "skip.dxf", LwSection("ENTITIES", {Vertices(6), Vertices(7), Vertices(4), Vertices(2)}));
    const std::pair<std::int32_t, std::vector<double>> cases[] = {{2, {1, 6, 1, 6, 7, 1, 4, 1}},
                                                                  {3, {1, 6, 1, 7, 1, 1}}};
    for (const auto& [skip, expected] : cases) {
        ReadDxf(path, 0, 1, skip);
        std::vector<double> xs;
        for (const Point& p : Current().points)
            xs.push_back(p.x);
        EXPECT_EQ(xs, expected) << skip;
        EXPECT_TRUE(Consistent());
    }
    EXPECT_EQ(Current().points[1].y, -6) << "a moved point takes its vertex's Y too";
    EXPECT_EQ(Current().points[4].z, 2) << "the third polyline's points lie at its height";
}

TEST(DxfReader,
     APolylineInAnEarlierSectionKeepsItsRowOneWithoutVerticesLeavesNoneAndCodeLikeValuesAreValues) {
    Scratch scratch;
    ReadDxf(
        scratch.Write("blocks.dxf", LwSection("BLOCKS", {Vertices(2), {}}) +
                                        LwSection("ENTITIES", {{{10, 20, 0}, {20, 10, 0}, {20, 20, 0}}, {}})),
        0, 1);
    EXPECT_EQ(Current(), Loaded({{1, -1, 0}, {2, -2, 0}, {10, 20, 1}, {20, 10, 1}, {20, 20, 1}},
                                {{0, 1}, {2, 2}}, {1, 1, 2, 2, 2}));
}

TEST(DxfReader, FilesThatAreNoDrawingOrAreCutShortLoadWhatTheyHold) {
    Scratch scratch;
    SetEarlierData();
    constexpr char kBinary[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\x10\n 10\n";
    ReadDxf(scratch.Write("binary.dxf", std::string(kBinary, sizeof kBinary - 1)));
    EXPECT_EQ(Current(), Loaded());
    // Cut inside the second polyline's third vertex, between a code and its value.
    const std::string whole = ReadBytes(DataFile("contours_r2000_lwpolyline.dxf"));
    const std::size_t cut = whole.find(" 10\n15.0\n");
    ASSERT_NE(cut, std::string::npos);
    ReadDxf(scratch.Write("cut.dxf", whole.substr(0, cut + 4)));
    Survey expected = Contours();
    expected.points.resize(5);
    expected.rows[1][1] = 1;
    expected.rowOfPoint.resize(5);
    EXPECT_EQ(Current(), expected);
}

void ClickBox(rt::CheckBox& box) {
    QTest::mouseClick(box.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(6, box.Height() / 2));
}

std::string Shown(const setdxf& window) {
    return window.efprima.Text() + " " + window.efdelta.Text() +
           (window.efprima.Enabled() && window.efdelta.Enabled() ? " on" : " off");
}

// Presses OK with the file dialog answered by the path (nullopt: cancelled).
void PressOk(setdxf& window, const std::optional<std::string>& path) {
    rt::ScriptedDialogs script;
    script.AnswerOpen(path);
    QTest::mouseClick(window.PushButton1.Widget(), Qt::LeftButton);
    EXPECT_EQ(rt::OpenInstance<setdxf>(), nullptr);
}

TEST(SetDxf, EachToggleOfAutoQuotingOverwritesTheHeightsTheSliderKeepsItsRangeAndEveryOpeningStartsAfresh) {
    setdxf& window = rt::Instance<setdxf>();
    ClickBox(window.CheckBox1);
    window.efprima.Type("\x08"
                        "250");
    ClickBox(window.CheckBox1);
    EXPECT_EQ(Shown(window), "0 0 off");
    ClickBox(window.CheckBox1);
    EXPECT_EQ(Shown(window), "0 10 on");
    QTest::keyClick(window.Slider1.Widget(), Qt::Key_PageUp);
    QTest::keyClick(window.Slider1.Widget(), Qt::Key_Right);
    EXPECT_EQ(window.Slider1.Value(), 20);
    EXPECT_EQ(window.StaticText5.Text(), "20");
    window.Close();
    setdxf& again = rt::Instance<setdxf>();
    EXPECT_FALSE(again.CheckBox1.Value());
    EXPECT_EQ(Shown(again), "0 0 off");
    EXPECT_EQ(std::tuple(again.Slider1.Value(), again.semplifica), std::tuple(0, 0));
}

TEST(SetDxf, OkReadsTheFileWithTheChosenSkipAndCancellingTheFileDialogChangesNothing) {
    Scratch scratch;
    const std::string path =
        scratch.Write("three.dxf", LwSection("ENTITIES", {{{1, 1, 0}, {2, 2, 0}, {3, 3, 0}},
                                                          {{4, 4, 0}, {5, 5, 0}},
                                                          {{6, 6, 0}, {7, 7, 0}, {8, 8, 0}}}));
    setdxf& window = rt::Instance<setdxf>();
    QTest::keyClick(window.Slider1.Widget(), Qt::Key_Right);
    PressOk(window, path);
    EXPECT_EQ(Current(), Loaded({{1, 1, 0}, {3, 3, 0}, {4, 4, 0}, {6, 6, 0}, {8, 8, 0}},
                                {{0, 1}, {2, 0}, {3, 1}}, {1, 1, 2, 3, 3}));
    SetEarlierData();
    const Survey before = Current();
    PressOk(rt::Instance<setdxf>(), std::nullopt);
    EXPECT_EQ(Current(), before);
}

} // namespace
