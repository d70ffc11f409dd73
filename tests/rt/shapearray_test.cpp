#include "rt/controlarray.h"
#include "rt/shapearray.h"
#include "rt/shapes.h"
#include "rt/window.h"
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A 2D editor in small: line and point templates, a marker between them and the members after.
template <class Lines, class Points> class Editor : public rt::Window {
public:
    Lines Linea;
    Points punto;
    rt::RectShape marker;
    std::vector<std::string> presses;

protected:
    void Layout() override {
        SetBackColor(0xFFFFFF);
        SetWidth(160);
        SetHeight(160);
    }
    void CreateControls() override {
        const auto record = [this](const char* kind, std::int32_t index, std::int32_t x, std::int32_t y) {
            presses.push_back(kind + std::to_string(index) + "@" + std::to_string(x) + "," +
                              std::to_string(y));
            return false;
        };
        if constexpr (std::is_same_v<Lines, rt::LineArray>) {
            Linea.MouseDown = [=](std::int32_t i, std::int32_t x, std::int32_t y) {
                return record("L", i, x, y);
            };
            punto.MouseDown = [=](std::int32_t i, std::int32_t x, std::int32_t y) {
                return record("P", i, x, y);
            };
        } else {
            Linea.BindHandlers = [=](rt::LineShape& line) {
                line.MouseDown = [=, &line](std::int32_t x, std::int32_t y) {
                    return record("L", line.Index(), x, y);
                };
            };
            punto.BindHandlers = [=](rt::RectShape& square) {
                square.MouseDown = [=, &square](std::int32_t x, std::int32_t y) {
                    return record("P", square.Index(), x, y);
                };
            };
        }
        auto&& line = Linea.Add(0);
        line.Create(*this, 0, 0, 0, 0);
        line.SetEnds(-100, -100, -50, -50);
        line.SetBorderColor(0x00FF80);
        auto&& point = punto.Add(0);
        point.Create(*this, -50, -50, 5, 5);
        point.SetBorderWidth(0);
        point.SetFillColor(0x5F7F3F);
        marker.Create(*this, 60, 60, 30, 30);
        marker.SetBorderWidth(2);
    }
};

using OldEditor = Editor<rt::ControlArray<rt::LineShape>, rt::ControlArray<rt::RectShape>>;
using NewEditor = Editor<rt::LineArray, rt::RectArray>;

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
            auto&& point = editor.punto.AddCopy();
            point.SetFillColor(0x000080 + static_cast<rt::Color>(row < 12 ? row / 4 : row));
            point.SetLeft(next(30) + 60);
            point.SetTop(next(30) + 60);
        } else {
            auto&& line = editor.Linea.AddCopy();
            line.SetBorderColor(0x800000 + static_cast<rt::Color>(row));
            line.SetEnds(next(180) - 10, next(180) - 10, next(180) - 10, next(180) - 10);
        }
    }
    for (std::int32_t k = 3; k <= 6; ++k) {
        editor.Linea(k).SetBorderColor(0xCC1111);
        editor.Linea(k).SetBorderWidth(3);
    }
    editor.punto(2).SetFillColor(0xCC1111);
    editor.punto(6).SetBorderWidth(2);
    for (std::int32_t k : {8, 9}) {
        editor.Linea(k).SetVisible(false);
        editor.Linea(k).SetEnabled(false);
    }
    editor.punto(4).SetVisible(false);
    editor.punto(4).SetEnabled(false);
    editor.punto(5).SetEnabled(false);
}

TEST(ShapeArrayTest, DrawsAndTakesPressesAsSingleShapesDo) {
    OldEditor& old = rt::Instance<OldEditor>();
    NewEditor& compact = rt::Instance<NewEditor>();
    Work(old);
    Work(compact);
    const QImage shown = compact.DrawIntoPicture().Image();
    EXPECT_TRUE(old.DrawIntoPicture().Image() == shown);
    EXPECT_GT(shown.size().width(), 0);
    for (int y = 0; y < 160; y += 3)
        for (int x = 0; x < 160; x += 3)
            for (rt::Window* window : {static_cast<rt::Window*>(&old), static_cast<rt::Window*>(&compact)})
                QTest::mouseClick(window->ContentWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    EXPECT_EQ(old.presses, compact.presses);
    EXPECT_GT(compact.presses.size(), 100u);
}

TEST(ShapeArrayTest, AClosedWindowFreesItsMembersAtOnce) {
    NewEditor& editor = rt::Instance<NewEditor>();
    editor.punto.AddCopy();
    editor.Close();
    EXPECT_EQ(std::tuple(editor.punto.Count(), editor.Linea.Has(0)), std::tuple(0, false));
}

} // namespace
