#include "app/resources.h"

#include <memory>

#include "rt/resourcepicture.h"

#define AMBRELIX_PICTURE(name)                                                                               \
    rt::Picture name() {                                                                                     \
        return rt::ResourcePicture(#name);                                                                   \
    }

AMBRELIX_PICTURE(Picture1)
AMBRELIX_PICTURE(Picture2)
AMBRELIX_PICTURE(Picture3)
AMBRELIX_PICTURE(Picture4)
AMBRELIX_PICTURE(bita)
AMBRELIX_PICTURE(busa)
AMBRELIX_PICTURE(ico1)
AMBRELIX_PICTURE(ico2)
AMBRELIX_PICTURE(mesh35x24)
AMBRELIX_PICTURE(ib1copia)
AMBRELIX_PICTURE(ib1)
AMBRELIX_PICTURE(ib2copia)
AMBRELIX_PICTURE(ib2)
AMBRELIX_PICTURE(ib3copia)
AMBRELIX_PICTURE(ib3)
AMBRELIX_PICTURE(ib4copia)
AMBRELIX_PICTURE(ib4)
AMBRELIX_PICTURE(ib5copia)
AMBRELIX_PICTURE(ib5)

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
