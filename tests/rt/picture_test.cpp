#include "rt/picture.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr rt::Color kWhite = 0xFFFFFF;
constexpr rt::Color kRed = 0xFF0000;
constexpr rt::Color kBlue = 0x0000FF;

using PixelSet = std::set<std::pair<int, int>>;

// The pixels of a colour, as (x, y).
PixelSet PixelsOf(const rt::Picture& picture, rt::Color color) {
    PixelSet pixels;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (picture.Pixel(x, y) == color)
                pixels.insert({x, y});
    return pixels;
}

PixelSet Rect(int x, int y, int width, int height) {
    PixelSet pixels;
    for (int j = y; j < y + height; ++j)
        for (int i = x; i < x + width; ++i)
            pixels.insert({i, j});
    return pixels;
}

// A rectangle's outline `thickness` pixels wide.
PixelSet Frame(int x, int y, int width, int height, int thickness = 1) {
    PixelSet pixels = Rect(x, y, width, height);
    for (const auto& inner :
         Rect(x + thickness, y + thickness, width - 2 * thickness, height - 2 * thickness))
        pixels.erase(inner);
    return pixels;
}

TEST(Picture, NewPicturesAreWhiteSizesBelowOneGiveNilAndNilIgnoresDrawing) {
    const rt::Picture picture = rt::Picture::New(7, 5, 32);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.Width(), 7);
    EXPECT_EQ(PixelsOf(picture, kWhite), Rect(0, 0, 7, 5));
    EXPECT_EQ(picture.Pixel(7, 0), 0u);
    EXPECT_EQ(picture.Pixel(-1, 2), 0u);
    EXPECT_FALSE(rt::Picture::New(0, 5));
    EXPECT_FALSE(rt::Picture::New(5, -1));

    const rt::Picture nil;
    nil.Graphics().SetForeColor(kRed);
    nil.Graphics().FillRect(0, 0, 5, 5);
    EXPECT_EQ(nil.Pixel(0, 0), 0u);
    picture.Graphics().DrawPicture(nil, 0, 0);
    EXPECT_EQ(PixelsOf(picture, kWhite).size(), 35u);
}

TEST(Picture, CopiesShareOnePicture) {
    const rt::Picture a = rt::Picture::New(4, 4);
    const rt::Picture b = a;
    EXPECT_TRUE(a == b);
    b.Graphics().SetForeColor(kRed);
    b.Graphics().FillRect(0, 0, 1, 1);
    EXPECT_EQ(a.Pixel(0, 0), kRed);
    EXPECT_FALSE(a == rt::Picture::New(4, 4));
}

// The red pixels of a white 20 by 20 picture after `draw` with a square pen of that size.
PixelSet Drawn(const std::function<void(rt::Graphics&)>& draw, std::int32_t pen = 1) {
    const rt::Picture picture = rt::Picture::New(20, 20);
    picture.Graphics().SetForeColor(kRed);
    picture.Graphics().SetPenWidth(pen);
    picture.Graphics().SetPenHeight(pen);
    draw(picture.Graphics());
    const PixelSet red = PixelsOf(picture, kRed);
    EXPECT_EQ(red.size() + PixelsOf(picture, kWhite).size(), 400u) << "only red and white";
    return red;
}

TEST(Graphics, DrawsLinesRectanglesAndPolygonsOnExactlyTheirPixels) {
    using G = rt::Graphics;
    EXPECT_EQ(Drawn([](G& g) { g.DrawLine(2, 3, 8, 3); }), Rect(2, 3, 7, 1));
    EXPECT_EQ(Drawn([](G& g) { g.DrawLine(1, 5, 5, 9); }),
              (PixelSet{{1, 5}, {2, 6}, {3, 7}, {4, 8}, {5, 9}}));
    EXPECT_EQ(Drawn([](G& g) { g.DrawLine(5, 10, 14, 10); }, 3), Rect(4, 9, 12, 3));
    EXPECT_EQ(Drawn([](G& g) { g.FillRect(1, 2, 4, 3); }), Rect(1, 2, 4, 3));
    EXPECT_EQ(Drawn([](G& g) { g.DrawRect(8, 8, 6, 5); }), Frame(8, 8, 6, 5));
    EXPECT_EQ(Drawn([](G& g) { g.DrawRect(2, 2, 8, 8); }, 2), Frame(2, 2, 8, 8, 2));
    EXPECT_EQ(Drawn([](G& g) {
                  g.FillRect(0, 0, 20, 20);
                  g.ClearRect(1, 1, 18, 18);
              }),
              Frame(0, 0, 20, 20));
    // The point lists are one-based: element 0 is unused.
    EXPECT_EQ(Drawn([](G& g) { g.DrawPolygon({999, 1, 1, 6, 1, 6, 6, 1, 6}); }), Frame(1, 1, 6, 6));
    EXPECT_EQ(Drawn([](G& g) { g.FillPolygon({0, 2, 8, 9, 8, 9, 10, 2, 10}); }), Rect(2, 8, 8, 3));
}

TEST(Graphics, OutlinesDrawnInARowFollowEveryChangeOfColourPenAndFill) {
    using G = rt::Graphics;
    const std::vector<std::function<void(G&)>> steps = {
        [](G& g) { g.SetForeColor(kRed); },
        [](G& g) {
            g.DrawPolygon({0, 1, 1, 8, 1, 1, 8});
        },
        [](G& g) { g.FillOval(20, 2, 6, 6); },
        [](G& g) {
            g.DrawPolygon({0, 10, 1, 17, 1, 10, 8});
        },
        [](G& g) { g.SetForeColor(kBlue); },
        [](G& g) { g.DrawLine(1, 12, 12, 12); },
        [](G& g) { g.SetPenWidth(3); },
        [](G& g) { g.DrawLine(1, 16, 12, 16); },
        [](G& g) { g.SetPenWidth(1); },
        [](G& g) { g.DrawLine(20, 10, 28, 10); },
        [](G& g) {
            g.FillPolygon({0, 20, 12, 28, 12, 20, 20});
        },
        [](G& g) {
            g.DrawPolygon({0, 14, 20, 27, 20, 27, 29, 14, 29});
        },
        [](G& g) { g.DrawString("x", 2, 27); },
        [](G& g) { g.DrawOval(14, 22, 6, 6); },
        [](G& g) {
            g.DrawPolygon({0, 1, 20, 3, 19, 5, 20, 7, 19, 9, 20, 11, 19, 12, 25, 9, 27, 5, 28, 1, 26});
        },
    };
    // The same steps with the picture read after each, which starts every step afresh.
    const rt::Picture inARow = rt::Picture::New(30, 30);
    const rt::Picture afresh = rt::Picture::New(30, 30);
    for (const auto& step : steps) {
        step(inARow.Graphics());
        step(afresh.Graphics());
        afresh.Pixel(0, 0);
    }
    EXPECT_EQ(PixelsOf(inARow, kRed), PixelsOf(afresh, kRed));
    EXPECT_EQ(PixelsOf(inARow, kBlue), PixelsOf(afresh, kBlue));
    EXPECT_EQ(PixelsOf(inARow, kWhite), PixelsOf(afresh, kWhite));
    EXPECT_TRUE(PixelsOf(inARow, kRed).count({17, 1}) && PixelsOf(inARow, kBlue).count({20, 29}));
    EXPECT_EQ(inARow.Pixel(20, 24), kWhite); // the outline after the filled triangle is not filled
}

TEST(Graphics, FillsTrianglesAndOvalsWithinTheirCorners) {
    const rt::Picture picture = rt::Picture::New(30, 30);
    rt::Graphics& g = picture.Graphics();
    g.SetForeColor(kRed);
    g.FillPolygon({0, 2, 2, 16, 2, 2, 16});
    const PixelSet triangle = PixelsOf(picture, kRed);
    for (const auto& inside : PixelSet{{2, 2}, {16, 2}, {2, 16}, {5, 5}})
        EXPECT_TRUE(triangle.count(inside)) << inside.first << "," << inside.second;
    for (const auto& [x, y] : triangle)
        EXPECT_LE(x + y, 19) << x << "," << y;

    for (const bool filled : {true, false}) {
        g.ClearRect(0, 0, 30, 30);
        filled ? g.FillOval(5, 5, 20, 10) : g.DrawOval(5, 5, 20, 10);
        const PixelSet oval = PixelsOf(picture, kRed);
        EXPECT_EQ(oval.count({15, 10}), filled ? 1u : 0u);
        EXPECT_FALSE(oval.count({5, 5}));
        EXPECT_GT(oval.size(), 20u);
        for (const auto& [x, y] : oval)
            EXPECT_TRUE(x >= 5 && x < 25 && y >= 5 && y < 15) << x << "," << y;
    }
}

TEST(Graphics, DrawsPicturesPlainScaledFromASourceRectangleAndIntoThemselves) {
    const rt::Picture source = rt::Picture::New(2, 1); // red, white
    source.Graphics().SetForeColor(kRed);
    source.Graphics().FillRect(0, 0, 1, 1);
    using G = rt::Graphics;
    EXPECT_EQ(Drawn([&](G& g) { g.DrawPicture(source, 3, 4); }), Rect(3, 4, 1, 1));
    EXPECT_EQ(Drawn([&](G& g) { g.DrawPicture(source, 1, 1, 4, 2, 0, 0, 2, 1); }), Rect(1, 1, 2, 2));
    EXPECT_EQ(Drawn([&](G& g) { g.DrawPicture(source, 0, 0, 3, 3, 0, 0, 1, 1); }), Rect(0, 0, 3, 3));
    EXPECT_EQ(Drawn([&](G& g) { g.DrawPicture(source, 0, 0, 3, 3, 1, 0, 1, 1); }), PixelSet{});
    source.Graphics().DrawPicture(source, 1, 0);
    EXPECT_EQ(PixelsOf(source, kRed), Rect(0, 0, 2, 1));
}

TEST(Graphics, DrawsTextInTheForeColourAboveTheBaselineWithoutAntialiasing) {
    const rt::Picture picture = rt::Picture::New(80, 30);
    rt::Graphics& g = picture.Graphics();
    g.SetForeColor(kBlue);
    g.SetTextSize(16);
    g.DrawString("HW", 5, 20);
    const PixelSet blue = PixelsOf(picture, kBlue);
    EXPECT_GT(blue.size(), 10u);
    for (const auto& [x, y] : blue)
        EXPECT_LE(y, 21) << "below the baseline at " << x << "," << y;
    EXPECT_EQ(blue.size() + PixelsOf(picture, kWhite).size(), 80u * 30u);
}

TEST(Picture, FromImageShowsTransparencyAsWhite) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(255, 0, 0, 255));
    const rt::Picture picture = rt::Picture::FromImage(image);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.Pixel(0, 0), kWhite);
    EXPECT_EQ(picture.Pixel(1, 0), kRed);
    EXPECT_FALSE(rt::Picture::FromImage(QImage()));
}

} // namespace
