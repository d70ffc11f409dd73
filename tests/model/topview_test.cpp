#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "model/contours.h"
#include "model/globali.h"
#include "rt/picture.h"
#include "rt/window.h"
#include "terrainsetup.h"
#include "views/fincontrol.h"
#include "views/finestra.h"

namespace {

using terraintest::ProgressLog;
using terraintest::SetBounds;
using terraintest::SetGrid;

constexpr rt::Color kBackdrop = 0x2040C0;
constexpr rt::Color kBlack = 0x000000;

// A drawing window whose canvas is width x height and shows a plain blue backdrop.
rt::Picture PrepareCanvas(std::int32_t width, std::int32_t height) {
    Finestra& window = rt::Instance<Finestra>();
    window.can_dis.SetWidth(width);
    window.can_dis.SetHeight(height);
    rt::Picture backdrop = rt::Picture::New(width, height, 32);
    backdrop.Graphics().SetForeColor(kBackdrop);
    backdrop.Graphics().FillRect(0, 0, width, height);
    window.can_dis.SetBackdrop(backdrop);
    return backdrop;
}

TEST(TopView, FitsTheBoundingBoxToTheCanvasAndPastesItCentred) {
    const rt::Picture backdrop = PrepareCanvas(1000, 800);
    SetBounds(0, 500, 0, 200, 0, 10);
    SetGrid(2, 2, [](int, int) { return 1.0; });
    globali::curvedilivello();

    // W = 1000, H = 400, pasted at (0, 200).
    const rt::Color node = contours::HeightColour(1.0);
    EXPECT_EQ(backdrop.Pixel(500, 199), kBackdrop);
    EXPECT_EQ(backdrop.Pixel(500, 200), node);
    EXPECT_EQ(backdrop.Pixel(0, 200), node);
    EXPECT_EQ(backdrop.Pixel(999, 599), node);
    EXPECT_EQ(backdrop.Pixel(500, 600), kBackdrop);
    EXPECT_EQ(backdrop.Pixel(999, 0), kBackdrop);
    EXPECT_EQ(backdrop.Pixel(0, 799), kBackdrop);
}

TEST(TopView, OddMarginsArePastedByTheConversionOfTheirHalves) {
    const rt::Picture backdrop = PrepareCanvas(1001, 801);
    SetBounds(0, 500, 0, 200, 0, 10);
    SetGrid(2, 2, [](int, int) { return 1.0; });
    globali::curvedilivello();

    // W = 1001, H = conv(400.4) = 400; top = conv(200.5) = 201.
    const rt::Color node = contours::HeightColour(1.0);
    EXPECT_EQ(backdrop.Pixel(500, 200), kBackdrop);
    EXPECT_EQ(backdrop.Pixel(500, 201), node);
    EXPECT_EQ(backdrop.Pixel(1000, 600), node);
    EXPECT_EQ(backdrop.Pixel(500, 601), kBackdrop);
}

TEST(TopView, EachCellShowsItsTopLeftNodeWithYGrowingDownward) {
    const rt::Picture backdrop = PrepareCanvas(1000, 800);
    SetBounds(0, 500, 0, 200, 0, 2);
    // All heights strictly between the levels 0 and 2: no contour line.
    SetGrid(2, 2, [](int i, int j) { return 0.1 + 0.3 * i + 0.6 * j; });
    globali::mz(1, 1) = 1.9; // a hill near (xmax, ymax)
    globali::curvedilivello();

    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            EXPECT_EQ(backdrop.Pixel(250 + 500 * i, 200 + 100 + 200 * j),
                      contours::HeightColour(globali::mz(i, j)))
                << "cell " << i << ", " << j;
    // The hill lands at the bottom right.
    EXPECT_EQ(backdrop.Pixel(900, 550), contours::HeightColour(1.9));
    // The later rectangle covers the one-pixel overlap of the earlier one.
    EXPECT_EQ(backdrop.Pixel(500, 300), contours::HeightColour(globali::mz(1, 0)));
    EXPECT_EQ(backdrop.Pixel(499, 300), contours::HeightColour(globali::mz(0, 0)));
    EXPECT_EQ(backdrop.Pixel(250, 400), contours::HeightColour(globali::mz(0, 1)));
}

TEST(TopView, DrawsContourLinesInBlack) {
    const rt::Picture backdrop = PrepareCanvas(1000, 800);
    SetBounds(0, 500, 0, 200, 0, 10);
    // Heights 1, 3, 5 along X: level 2 runs down x = 250, level 4 down x = 750.
    SetGrid(2, 2, [](int i, int) { return 1.0 + 2.0 * i; });
    globali::curvedilivello();

    for (int y : {250, 300, 350, 450, 550}) {
        EXPECT_EQ(backdrop.Pixel(250, y), kBlack) << y;
        EXPECT_EQ(backdrop.Pixel(750, y), kBlack) << y;
    }
    EXPECT_EQ(backdrop.Pixel(252, 300), contours::HeightColour(1.0));
    EXPECT_EQ(backdrop.Pixel(500, 300), contours::HeightColour(3.0));
    EXPECT_EQ(backdrop.Pixel(748, 500), contours::HeightColour(3.0));
    EXPECT_EQ(backdrop.Pixel(752, 500), contours::HeightColour(3.0));
}

TEST(TopView, ReportsOneStepPerColumnThenPerLevel) {
    PrepareCanvas(600, 400);
    SetBounds(0, 300, 0, 200, 0, 20);
    SetGrid(30, 2, [](int i, int j) { return 0.5 * i + j; });
    ProgressLog log;
    globali::curvedilivello();

    std::vector<std::int32_t> expected{0};
    for (std::int32_t v = 0; v <= 41; ++v)
        expected.push_back(v);
    expected.push_back(0);
    EXPECT_EQ(log.values, expected);
    const auto& bar = rt::Instance<fincontrol>().ProgressBar1;
    EXPECT_EQ(bar.Maximum(), 41);
    EXPECT_EQ(bar.Value(), 0);
}

TEST(TopView, WideHeightRangeStepsItsLevels) {
    PrepareCanvas(600, 400);
    SetBounds(0, 300, 0, 200, 0, 200);
    SetGrid(30, 2, [](int i, int j) { return 6.0 * i + j; });
    ProgressLog log;
    globali::curvedilivello();
    EXPECT_EQ(rt::Instance<fincontrol>().ProgressBar1.Maximum(), 131);
    const std::vector<std::int32_t> levels(log.values.begin() + 32, log.values.end() - 1);
    std::vector<std::int32_t> expected;
    for (std::int32_t v = 31; v <= 131; v += 5)
        expected.push_back(v);
    EXPECT_EQ(levels, expected);

    // A step that does not divide the range stops short of the maximum.
    SetBounds(0, 300, 0, 200, 0, 140);
    ProgressLog shortLog;
    globali::curvedilivello();
    EXPECT_EQ(rt::Instance<fincontrol>().ProgressBar1.Maximum(), 101);
    ASSERT_GE(shortLog.values.size(), 2u);
    EXPECT_EQ(shortLog.values[shortLog.values.size() - 2], 99);
}

TEST(TopView, FlatSurveyIsOneColourWithoutLines) {
    const rt::Picture backdrop = PrepareCanvas(400, 400);
    SetBounds(0, 100, 0, 100, 5, 5);
    SetGrid(4, 4, [](int, int) { return 5.0; });
    globali::curvedilivello();
    for (int x = 0; x < 400; x += 37)
        for (int y = 0; y < 400; y += 41)
            EXPECT_EQ(backdrop.Pixel(x, y), rt::HSV(0.33, 0.66, 0.33)) << x << ", " << y;
}

TEST(TopView, ZeroSpanDrawsNothingAndEndsTheProgress) {
    const rt::Picture backdrop = PrepareCanvas(400, 300);
    SetBounds(0, 100, 50, 50, 0, 10);
    SetGrid(2, 2, [](int i, int) { return 1.0 + 2.0 * i; });
    globali::curvedilivello();
    for (int x = 0; x < 400; x += 50)
        for (int y = 0; y < 300; y += 50)
            EXPECT_EQ(backdrop.Pixel(x, y), kBackdrop);
    EXPECT_EQ(rt::Instance<fincontrol>().ProgressBar1.Value(), 0);
}

TEST(TopView, ExtremeHeightsStillColourTheWholePicture) {
    const rt::Picture backdrop = PrepareCanvas(400, 400);
    const double big = std::numeric_limits<double>::max();
    SetBounds(0, 100, 0, 100, -big, big);
    SetGrid(4, 4, [big](int i, int j) { return (i + j) % 2 == 0 ? -big : big; });
    globali::curvedilivello();
    EXPECT_EQ(rt::Instance<fincontrol>().ProgressBar1.Maximum(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(rt::Instance<fincontrol>().ProgressBar1.Value(), 0);
    EXPECT_EQ(backdrop.Pixel(1, 1), contours::HeightColour(-big));
    EXPECT_EQ(backdrop.Pixel(101, 1), contours::HeightColour(big));
}

TEST(TopView, WithoutABackdropNothingIsPasted) {
    PrepareCanvas(400, 400);
    rt::Instance<Finestra>().can_dis.SetBackdrop(rt::Picture());
    SetBounds(0, 100, 0, 100, 0, 10);
    SetGrid(2, 2, [](int i, int) { return 1.0 + 2.0 * i; });
    globali::curvedilivello();
    EXPECT_FALSE(rt::Instance<Finestra>().can_dis.Backdrop());
    EXPECT_EQ(rt::Instance<fincontrol>().ProgressBar1.Value(), 0);
}

} // namespace
