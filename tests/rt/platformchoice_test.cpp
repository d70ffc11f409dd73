#include "rt/desktop/platformchoice.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Arguments = std::vector<std::string>;

TEST(PlatformChoice, AsksForX11AheadOfWaylandWhenNoPlatformIsChosenAndAnXDisplayIsThere) {
    EXPECT_EQ(rt::WithPlatformChoice({"ambrelix", "survey.xyz"}, "", ":0"),
              (Arguments{"ambrelix", "-platform", "xcb;wayland", "survey.xyz"}));
}

TEST(PlatformChoice, KeepsAPlatformTheUserChose) {
    const Arguments byVariable{"ambrelix"};
    EXPECT_EQ(rt::WithPlatformChoice(byVariable, "wayland", ":0"), byVariable);
    for (const Arguments& byArgument : {Arguments{"ambrelix", "-platform", "wayland"},
                                        Arguments{"ambrelix", "survey.xyz", "--platform", "offscreen"}})
        EXPECT_EQ(rt::WithPlatformChoice(byArgument, "", ":0"), byArgument);
}

TEST(PlatformChoice, LeavesTheChoiceToQtWithoutAnXDisplayOrAProgramName) {
    EXPECT_EQ(rt::WithPlatformChoice({"ambrelix"}, "", ""), Arguments{"ambrelix"});
    EXPECT_EQ(rt::WithPlatformChoice({}, "", ":0"), Arguments{});
}

TEST(PlatformChoice, TheXDisplayIsTheLastDisplayOptionsElseDisplays) {
    EXPECT_EQ(rt::XDisplayOf({"ambrelix", "-display", ":1", "--display", ":2.1", "survey.xyz"}, ":0"),
              ":2.1");
    EXPECT_EQ(rt::XDisplayOf({"ambrelix", "survey.xyz", "-display"}, ":0"), ":0");
    EXPECT_EQ(rt::XDisplayOf({"-display"}, ""), "");
}

} // namespace
