#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/resources.h"

namespace {

struct Resource {
    const char* name;
    rt::Picture (*get)();
    // The widest and tallest the picture may be to fit where it is shown.
    std::int32_t maxWidth;
    std::int32_t maxHeight;
};

const Resource kResources[] = {
    {"Picture1", Picture1, 65, 40}, {"Picture2", Picture2, 65, 40}, {"Picture3", Picture3, 65, 40},
    {"Picture4", Picture4, 65, 40}, {"bita", bita, 28, 26},         {"busa", busa, 28, 26},
    {"ico1", ico1, 35, 24},         {"ico2", ico2, 35, 24},         {"mesh35x24", mesh35x24, 35, 24},
    {"ib1copia", ib1copia, 60, 40}, {"ib1", ib1, 60, 40},           {"ib2copia", ib2copia, 60, 40},
    {"ib2", ib2, 60, 40},           {"ib3copia", ib3copia, 60, 40}, {"ib3", ib3, 60, 40},
    {"ib4copia", ib4copia, 60, 40}, {"ib4", ib4, 60, 40},           {"ib5copia", ib5copia, 60, 40},
    {"ib5", ib5, 60, 40},
};

TEST(Resources, EveryPictureLoadsAndFitsWhereItIsShown) {
    for (const Resource& resource : kResources) {
        const rt::Picture picture = resource.get();
        ASSERT_TRUE(picture) << resource.name;
        EXPECT_GT(picture.Width(), 0) << resource.name;
        EXPECT_LE(picture.Width(), resource.maxWidth) << resource.name;
        EXPECT_LE(picture.Height(), resource.maxHeight) << resource.name;
    }
    // The flags fill their canvases and the small icons theirs.
    EXPECT_EQ(bita().Width(), 28);
    EXPECT_EQ(busa().Height(), 26);
    EXPECT_EQ(mesh35x24().Width(), 35);
    EXPECT_EQ(ico1().Height(), 24);
}

TEST(Resources, EachPictureIsReadOnceAndThenHandedOutAgain) {
    for (const Resource& resource : kResources)
        resource.get();
    const std::int32_t reads = ResourceReadCount();
    for (const Resource& resource : kResources) {
        const rt::Picture first = resource.get();
        EXPECT_TRUE(first == resource.get()) << resource.name;
    }
    EXPECT_EQ(ResourceReadCount(), reads);
}

bool SamePixels(const rt::Picture& a, const rt::Picture& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (std::int32_t y = 0; y < a.Height(); ++y)
        for (std::int32_t x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

TEST(Resources, PlainAndPressedToolFacesAndTheFourViewsDiffer) {
    EXPECT_FALSE(SamePixels(ib1(), ib1copia()));
    EXPECT_FALSE(SamePixels(ib2(), ib2copia()));
    EXPECT_FALSE(SamePixels(ib3(), ib3copia()));
    EXPECT_FALSE(SamePixels(ib4(), ib4copia()));
    EXPECT_FALSE(SamePixels(ib5(), ib5copia()));
    EXPECT_FALSE(SamePixels(ib1(), ib2()));
    EXPECT_FALSE(SamePixels(Picture1(), Picture2()));
    EXPECT_FALSE(SamePixels(Picture3(), Picture4()));
    EXPECT_FALSE(SamePixels(bita(), busa()));
    EXPECT_FALSE(SamePixels(ico1(), ico2()));
}

TEST(Resources, TheCursorLoadsOnceWithItsHotSpotInside) {
    const rt::MouseCursor* cursor = cursore();
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursore(), cursor);
    ASSERT_TRUE(cursor->Image());
    EXPECT_GE(cursor->HotX(), 0);
    EXPECT_LT(cursor->HotX(), cursor->Image().Width());
    EXPECT_GE(cursor->HotY(), 0);
    EXPECT_LT(cursor->HotY(), cursor->Image().Height());
}

} // namespace
