#pragma once
// A window like the 2D editor: line and point arrays whose members share a press handler, then
// an oval, a marker, a label and a canvas created between the arrays' templates and their copies.
// Presses on no shape go to the window. Lines and Points are either control arrays of single
// shapes or the compact shape arrays, which must behave alike.

#include "rt/controlarray.h"
#include "rt/controls.h"
#include "rt/shapearray.h"
#include "rt/shapes.h"
#include "rt/window.h"
#include <cstdint>
#include <string>
#include <vector>

template <class LineShapes, class PointShapes> class ShapeWindow : public rt::Window {
public:
    LineShapes Lines;
    PointShapes Points;
    rt::OvalShape Oval;
    rt::RectShape Marker; // no handler of its own
    rt::StaticText Label;
    rt::Canvas Paper;
    std::vector<std::string> presses;

protected:
    void Layout() override { SetBackColor(0xFFFFFF); }
    void CreateControls() override {
        BindPresses(Lines, "line");
        BindPresses(Points, "point");
        auto&& line = Lines.Add(0);
        line.Create(*this, 0, 0, 0, 0);
        line.SetEnds(-100, -100, -50, -50);
        line.SetBorderColor(0x00FF80);
        auto&& point = Points.Add(0);
        point.Create(*this, -50, -50, 5, 5);
        point.SetBorderWidth(0);
        point.SetFillColor(0x5F7F3F);
        Oval.MouseDown = [this](std::int32_t, std::int32_t) { return Record("oval"); };
        Oval.Create(*this, 200, 200, 40, 20);
        Marker.Create(*this, 60, 60, 30, 30);
        Marker.SetBorderWidth(2);
        Marker.SetHelpTag("ENG: marker\rITA: segno");
        Label.SetText("ref.:");
        Label.Create(*this, 4, 250, 100, 16);
        Paper.MouseDown = [this](std::int32_t, std::int32_t) { return Record("paper"); };
        Paper.Create(*this, 150, 250, 35, 24);
    }
    bool Event_MouseDown(std::int32_t x, std::int32_t y) override { return Record("window", x, y); }

private:
    template <class Shape> void BindPresses(rt::ControlArray<Shape>& array, const std::string& name) {
        array.BindHandlers = [this, name](Shape& shape) {
            shape.MouseDown = [this, name, &shape](std::int32_t x, std::int32_t y) {
                return Record(name + " " + std::to_string(shape.Index()), x, y);
            };
        };
    }
    void BindPresses(rt::ShapeArray& array, const std::string& name) {
        array.MouseDown = [this, name](std::int32_t index, std::int32_t x, std::int32_t y) {
            return Record(name + " " + std::to_string(index), x, y);
        };
    }
    bool Record(const std::string& what, std::int32_t x, std::int32_t y) {
        return Record(what + " at " + std::to_string(x) + "," + std::to_string(y));
    }
    bool Record(const std::string& what) {
        presses.push_back(what);
        return false;
    }
};

using SingleShapeWindow = ShapeWindow<rt::ControlArray<rt::LineShape>, rt::ControlArray<rt::RectShape>>;
using CompactShapeWindow = ShapeWindow<rt::LineArray, rt::RectArray>;
