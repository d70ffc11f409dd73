#pragma once
// Off-screen 32-bit pictures and their drawing. Drawing is not antialiased, so pixels are exact.

#include <cstdint>
#include <memory>
#include <vector>

#include "rt/conv.h"

class QImage;

namespace rt {

class Picture;

// The drawing state and operations of one picture. It keeps its drawing colour between calls;
// lines and outlines are one pixel wide.
class Graphics {
public:
    Color ForeColor() const;
    void SetForeColor(Color color);

    void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    void FillRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
    void DrawOval(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
    // points[0] is unused; points[1], points[2] are the first vertex's X and Y, and so on.
    void DrawPolygon(const std::vector<std::int32_t>& points);
    // The whole picture at (x, y).
    void DrawPicture(const Picture& picture, std::int32_t x, std::int32_t y);
    // The source rectangle of the picture scaled into the destination rectangle.
    void DrawPicture(const Picture& picture, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height, std::int32_t sourceX, std::int32_t sourceY,
                     std::int32_t sourceWidth, std::int32_t sourceHeight);

    // The runtime's own drawing state, kept by the picture.
    struct State;

private:
    friend class Picture;
    explicit Graphics(State* state) : state_(state) {}
    State* state_;
};

// A shared handle: copies refer to the same picture. A default-constructed Picture is nil.
class Picture {
public:
    Picture();
    // NewPicture: a picture filled with white. Width or height below 1 gives a nil picture.
    static Picture New(std::int32_t width, std::int32_t height, std::int32_t depth = 32);

    explicit operator bool() const { return impl_ != nullptr; }
    bool operator==(const Picture& other) const { return impl_ == other.impl_; }

    std::int32_t Width() const;
    std::int32_t Height() const;
    // Valid as long as some handle to this picture lives.
    rt::Graphics& Graphics() const;
    // The colour at a pixel, 0x00RRGGBB; 0 outside the picture.
    Color Pixel(std::int32_t x, std::int32_t y) const;
    // A new picture with the same pixels, drawn on apart from this one: copies can be drawn on by
    // different threads, one picture a thread.
    Picture Copy() const;

    // For the runtime's own use.
    QImage& Image() const;
    static Picture FromImage(const QImage& image);

private:
    struct Impl;
    std::shared_ptr<Impl> impl_;
};

} // namespace rt
