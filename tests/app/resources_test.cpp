#include <gtest/gtest.h>

#include "app/resources.h"
#include "rt/resourcepicture.h"

namespace {

TEST(Resources, EveryPictureIsReadOnceAndTheSamePictureHandedOutOnEveryCall) {
    const auto pictures = {Picture1, Picture2,  Picture3, Picture4, bita,     busa, ico1,
                           ico2,     mesh35x24, ib1copia, ib1,      ib2copia, ib2,  ib3copia,
                           ib3,      ib4copia,  ib4,      ib5copia, ib5};
    for (const auto picture : pictures)
        ASSERT_TRUE(picture());
    const std::int32_t reads = rt::ResourcePictureReads();
    for (const auto picture : pictures)
        EXPECT_TRUE(picture() == picture());
    EXPECT_EQ(rt::ResourcePictureReads(), reads);
    EXPECT_EQ(mesh35x24().Width(), 35); // the icons fill their 35 x 24 canvases
    ASSERT_NE(cursore(), nullptr);
    EXPECT_EQ(cursore(), cursore());
}

} // namespace
