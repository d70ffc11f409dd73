#include "rt/shapes.h"
#include "rt/window.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

class OvalWindow : public rt::Window {
public:
    rt::OvalShape dot, plus, disc;

protected:
    void Layout() override {
        SetWidth(40);
        SetHeight(30);
        SetBackColor(0xFFFFFF);
    }
    void CreateControls() override {
        for (auto [oval, x, size] : {std::tuple{&dot, 2, 2}, {&plus, 6, 3}, {&disc, 12, 16}}) {
            oval->Create(*this, x, 2, size, size);
            oval->SetFillColor(0xFF0000);
            oval->SetBorderColor(0x0000FF);
            oval->SetBorderWidth(0);
        }
        disc.SetBorderWidth(2);
    }
};

std::set<std::pair<int, int>> PixelsOf(const rt::Picture& picture, rt::Color color, int x0, int x1) {
    std::set<std::pair<int, int>> pixels;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = x0; x < x1; ++x)
            if (picture.Pixel(x, y) == color)
                pixels.insert({x, y});
    return pixels;
}

TEST(OvalShape, FillsItsBoxAsTheGraphicsOvalsDoWithTheBorderInside) {
    const rt::Picture shown = rt::Instance<OvalWindow>().DrawIntoPicture();
    EXPECT_EQ(PixelsOf(shown, 0xFF0000, 0, 5),
              (std::set<std::pair<int, int>>{{2, 2}, {3, 2}, {2, 3}, {3, 3}}));
    EXPECT_EQ(PixelsOf(shown, 0xFF0000, 5, 11),
              (std::set<std::pair<int, int>>{{7, 2}, {6, 3}, {7, 3}, {8, 3}, {7, 4}}));
    // The larger oval: a blue border two pixels thick at its sides, red within, nothing outside.
    for (int x = 12; x < 28; ++x)
        EXPECT_EQ(shown.Pixel(x, 10), x < 14 || x >= 26 ? 0x0000FFu : 0xFF0000u) << x;
    EXPECT_EQ(shown.Pixel(12, 2), 0xFFFFFFu);
    EXPECT_EQ(PixelsOf(shown, 0x0000FF, 28, 40).size() + PixelsOf(shown, 0xFF0000, 28, 40).size(), 0u);
}

} // namespace
