#include "rt/shapes.h"
#include "rt/window.h"
#include <QCoreApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include "tests/rt/shapewindow.h"

namespace {

void Place(rt::Control& control, int left, int top, int width, int height) {
    control.SetLeft(left);
    control.SetTop(top);
    control.SetWidth(width);
    control.SetHeight(height);
}

void Press(rt::Window& window, int x, int y) {
    QTest::mouseClick(window.ContentWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
}

// Presses on a copied shape run the shared handler with its number; presses on a visible
// control never reach the window, whatever its handler returns.
TEST(ShapesTest, PressesGoToTheShapeOrControlUnderThePointerAndOnlyMissesReachTheWindow) {
    SingleShapeWindow& window = rt::Instance<SingleShapeWindow>();
    window.Points.AddCopy().SetLeft(98);
    window.Points(1).SetTop(48);
    window.Lines.AddCopy().SetEnds(10, 20, 110, 20);
    Press(window, 100, 50);
    Press(window, 104, 52);
    Press(window, 60, 22);
    Press(window, 60, 26);
    Press(window, 220, 210);
    Press(window, 201, 201); // outside the oval, inside its box
    Press(window, 70, 70);   // a shape without a handler
    QTest::mouseClick(window.Label.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseClick(window.Paper.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    window.Marker.SetEnabled(false);
    Press(window, 71, 71);
    EXPECT_EQ(window.presses, (std::vector<std::string>{"point 1 at 2,2", "window at 104,52",
                                                        "line 1 at 50,2", "window at 60,26", "oval",
                                                        "window at 201,201", "paper", "window at 71,71"}));
}

TEST(ShapesTest, LinesAreHitWithinThreePixelsOrHalfTheirWidth) {
    const struct {
        std::int32_t x1, y1, x2, y2, width;
        std::int32_t x, y;
        bool hit;
    } cases[] = {
        // clang-format off
        {10, 20, 110, 20, 1, 60, 23, true}, {10, 20, 110, 20, 1, 60, 24, false}, {10, 20, 110, 20, 1, 6, 20, false},
        {10, 20, 110, 20, 10, 60, 25, true}, {10, 20, 110, 20, 10, 60, 26, false}, {0, 0, 100, 100, 1, 55, 50, false},
        {5, 5, 5, 5, 1, 7, 7, true}, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 1, 0, 0, true}
        // clang-format on
    };
    for (const auto& c : cases) {
        rt::LineShape line;
        line.SetEnds(c.x1, c.y1, c.x2, c.y2);
        line.SetBorderWidth(c.width);
        EXPECT_EQ(line.Contains(c.x, c.y), c.hit)
            << c.x1 << "," << c.y1 << " width " << c.width << " at " << c.x << "," << c.y;
    }
    rt::LineShape line;
    line.SetEnds(INT32_MIN, 0, INT32_MAX, 0);
    EXPECT_EQ(line.Width(), INT32_MAX);
}

TEST(ShapesTest, TopShapeFirstAndHiddenOrDisabledShapesLetPressesThrough) {
    SingleShapeWindow& window = rt::Instance<SingleShapeWindow>();
    rt::RectShape& lower = window.Points.AddCopy();
    rt::RectShape& upper = window.Points.AddCopy();
    Place(lower, 10, 10, 20, 20);
    Place(upper, 20, 20, 20, 20);
    Press(window, 25, 25);
    upper.SetVisible(false);
    Press(window, 25, 25);
    lower.SetEnabled(false);
    Press(window, 25, 25);
    EXPECT_EQ(window.presses,
              (std::vector<std::string>{"point 2 at 5,5", "point 1 at 15,15", "window at 25,25"}));
}

TEST(ShapesTest, WindowShowsBackColourThenBackdropThenShapesInCreationOrderAndSmallOvalsAsPluses) {
    SingleShapeWindow& window = rt::Instance<SingleShapeWindow>();
    window.SetBackColor(0x102030);
    rt::RectShape& lower = window.Points.AddCopy();
    rt::RectShape& upper = window.Points.AddCopy();
    lower.SetBorderColor(0x0000FF);
    lower.SetBorderWidth(2);
    Place(lower, 10, 10, 20, 10);
    upper.SetFillColor(0x00FFFF);
    upper.SetLeft(25);
    upper.SetTop(15);
    window.Lines.AddCopy().SetEnds(50, 120, 90, 120);
    // Its right and bottom edges lie beyond the int range: it still fills the window's corner.
    Place(window.Points.AddCopy(), 280, 280, INT32_MAX, INT32_MAX);
    window.Oval.SetFillColor(0xFF0000);
    window.Oval.SetBorderWidth(0);
    Place(window.Oval, 6, 100, 3, 3);
    rt::Picture picture = window.DrawIntoPicture();
    const std::pair<QPoint, rt::Color> expected[] = {
        {{2, 2}, 0x102030},    {{11, 14}, 0x0000FF},  {{15, 14}, 0x5F7F3F},  {{27, 17}, 0x00FFFF},
        {{70, 120}, 0x00FF80}, {{70, 122}, 0x102030}, {{295, 295}, 0x5F7F3F}};
    for (const auto& [at, color] : expected)
        EXPECT_EQ(picture.Pixel(at.x(), at.y()), color) << at.x() << "," << at.y();
    const char* const plus[] = {".r.", "rrr", ".r."}; // the oval: 'r' red, '.' the back colour
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(picture.Pixel(6 + x, 100 + y), plus[y][x] == 'r' ? 0xFF0000u : 0x102030u)
                << x << "," << y;
    rt::Picture backdrop = rt::Picture::New(300, 300);
    window.SetBackdrop(backdrop);
    upper.SetVisible(false);
    picture = window.DrawIntoPicture();
    EXPECT_EQ(picture.Pixel(2, 2), 0xFFFFFFu);
    EXPECT_EQ(picture.Pixel(27, 17), 0x5F7F3Fu) << "a hidden shape shows what lies under it";
}

TEST(ShapesTest, HelpTagsOfShapesShowAsTooltips) {
    SingleShapeWindow& window = rt::Instance<SingleShapeWindow>();
    QWidget* content = window.ContentWidget();
    const auto hover = [&](QPoint at) {
        QHelpEvent help(QEvent::ToolTip, at, content->mapToGlobal(at));
        QCoreApplication::sendEvent(content, &help);
    };
    hover(QPoint(70, 70));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("ENG: marker\nITA: segno"));
    hover(QPoint(120, 120));
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 5000));
}

} // namespace
