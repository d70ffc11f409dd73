#pragma once

#include <cstdint>

#include "rt/picture.h"

namespace rt {

// A mouse cursor from a picture and its hot spot.
class MouseCursor {
public:
    MouseCursor(const Picture& picture, std::int32_t hotX, std::int32_t hotY)
        : picture_(picture), hotX_(hotX), hotY_(hotY) {}
    const Picture& Image() const { return picture_; }
    std::int32_t HotX() const { return hotX_; }
    std::int32_t HotY() const { return hotY_; }

private:
    Picture picture_;
    std::int32_t hotX_;
    std::int32_t hotY_;
};

} // namespace rt
