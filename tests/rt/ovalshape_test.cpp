#include "rt/shapes.h"
#include "rt/window.h"

#include <gtest/gtest.h>

namespace {

class OvalWindow : public rt::Window {
public:
    rt::OvalShape dot, plus, disc;

protected:
    void Layout() override { SetBackColor(0xFFFFFF); }
    void CreateControls() override {
        for (auto [oval, x, size] : {std::tuple{&dot, 2, 2}, {&plus, 6, 3}, {&disc, 12, 16}}) {
            oval->Create(*this, x, 2, size, size);
            oval->SetFillColor(0xFF0000);
            oval->SetBorderColor(0x0000FF);
            oval->SetBorderWidth(oval == &disc ? 2 : 0);
        }
    }
};

TEST(OvalShape, FillsItsBoxAsTheGraphicsOvalsDoWithTheBorderInside) {
    const rt::Picture shown = rt::Instance<OvalWindow>().DrawIntoPicture();
    // Rows 2 to 4 of the dot and the plus: 'r' red, '.' white.
    const char* const expected[] = {"rr...r..", "rr..rrr.", ".....r.."};
    for (int y = 2; y <= 4; ++y)
        for (int x = 2; x < 10; ++x)
            EXPECT_EQ(shown.Pixel(x, y), expected[y - 2][x - 2] == 'r' ? 0xFF0000u : 0xFFFFFFu)
                << x << "," << y;
    // The larger oval: a blue border two pixels thick at its sides, red within, nothing outside.
    for (int x = 11; x < 29; ++x)
        EXPECT_EQ(shown.Pixel(x, 10), x < 12 || x >= 28   ? 0xFFFFFFu
                                      : x < 14 || x >= 26 ? 0x0000FFu
                                                          : 0xFF0000u)
            << x;
    EXPECT_EQ(shown.Pixel(12, 2), 0xFFFFFFu);
}

} // namespace
