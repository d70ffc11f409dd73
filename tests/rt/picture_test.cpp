#include "rt/picture.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

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

PixelSet Frame(int x, int y, int width, int height) {
    PixelSet pixels = Rect(x, y, width, height);
    for (const auto& inner : Rect(x + 1, y + 1, width - 2, height - 2))
        pixels.erase(inner);
    return pixels;
}

TEST(Picture, NewPicturesAreWhiteAndSizesBelowOneGiveNil) {
    const rt::Picture picture = rt::Picture::New(7, 5, 32);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.Width(), 7);
    EXPECT_EQ(picture.Height(), 5);
    EXPECT_EQ(PixelsOf(picture, kWhite), Rect(0, 0, 7, 5));
    EXPECT_EQ(picture.Pixel(7, 0), 0u);
    EXPECT_EQ(picture.Pixel(-1, 2), 0u);

    EXPECT_FALSE(rt::Picture::New(0, 5));
    EXPECT_FALSE(rt::Picture::New(5, -1));
    EXPECT_FALSE(rt::Picture());
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

TEST(Graphics, KeepsItsDrawingState) {
    const rt::Picture picture = rt::Picture::New(10, 10);
    rt::Graphics& g = picture.Graphics();
    g.SetForeColor(0x123456);
    g.SetPenWidth(3);
    g.SetPenHeight(2);
    g.SetTextFont("arial");
    g.SetTextSize(12);
    g.SetBold(true);
    const rt::Graphics& again = picture.Graphics();
    EXPECT_EQ(again.ForeColor(), 0x123456u);
    EXPECT_EQ(again.PenWidth(), 3);
    EXPECT_EQ(again.PenHeight(), 2);
    EXPECT_EQ(again.TextFont(), "arial");
    EXPECT_EQ(again.TextSize(), 12);
    EXPECT_TRUE(again.Bold());
    EXPECT_EQ(again.Width(), 10);
    EXPECT_EQ(again.Height(), 10);
}

TEST(Graphics, DrawsLinesPixelExactWithBothEnds) {
    const rt::Picture picture = rt::Picture::New(12, 12);
    rt::Graphics& g = picture.Graphics();
    g.SetForeColor(kRed);
    g.DrawLine(2, 3, 8, 3);
    EXPECT_EQ(PixelsOf(picture, kRed), Rect(2, 3, 7, 1));

    g.SetForeColor(kBlue);
    g.DrawLine(1, 5, 5, 9);
    EXPECT_EQ(PixelsOf(picture, kBlue), (PixelSet{{1, 5}, {2, 6}, {3, 7}, {4, 8}, {5, 9}}));
}

TEST(Graphics, HonoursThePenWidth) {
    const rt::Picture picture = rt::Picture::New(20, 20);
    rt::Graphics& g = picture.Graphics();
    g.SetForeColor(kRed);
    g.SetPenWidth(3);
    g.SetPenHeight(3);
    g.DrawLine(5, 10, 14, 10);
    const PixelSet red = PixelsOf(picture, kRed);
    // Three rows thick, and no thicker.
    std::set<int> rows;
    for (const auto& [x, y] : red)
        rows.insert(y);
    EXPECT_EQ(rows.size(), 3u);
    EXPECT_TRUE(red.count({10, 10}));
}

TEST(Graphics, FillsAndFramesRectanglesInsideTheirBounds) {
    const rt::Picture picture = rt::Picture::New(20, 20);
    rt::Graphics& g = picture.Graphics();
    g.SetForeColor(kRed);
    g.FillRect(1, 2, 4, 3);
    EXPECT_EQ(PixelsOf(picture, kRed), Rect(1, 2, 4, 3));

    g.SetForeColor(kBlue);
    g.DrawRect(8, 8, 6, 5);
    EXPECT_EQ(PixelsOf(picture, kBlue), Frame(8, 8, 6, 5));

    g.ClearRect(0, 0, 20, 20);
    EXPECT_EQ(PixelsOf(picture, kWhite), Rect(0, 0, 20, 20));

    g.SetPenWidth(2);
    g.SetPenHeight(2);
    g.DrawRect(2, 2, 8, 8);
    PixelSet thick = Rect(2, 2, 8, 8);
    for (const auto& inner : Rect(4, 4, 4, 4))
        thick.erase(inner);
    EXPECT_EQ(PixelsOf(picture, kBlue), thick);
}

TEST(Graphics, DrawsPolygonsFromTheOneBasedList) {
    const rt::Picture picture = rt::Picture::New(12, 12);
    rt::Graphics& g = picture.Graphics();
    g.SetForeColor(kRed);
    // points[0] is unused.
    g.DrawPolygon({999, 1, 1, 6, 1, 6, 6, 1, 6});
    EXPECT_EQ(PixelsOf(picture, kRed), Frame(1, 1, 6, 6));

    g.SetForeColor(kBlue);
    g.FillPolygon({0, 2, 8, 9, 8, 9, 10, 2, 10});
    EXPECT_EQ(PixelsOf(picture, kBlue), Rect(2, 8, 8, 3));
}

TEST(Graphics, FillsTrianglesWithinTheirCorners) {
    const rt::Picture picture = rt::Picture::New(20, 20);
    rt::Graphics& g = picture.Graphics();
    g.SetForeColor(kRed);
    g.FillPolygon({0, 2, 2, 16, 2, 2, 16});
    const PixelSet red = PixelsOf(picture, kRed);
    for (const auto& corner : PixelSet{{2, 2}, {16, 2}, {2, 16}, {5, 5}})
        EXPECT_TRUE(red.count(corner)) << corner.first << "," << corner.second;
    for (const auto& [x, y] : red)
        EXPECT_LE(x + y, 18 + 1) << x << "," << y;
    EXPECT_FALSE(red.count({12, 12}));
}

TEST(Graphics, DrawsOvalsInsideTheirRectangle) {
    const rt::Picture picture = rt::Picture::New(30, 30);
    rt::Graphics& g = picture.Graphics();
    g.SetForeColor(kRed);
    g.FillOval(5, 5, 20, 10);
    const PixelSet red = PixelsOf(picture, kRed);
    EXPECT_TRUE(red.count({15, 10}));
    for (const auto& [x, y] : red) {
        EXPECT_TRUE(x >= 5 && x < 25 && y >= 5 && y < 15) << x << "," << y;
    }
    EXPECT_FALSE(red.count({5, 5}));

    g.ClearRect(0, 0, 30, 30);
    g.DrawOval(5, 5, 20, 10);
    const PixelSet outline = PixelsOf(picture, kRed);
    EXPECT_FALSE(outline.empty());
    EXPECT_FALSE(outline.count({15, 10}));
    for (const auto& [x, y] : outline)
        EXPECT_TRUE(x >= 5 && x < 25 && y >= 5 && y < 15) << x << "," << y;
}

TEST(Graphics, DrawsPicturesPlainAndScaled) {
    const rt::Picture source = rt::Picture::New(2, 1);
    source.Graphics().SetForeColor(kRed);
    source.Graphics().FillRect(0, 0, 1, 1);
    source.Graphics().SetForeColor(kBlue);
    source.Graphics().FillRect(1, 0, 1, 1);

    const rt::Picture target = rt::Picture::New(10, 10);
    target.Graphics().DrawPicture(source, 3, 4);
    EXPECT_EQ(PixelsOf(target, kRed), Rect(3, 4, 1, 1));
    EXPECT_EQ(PixelsOf(target, kBlue), Rect(4, 4, 1, 1));

    target.Graphics().ClearRect(0, 0, 10, 10);
    target.Graphics().DrawPicture(source, 1, 1, 4, 2, 0, 0, 2, 1);
    EXPECT_EQ(PixelsOf(target, kRed), Rect(1, 1, 2, 2));
    EXPECT_EQ(PixelsOf(target, kBlue), Rect(3, 1, 2, 2));

    // Only the source rectangle.
    target.Graphics().ClearRect(0, 0, 10, 10);
    target.Graphics().DrawPicture(source, 0, 0, 3, 3, 1, 0, 1, 1);
    EXPECT_EQ(PixelsOf(target, kBlue), Rect(0, 0, 3, 3));
    EXPECT_TRUE(PixelsOf(target, kRed).empty());

    // A picture drawn into itself.
    source.Graphics().DrawPicture(source, 1, 0);
    EXPECT_EQ(source.Pixel(1, 0), kRed);
}

TEST(Graphics, DrawsTextInTheForeColour) {
    const rt::Picture picture = rt::Picture::New(80, 30);
    rt::Graphics& g = picture.Graphics();
    g.SetForeColor(kBlue);
    g.SetTextSize(16);
    g.DrawString("HW", 5, 20);
    const PixelSet blue = PixelsOf(picture, kBlue);
    EXPECT_GT(blue.size(), 10u);
    for (const auto& [x, y] : blue)
        EXPECT_LE(y, 21) << "below the baseline at " << x << "," << y;
    // Without antialiasing only the two colours appear.
    EXPECT_EQ(blue.size() + PixelsOf(picture, kWhite).size(), 80u * 30u);
}

TEST(Picture, NilPicturesIgnoreDrawing) {
    const rt::Picture nil;
    nil.Graphics().SetForeColor(kRed);
    nil.Graphics().FillRect(0, 0, 5, 5);
    nil.Graphics().DrawLine(0, 0, 5, 5);
    EXPECT_EQ(nil.Width(), 0);
    EXPECT_EQ(nil.Pixel(0, 0), 0u);
    const rt::Picture target = rt::Picture::New(3, 3);
    target.Graphics().DrawPicture(nil, 0, 0);
    EXPECT_EQ(PixelsOf(target, kWhite).size(), 9u);
}

TEST(Picture, FromImageShowsTransparencyAsWhite) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(255, 0, 0, 255));
    const rt::Picture picture = rt::Picture::FromImage(image);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.Pixel(0, 0), kWhite);
    EXPECT_EQ(picture.Pixel(1, 0), kRed);
    EXPECT_EQ(picture.Image().format(), QImage::Format_RGB32);
    EXPECT_FALSE(rt::Picture::FromImage(QImage()));
}

} // namespace
