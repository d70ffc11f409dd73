#pragma once
// Pictures compiled into the program with Qt's resource system, reached by name: the picture
// `name` is the file `name`.png in any folder of the resources. Each is read on first use and
// kept, so every later call hands out the same picture (equal by ==); one that cannot be read
// gives a nil picture and is looked for again at the next call.

#include <cstdint>
#include <string>

#include "rt/picture.h"

namespace rt {

Picture ResourcePicture(const std::string& name);

// How many times a resource picture has been read.
std::int32_t ResourcePictureReads();

} // namespace rt
