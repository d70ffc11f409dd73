#include "rt/picture.h"
#include <QImage>
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr rt::Color kWhite = 0xFFFFFF;
constexpr rt::Color kRed = 0xFF0000;
constexpr rt::Color kBlue = 0x0000FF;

using PixelSet = std::set<std::pair<int, int>>;
using G = rt::Graphics;

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

// A picture of `width` by 1 pixels, red on the left `red` of them.
rt::Picture RedOnTheLeft(int width, int red) {
    const rt::Picture picture = rt::Picture::New(width, 1);
    picture.Graphics().SetForeColor(kRed);
    picture.Graphics().FillRect(0, 0, red, 1);
    return picture;
}

// The red pixels of a white 20 by 20 picture after `draw`.
PixelSet Drawn(const std::function<void(G&)>& draw) {
    const rt::Picture picture = rt::Picture::New(20, 20);
    picture.Graphics().SetForeColor(kRed);
    draw(picture.Graphics());
    const PixelSet red = PixelsOf(picture, kRed);
    EXPECT_EQ(red.size() + PixelsOf(picture, kWhite).size(), 400u) << "only red and white";
    return red;
}

TEST(Picture, NewPicturesAreWhiteSharedByCopiesAndNilIgnoresDrawing) {
    const rt::Picture picture = rt::Picture::New(7, 5, 32);
    EXPECT_FALSE(rt::Picture::New(0, 5));
    const rt::Picture copy = picture;
    copy.Graphics().FillRect(0, 0, 1, 1);
    const rt::Picture nil;
    nil.Graphics().FillRect(0, 0, 5, 5);
    picture.Graphics().DrawPicture(nil, 0, 0);
    picture.Graphics().FillRect(INT_MAX - 1, 0, 5, 5); // its far edge lies beyond any int
    EXPECT_EQ(PixelsOf(picture, kWhite).size(), 34u);
}

TEST(Graphics, DrawsLinesAndPolygonsOnExactlyTheirPixels) {
    EXPECT_EQ(Drawn([](G& g) { g.DrawLine(1, 5, 5, 9); }),
              (PixelSet{{1, 5}, {2, 6}, {3, 7}, {4, 8}, {5, 9}}));
    // The point lists are one-based: element 0 is unused. A square's one-pixel outline:
    PixelSet frame = Rect(1, 1, 6, 6);
    for (const auto& inner : Rect(2, 2, 4, 4))
        frame.erase(inner);
    EXPECT_EQ(Drawn([](G& g) { g.DrawPolygon({999, 1, 1, 6, 1, 6, 6, 1, 6}); }), frame);
}

TEST(Graphics, SmallOvalsFillTheirBoxAsDotsAndPluses) {
    const auto oval = [](int x, int y, int w, int h) { return Drawn([=](G& g) { g.DrawOval(x, y, w, h); }); };
    EXPECT_EQ(oval(3, 3, 2, 2), Rect(3, 3, 2, 2));
    EXPECT_EQ(oval(4, 4, 3, 3), (PixelSet{{5, 4}, {4, 5}, {5, 5}, {6, 5}, {5, 6}}));
    EXPECT_EQ(oval(2, 2, 2, 9), Rect(2, 2, 2, 9)) << "a thin oval has no gaps";
    EXPECT_EQ(oval(-1, -1, 3, 3), (PixelSet{{0, 0}, {1, 0}, {0, 1}})) << "cut by the picture's edge";
}

TEST(Graphics, ScaledPicturesAreSmoothedSoThinLinesSurviveShrinking) {
    // Thin black lines at x = 3, 11, 19, ... shrunk to a quarter: every line leaves a grey
    // column, where sampling would lose some.
    const rt::Picture map = rt::Picture::New(160, 40);
    for (int x = 3; x < 160; x += 8)
        map.Graphics().DrawLine(x, 0, x, 39);
    const rt::Picture small = rt::Picture::New(40, 10);
    small.Graphics().DrawPicture(map, 0, 0, 40, 10, 0, 0, 160, 40);
    for (int line = 0; line < 20; ++line) {
        const rt::Color c = small.Pixel(2 * line, 5);
        EXPECT_TRUE(c != kWhite && (c & 0xFF) > 0x80) << "line " << line << std::hex << " " << c;
    }
    // Shapes drawn afterwards still have exact pixels.
    small.Graphics().SetForeColor(kBlue);
    small.Graphics().DrawLine(1, 5, 5, 9);
    EXPECT_EQ(PixelsOf(small, kBlue), (PixelSet{{1, 5}, {2, 6}, {3, 7}, {4, 8}, {5, 9}}));
}

TEST(Graphics, DrawsPicturesFromASourceRectangleAndIntoThemselves) {
    const rt::Picture source = RedOnTheLeft(2, 1);
    // A source reaching past the picture draws only its part inside, where it belongs.
    EXPECT_EQ(Drawn([&](G& g) { g.DrawPicture(source, 4, 4, 2, 1, -1, 0, 2, 1); }), Rect(5, 4, 1, 1));
    // Into itself, shifted: every pixel moves once, read before any is overwritten.
    const rt::Picture row = RedOnTheLeft(4, 1);
    row.Graphics().DrawPicture(row, 1, 0);
    row.Graphics().DrawPicture(row, 1, 0, 3, 1, 0, 0, 3, 1);
    EXPECT_EQ(PixelsOf(row, kRed), Rect(0, 0, 3, 1));
}

TEST(Picture, KeepsTheTransparencyOfItsImageAndReadsItAsWhite) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(255, 0, 0, 255));
    const rt::Picture icon = rt::Picture::FromImage(image);
    EXPECT_EQ(icon.Pixel(0, 0), kWhite);
    EXPECT_EQ(Drawn([&](G& g) {
                  g.FillRect(0, 0, 20, 20);
                  g.DrawPicture(icon, 0, 0);
              }),
              Rect(0, 0, 20, 20))
        << "what lies under a transparent pixel shows";
}

TEST(Graphics, OutlinesDrawnInARowFollowEveryChangeOfColour) {
    // clang-format off
    const std::vector<std::function<void(G&)>> steps = {
        [](G& g) { g.SetForeColor(kRed); }, [](G& g) { g.DrawPolygon({0, 1, 1, 8, 1, 1, 8}); },
        [](G& g) { g.DrawOval(20, 2, 6, 6); }, [](G& g) { g.DrawPolygon({0, 10, 1, 17, 1, 10, 8}); },
        [](G& g) { g.SetForeColor(kBlue); }, [](G& g) { g.DrawLine(1, 16, 12, 16); },
        [](G& g) { g.DrawPolygon({0, 14, 20, 27, 20, 27, 29, 14, 29}); }, [](G& g) { g.DrawOval(14, 22, 6, 6); }};
    // clang-format on
    // The same steps with the picture read after each, which starts every step afresh.
    const rt::Picture inARow = rt::Picture::New(30, 30);
    const rt::Picture afresh = rt::Picture::New(30, 30);
    for (const auto& step : steps) {
        step(inARow.Graphics());
        step(afresh.Graphics());
        afresh.Pixel(0, 0);
    }
    for (const rt::Color c : {kRed, kBlue, kWhite})
        EXPECT_EQ(PixelsOf(inARow, c), PixelsOf(afresh, c)) << std::hex << c;
    EXPECT_TRUE(PixelsOf(inARow, kRed).count({17, 1}) && PixelsOf(inARow, kBlue).count({20, 29}));
    EXPECT_EQ(inARow.Pixel(20, 24), kWhite); // an outline is not filled
}

} // namespace
