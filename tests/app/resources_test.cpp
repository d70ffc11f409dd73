#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "app/resources.h"

namespace {

TEST(Resources, EveryPictureIsReadOnceAndTheSamePictureHandedOutOnEveryCall) {
    rt::Picture (*const pictures[])() = {Picture1, Picture2,  Picture3, Picture4, bita,     busa, ico1,
                                         ico2,     mesh35x24, ib1copia, ib1,      ib2copia, ib2,  ib3copia,
                                         ib3,      ib4copia,  ib4,      ib5copia, ib5};
    for (std::size_t k = 0; k < std::size(pictures); ++k) {
        const rt::Picture first = pictures[k]();
        ASSERT_TRUE(first) << "picture " << k;
        EXPECT_GT(first.Width(), 0) << "picture " << k;
    }
    const std::int32_t reads = ResourceReadCount();
    for (std::size_t k = 0; k < std::size(pictures); ++k)
        EXPECT_TRUE(pictures[k]() == pictures[k]()) << "picture " << k;
    EXPECT_EQ(ResourceReadCount(), reads);
    EXPECT_EQ(mesh35x24().Width(), 35); // the icons fill their 35 x 24 canvases
    EXPECT_EQ(ico1().Height(), 24);
}

TEST(Resources, TheCursorLoadsOnceWithItsHotSpotInside) {
    const rt::MouseCursor* cursor = cursore();
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursore(), cursor);
    ASSERT_TRUE(cursor->Image());
    EXPECT_LT(cursor->HotX(), cursor->Image().Width());
    EXPECT_LT(cursor->HotY(), cursor->Image().Height());
}

} // namespace
