#pragma once

#include <cstdint>
#include <string>

#include "rt/conv.h"

namespace rt {

// Text settings shared by labels, fields, buttons and lists. Font "arial" is shown in Liberation
// Sans, which has Arial's metrics; size 0 is the system size.
struct TextStyle {
    std::string Font;
    std::int32_t Size = 0;
    bool Bold = false;
    Color TextColor = 0x000000;
    bool Italic = false;
    bool Underline = false;
};

// The program's usual font, "arial", at `size` points (0: the system size).
inline TextStyle Arial(std::int32_t size, bool bold, Color colour = 0x000000) {
    TextStyle style;
    style.Font = "arial";
    style.Size = size;
    style.Bold = bold;
    style.TextColor = colour;
    return style;
}

} // namespace rt
