#pragma once
// Light shapes: rectangles, ovals and lines drawn by their window over its backdrop in creation
// order, not native widgets. A press is tested on the shapes top first (the last created first);
// a line counts when the press is within 3 pixels of it. A press on no shape goes to the window.

#include <cstdint>

#include "rt/control.h"

namespace rt {

class RectShape : public Control {
public:
    Color FillColor() const;
    void SetFillColor(Color color);
    void SetBorderColor(Color color);
    void SetBorderWidth(std::int32_t width);
    // Whether the point (window coordinates) lies on the shape.
    virtual bool Contains(std::int32_t x, std::int32_t y) const;
    QWidget* Widget() const override { return nullptr; }

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;
    void DrawLight(QPainter& painter) const override;
    bool HitLight(std::int32_t x, std::int32_t y) const override;
    Color fill_ = 0xFFFFFF;
    Color border_ = 0x000000;
    std::int32_t borderWidth_ = 1;
};

class OvalShape : public RectShape {
public:
    bool Contains(std::int32_t x, std::int32_t y) const override;

protected:
    void DrawLight(QPainter& painter) const override;
};

// A line from (X1, Y1) to (X2, Y2) in window coordinates; Left, Top, Width and Height follow
// the ends (the position given to Create is not used). Moving Left or Top moves both ends.
class LineShape : public Control {
public:
    LineShape() { hitReach_ = 3; }
    std::int32_t X1() const { return x1_; }
    std::int32_t Y1() const { return y1_; }
    std::int32_t X2() const { return x2_; }
    std::int32_t Y2() const { return y2_; }
    void SetEnds(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    void SetBorderColor(Color color);
    void SetBorderWidth(std::int32_t width);
    bool Contains(std::int32_t x, std::int32_t y) const;
    QWidget* Widget() const override { return nullptr; }

protected:
    void CreateNative(Window& window) override;
    void CopySettingsTo(Control& other) const override;
    void DrawLight(QPainter& painter) const override;
    bool HitLight(std::int32_t x, std::int32_t y) const override;
    void GeometryChanged(const Geometry& before) override;

private:
    void FollowEnds();
    std::int32_t x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    Color color_ = 0x000000;
    std::int32_t width_ = 1;
};

} // namespace rt
