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

} // namespace rt
