// The screen area follows the desktop area where the program sizes its windows afresh, but not
// under a traced picture, whose points are placed by the screen area they were traced in.

#include <gtest/gtest.h>
#include <utility>

#include "model/globali.h"
#include "model/inizio.h"
#include "model/screenarea.h"
#include "rt/picture.h"
#include "rt/runtime.h"

namespace {

class ScreenArea : public ::testing::Test {
protected:
    // The screen area read from a desktop 120 pixels higher, before a panel came.
    void SetUp() override {
        const rt::ScreenSize now = rt::Screen(0);
        screenarea::Take({rt::ScreenSize{now.Width, now.Height + 120}, now.Width - 173, now.Height + 67});
    }
    void TearDown() override {
        Inizio::immaginesfondo = rt::Picture();
        screenarea::Take(screenarea::OfDesktop());
    }
};

TEST_F(ScreenArea, ARefreshTakesTheChangedDesktopAreaOnlyWhenNoPictureIsTraced) {
    const rt::ScreenSize now = rt::Screen(0);
    Inizio::immaginesfondo = rt::Picture::New(8, 8);
    screenarea::Refresh();
    EXPECT_EQ(std::pair(globali::scrx, globali::scry), std::pair(now.Width - 173, now.Height + 67));

    Inizio::immaginesfondo = rt::Picture();
    screenarea::Refresh();
    EXPECT_EQ(std::pair(globali::scrx, globali::scry), std::pair(now.Width - 173, now.Height - 53));
}

TEST_F(ScreenArea, TheLatestAreaIsTheOneInUseWhileTheDesktopAreaStaysAsItWasRead) {
    screenarea::Take(screenarea::OfDesktop());
    globali::scry = 500;
    const screenarea::Reading latest = screenarea::Latest();
    EXPECT_EQ(latest.scry, 500);
}

} // namespace
