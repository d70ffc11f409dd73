#include "app/resources.h"

#include <memory>
#include <string>

#include "rt/folderitem.h"

// Made by the resource compiler from resources/resources.qrc. Calling it keeps the compiled-in
// pictures in every executable that uses them; a second registration is ignored.
int qInitResources_resources();

namespace {

std::int32_t readCount = 0;

rt::Picture ReadPicture(const char* name) {
    static const int registered = qInitResources_resources();
    (void)registered;
    ++readCount;
    return rt::FolderItem(std::string(":/ambrelix/pictures/") + name + ".png").OpenAsPicture();
}

// The picture in `cache`, read on the first call and again after a failed read.
rt::Picture Cached(rt::Picture& cache, const char* name) {
    if (!cache)
        cache = ReadPicture(name);
    return cache;
}

} // namespace

#define AMBRELIX_PICTURE(name)                                                                               \
    namespace name##_ {                                                                                      \
        rt::Picture permapic;                                                                                \
    }                                                                                                        \
    rt::Picture name() {                                                                                     \
        return Cached(name##_::permapic, #name);                                                             \
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
        if (const rt::Picture picture = ReadPicture("cursore"))
            cursor = std::make_unique<const rt::MouseCursor>(picture, 7, 7);
    }
    return cursor.get();
}

std::int32_t ResourceReadCount() {
    return readCount;
}
