// The 3D view where Qt offers no OpenGL: the notice of the missing engine.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include "tests/views/threed_fixture.h"

namespace {

using NoEngine = ThreeD;

TEST_F(NoEngine, TheNoticeSpeaksTheLanguageAndEveryKeyRepeatsItWithABeep) {
    const struct {
        std::int32_t lingua;
        const char* notice;
    } cases[] = {
        {1, "PLEASE INSTALL QUESA LIB (MacOSX) OR QUICKDRAW3D (MacOS9) TO VIEW OPENGL 3D"},
        {2, "INSTALLATE LA LIBRERIA QUESA (MacOSX) O QUICKDRAW3D (MacOS9) PER USARE OPENGL 3D"},
        {7, "INSTALLATE LA LIBRERIA QUESA (MacOSX) O QUICKDRAW3D (MacOS9) PER USARE OPENGL 3D"},
        {0, ""},
    };
    for (const auto& c : cases) {
        globali::lingua = c.lingua;
        rt::CloseIfOpen<winquesa3d>();
        const std::int32_t beeps = rt::BeepCount();
        winquesa3d& view = rt::Instance<winquesa3d>();
        EXPECT_EQ(rt::BeepCount(), beeps + 1);
        EXPECT_EQ(view.StaticText1.Text(), c.notice);
        EXPECT_EQ(view.obj, nullptr);

        view.StaticText1.SetText("");
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Plus, Qt::Key_W, Qt::Key_Q})
            QTest::keyClick(view.ContentWidget(), key);
        EXPECT_EQ(rt::BeepCount(), beeps + 5);
        EXPECT_EQ(view.StaticText1.Text(), c.notice);
        EXPECT_EQ(view.alzadi, 0);
        EXPECT_EQ(view.raggiomax, 0);
    }
}

} // namespace
