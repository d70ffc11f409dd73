#include "rt/window.h"
#include <QImage>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

#include "tests/rt/shapewindow.h"

namespace {

// Overlapping points (runs of one colour, one with a border) and segments in turns, a selection
// drawn wide, a deletion hidden and disabled.
template <class W> void Work(W& editor) {
    std::uint32_t seed = 12345;
    const auto next = [&seed](std::int32_t range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<std::int32_t>((seed >> 8) % static_cast<std::uint32_t>(range));
    };
    for (int row = 0; row < 40; ++row) {
        if (row < 12 || row % 3 == 0) {
            auto&& point = editor.Points.AddCopy();
            point.SetFillColor(0x000080 + static_cast<rt::Color>(row < 12 ? row / 4 : row));
            point.SetLeft(next(30) + 60);
            point.SetTop(next(30) + 60);
        } else {
            auto&& line = editor.Lines.AddCopy();
            line.SetBorderColor(0x800000 + static_cast<rt::Color>(row));
            line.SetEnds(next(180) - 10, next(180) - 10, next(180) - 10, next(180) - 10);
        }
    }
    for (std::int32_t k = 3; k <= 6; ++k) {
        editor.Lines(k).SetBorderColor(0xCC1111);
        editor.Lines(k).SetBorderWidth(3);
    }
    editor.Points(2).SetFillColor(0xCC1111);
    editor.Points(6).SetBorderWidth(2);
    for (std::int32_t k : {8, 9}) {
        editor.Lines(k).SetVisible(false);
        editor.Lines(k).SetEnabled(false);
    }
    editor.Points(4).SetVisible(false);
    editor.Points(4).SetEnabled(false);
    editor.Points(5).SetEnabled(false);
}

TEST(ShapeArrayTest, DrawsAndTakesPressesAsSingleShapesDo) {
    SingleShapeWindow& single = rt::Instance<SingleShapeWindow>();
    CompactShapeWindow& compact = rt::Instance<CompactShapeWindow>();
    Work(single);
    Work(compact);
    const QImage shown = compact.DrawIntoPicture().Image();
    EXPECT_TRUE(single.DrawIntoPicture().Image() == shown);
    EXPECT_GT(shown.size().width(), 0);
    for (int y = 0; y < 160; y += 3)
        for (int x = 0; x < 160; x += 3)
            for (rt::Window* window : {static_cast<rt::Window*>(&single), static_cast<rt::Window*>(&compact)})
                QTest::mouseClick(window->ContentWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    EXPECT_EQ(single.presses, compact.presses);
    const auto onMembers =
        std::count_if(compact.presses.begin(), compact.presses.end(), [](const std::string& press) {
            return press.starts_with("line") || press.starts_with("point");
        });
    EXPECT_GT(onMembers, 100);
}

TEST(ShapeArrayTest, AClosedWindowFreesItsMembersAtOnce) {
    CompactShapeWindow& editor = rt::Instance<CompactShapeWindow>();
    editor.Points.AddCopy();
    editor.Close();
    EXPECT_EQ(std::tuple(editor.Points.Count(), editor.Lines.Has(0)), std::tuple(0, false));
}

} // namespace
