#include <gtest/gtest.h>

#include <cstddef>
#include <iterator>

#include "app/resources.h"
#include "rt/resourcepicture.h"

namespace {

TEST(Resources, EveryPictureIsReadOnceAndTheSamePictureHandedOutOnEveryCall) {
    rt::Picture (*const pictures[])() = {Picture1, Picture2,  Picture3, Picture4, bita,     busa, ico1,
                                         ico2,     mesh35x24, ib1copia, ib1,      ib2copia, ib2,  ib3copia,
                                         ib3,      ib4copia,  ib4,      ib5copia, ib5};
    for (std::size_t k = 0; k < std::size(pictures); ++k)
        ASSERT_TRUE(pictures[k]()) << "picture " << k;
    const std::int32_t reads = rt::ResourcePictureReads();
    for (std::size_t k = 0; k < std::size(pictures); ++k)
        EXPECT_TRUE(pictures[k]() == pictures[k]()) << "picture " << k;
    EXPECT_EQ(rt::ResourcePictureReads(), reads);
    EXPECT_EQ(mesh35x24().Width(), 35); // the icons fill their 35 x 24 canvases
    ASSERT_NE(cursore(), nullptr);
    EXPECT_EQ(cursore(), cursore());
}

} // namespace
