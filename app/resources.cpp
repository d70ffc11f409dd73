#include "app/resources.h"

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

#undef AMBRELIX_PICTURE
