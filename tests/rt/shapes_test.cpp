#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "rt/controlarray.h"
#include "rt/shapes.h"
#include "rt/window.h"

namespace {

// A window like the 2D editor: arrays of light shapes whose members share a press handler,
// with presses on no shape going to the window.
class ShapeWindow : public rt::Window {
public:
    rt::ControlArray<rt::LineShape> Lines;
    rt::ControlArray<rt::RectShape> Points;
    rt::OvalShape Oval;
    rt::RectShape Marker; // no handler of its own
    std::vector<std::string> presses;

protected:
    void Layout() override {
        SetWidth(300);
        SetHeight(300);
        SetBackColor(0xFFFFFF);
    }
    void CreateControls() override {
        Lines.BindHandlers = [this](rt::LineShape& line) {
            line.MouseDown = [this, &line](std::int32_t x, std::int32_t y) {
                presses.push_back("line " + std::to_string(line.Index()) + " at " + std::to_string(x) + "," +
                                  std::to_string(y));
                return false;
            };
        };
        Points.BindHandlers = [this](rt::RectShape& point) {
            point.MouseDown = [this, &point](std::int32_t x, std::int32_t y) {
                presses.push_back("point " + std::to_string(point.Index()) + " at " + std::to_string(x) +
                                  "," + std::to_string(y));
                return false;
            };
        };
        rt::LineShape& line = Lines.Add(0);
        line.SetEnds(-100, -100, -50, -50);
        line.SetBorderColor(0x00FF80);
        line.Create(*this, 0, 0, 0, 0);
        rt::RectShape& point = Points.Add(0);
        point.SetBorderWidth(0);
        point.SetFillColor(0x5F7F3F);
        point.Create(*this, -50, -50, 5, 5);
        Oval.MouseDown = [this](std::int32_t, std::int32_t) {
            presses.push_back("oval");
            return false;
        };
        Oval.Create(*this, 200, 200, 40, 20);
        Marker.Create(*this, 250, 10, 20, 20);
    }
    bool Event_MouseDown(std::int32_t x, std::int32_t y) override {
        presses.push_back("window at " + std::to_string(x) + "," + std::to_string(y));
        return false;
    }
};

void Press(rt::Window& window, int x, int y) {
    QTest::mouseClick(window.ContentWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
}

TEST(ControlArrayTest, AddCopyTakesTheNextNumberAndMemberZerosSettings) {
    ShapeWindow& window = rt::Instance<ShapeWindow>();
    rt::RectShape& first = window.Points.AddCopy();
    rt::RectShape& second = window.Points.AddCopy();
    EXPECT_EQ(first.Index(), 1);
    EXPECT_EQ(second.Index(), 2);
    EXPECT_EQ(window.Points.Count(), 3);
    EXPECT_EQ(window.Points.UBound(), 2);
    EXPECT_EQ(second.FillColor(), 0x5F7F3Fu);
    EXPECT_EQ(second.BorderWidth(), 0);
    EXPECT_EQ(second.Width(), 5);
    EXPECT_EQ(second.Left(), -50);
    EXPECT_TRUE(second.IsCreated());
    EXPECT_EQ(second.ParentWindow(), &window);
    EXPECT_TRUE(window.Points.Has(2));
    EXPECT_FALSE(window.Points.Has(3));
    EXPECT_THROW(window.Points(3), std::out_of_range);

    rt::LineShape& line = window.Lines.AddCopy();
    EXPECT_EQ(line.Index(), 1);
    EXPECT_EQ(line.BorderColor(), 0x00FF80u);
    EXPECT_EQ(line.X1(), -100);
    EXPECT_EQ(line.Y2(), -50);
}

TEST(ShapesTest, PressOnAShapeRunsTheMembersHandlerWithItsNumber) {
    ShapeWindow& window = rt::Instance<ShapeWindow>();
    rt::RectShape& point = window.Points.AddCopy();
    point.SetLeft(98);
    point.SetTop(48);
    Press(window, 100, 50);
    Press(window, 104, 52);
    ASSERT_EQ(window.presses.size(), 2u);
    EXPECT_EQ(window.presses[0], "point 1 at 2,2");
    EXPECT_EQ(window.presses[1], "window at 104,52");
}

TEST(ShapesTest, LineCountsWithinThreePixels) {
    ShapeWindow& window = rt::Instance<ShapeWindow>();
    rt::LineShape& line = window.Lines.AddCopy();
    line.SetEnds(10, 20, 110, 20);
    EXPECT_TRUE(line.Contains(60, 23));
    EXPECT_FALSE(line.Contains(60, 24));
    EXPECT_TRUE(line.Contains(7, 20));
    EXPECT_FALSE(line.Contains(6, 20));
    Press(window, 60, 22);
    Press(window, 60, 26);
    ASSERT_EQ(window.presses.size(), 2u);
    EXPECT_EQ(window.presses[0], "line 1 at 50,2");
    EXPECT_EQ(window.presses[1], "window at 60,26");
}

TEST(ShapesTest, DiagonalAndDegenerateLines) {
    rt::LineShape line;
    line.SetEnds(0, 0, 100, 100);
    EXPECT_TRUE(line.Contains(52, 50));
    EXPECT_FALSE(line.Contains(55, 50));
    EXPECT_FALSE(line.Contains(105, 105));
    line.SetEnds(5, 5, 5, 5);
    EXPECT_TRUE(line.Contains(7, 7));
    EXPECT_FALSE(line.Contains(8, 8));
    line.SetEnds(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_TRUE(line.Contains(0, 0));
    EXPECT_EQ(line.Left(), INT32_MIN);
    EXPECT_EQ(line.Width(), INT32_MAX);
}

TEST(ShapesTest, TopShapeFirstAndHiddenShapesLetPressesThrough) {
    ShapeWindow& window = rt::Instance<ShapeWindow>();
    rt::RectShape& lower = window.Points.AddCopy();
    rt::RectShape& upper = window.Points.AddCopy();
    lower.SetLeft(10);
    lower.SetTop(10);
    lower.SetWidth(20);
    lower.SetHeight(20);
    upper.SetLeft(20);
    upper.SetTop(20);
    upper.SetWidth(20);
    upper.SetHeight(20);
    Press(window, 25, 25);
    upper.SetVisible(false);
    Press(window, 25, 25);
    lower.SetEnabled(false);
    Press(window, 25, 25);
    EXPECT_EQ(window.presses,
              (std::vector<std::string>{"point 2 at 5,5", "point 1 at 15,15", "window at 25,25"}));
}

TEST(ShapesTest, OvalHitsInsideTheEllipseOnlyAndShapesWithoutHandlerAreTransparent) {
    ShapeWindow& window = rt::Instance<ShapeWindow>();
    Press(window, 220, 210);
    Press(window, 201, 201);
    Press(window, 255, 15);
    EXPECT_EQ(window.presses, (std::vector<std::string>{"oval", "window at 201,201", "window at 255,15"}));
}

TEST(ShapesTest, ShapesAreDrawnInCreationOrder) {
    ShapeWindow& window = rt::Instance<ShapeWindow>();
    rt::RectShape& lower = window.Points.AddCopy();
    rt::RectShape& upper = window.Points.AddCopy();
    lower.SetFillColor(0xFF0000);
    lower.SetLeft(10);
    lower.SetTop(10);
    upper.SetFillColor(0x0000FF);
    upper.SetLeft(12);
    upper.SetTop(12);
    rt::LineShape& line = window.Lines.AddCopy();
    line.SetEnds(50, 60, 90, 60);
    line.SetBorderColor(0x123456);
    const rt::Picture picture = window.DrawIntoPicture();
    EXPECT_EQ(picture.Pixel(10, 10), 0xFF0000u);
    EXPECT_EQ(picture.Pixel(13, 13), 0x0000FFu);
    EXPECT_EQ(picture.Pixel(70, 60), 0x123456u);
    EXPECT_EQ(picture.Pixel(70, 62), 0xFFFFFFu);
    upper.SetVisible(false);
    EXPECT_EQ(window.DrawIntoPicture().Pixel(13, 13), 0xFF0000u);
}

TEST(ShapesTest, MovingALineMovesBothEnds) {
    rt::LineShape line;
    line.SetEnds(30, 40, 10, 60);
    EXPECT_EQ(line.Left(), 10);
    EXPECT_EQ(line.Top(), 40);
    EXPECT_EQ(line.Width(), 20);
    EXPECT_EQ(line.Height(), 20);
    line.SetLeft(15);
    line.SetTop(35);
    EXPECT_EQ(line.X1(), 35);
    EXPECT_EQ(line.X2(), 15);
    EXPECT_EQ(line.Y1(), 35);
    EXPECT_EQ(line.Y2(), 55);
}

} // namespace
