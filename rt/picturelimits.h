#pragma once
// How large a picture this machine can hold. Qt's image readers refuse larger ones before they
// allocate anything, and the program can tell a picture too large from a file that is no picture.

#include <cstdint>
#include <string>

namespace rt {

struct PixelSize {
    std::int64_t Width = 0;
    std::int64_t Height = 0;
};

// The size that the picture file at `path` states in its header, read without decoding the
// picture; 0 by 0 when it is no picture file.
PixelSize StatedPictureSize(const std::string& path);
// True when a picture of that size, 4 bytes a pixel, fits in the machine's memory (also when
// the size is empty: nothing is too large then).
bool PictureFitsInMemory(const PixelSize& size);

namespace detail {
// Lets Qt's image readers allocate pictures up to the machine's memory.
void AllowPicturesThatFitInMemory();
} // namespace detail

} // namespace rt
