#include "input/pictures2d.h"

#include <memory>

#include "rt/resourcepicture.h"

#define AMBRELIX_PICTURE(name)                                                                               \
    rt::Picture name() {                                                                                     \
        return rt::ResourcePicture(#name);                                                                   \
    }

AMBRELIX_PICTURE(ib1)
AMBRELIX_PICTURE(ib2)
AMBRELIX_PICTURE(ib3)
AMBRELIX_PICTURE(ib4)
AMBRELIX_PICTURE(ib5)
AMBRELIX_PICTURE(ib1copia)
AMBRELIX_PICTURE(ib2copia)
AMBRELIX_PICTURE(ib3copia)
AMBRELIX_PICTURE(ib4copia)
AMBRELIX_PICTURE(ib5copia)

#undef AMBRELIX_PICTURE

const rt::MouseCursor* cursore() {
    // The crosshair's centre is its hot spot.
    static std::unique_ptr<const rt::MouseCursor> cursor;
    if (!cursor) {
        if (const rt::Picture picture = rt::ResourcePicture("cursore"))
            cursor = std::make_unique<const rt::MouseCursor>(picture, 7, 7);
    }
    return cursor.get();
}
