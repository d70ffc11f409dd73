#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <utility>

#include "input/fin_edita.h"
#include "input/finimmagine.h"
#include "rt/folderitem.h"
#include "tests/views/threed_fixture.h"

namespace {

using Switch = ThreeD;
using NoEngine = ThreeD;

std::filesystem::path TemporaryModel() {
    const std::filesystem::path temporary = rt::GetFolderItem("3DMFTEMP.3MF").Path();
    std::filesystem::create_directories(temporary.parent_path());
    std::ofstream(temporary) << "x";
    return temporary;
}

TEST_F(Switch, RefusesTooFewOrAxisAlignedPointsWithOneMessageClosingOnlyThe3DWindows) {
    const struct {
        std::vector<ThreeDPoint> points;
        const char* message; // null: accepted
    } cases[] = {
        {{{1, 2, 3}, {4, 5, 6}},
         "Invalid data! / Dati non validi!\rMinimum three points for 3D!\r\rMinimo tre punti per il 3D!"},
        {{{10, 1, 0}, {10, 5, 0}, {10, 9, 0}},
         "Invalid data! / Dati non validi!\rAll points are aligned!\r\rTutti i punti sono allineati!"},
        {{{10.2, 1, 0}, {10.2, 5, 0}, {10.7, 9, 0}}, nullptr},
    };
    for (const auto& c : cases) {
        SetPoints(c.points);
        rt::Instance<fincontrol>();
        rt::Instance<Finestra>();
        rt::Instance<finimmagine>();
        Inizio::ambiente = 2;
        rt::ScriptedDialogs dialogs;
        const bool refused = c.message != nullptr;
        if (refused)
            dialogs.AnswerMessage();
        Inizio::mostra3d();
        ASSERT_EQ(dialogs.Requests().size(), refused ? 1u : 0u) << c.points.size() << " points";
        if (refused) {
            EXPECT_EQ(dialogs.Requests()[0].text, c.message);
            EXPECT_EQ(rt::OpenInstance<Finestra>(), nullptr);
        }
        EXPECT_EQ(rt::OpenInstance<fincontrol>() != nullptr, !refused);
        EXPECT_EQ(rt::OpenInstance<finimmagine>() != nullptr, refused);
        EXPECT_EQ(Inizio::ambiente, 2);
        rt::WindowRegistry::DiscardAll();
    }
}

TEST_F(Switch, OpensAFreshPanelBesideThe3DViewWithASnapshotOfTheEditorAndGoesBackTo2DLeavingTheViewOpen) {
    SetHill();
    Inizio::mostra2d();
    const rt::Picture editor = rt::Instance<fin_edita>().DrawIntoPicture();
    Panel().Slider1.SetValue(40);
    globali::celamesh = true;
    const std::filesystem::path temporary = TemporaryModel();
    Inizio::mostra3d();
    EXPECT_EQ(Panel().Slider1.Value(), 10);
    EXPECT_EQ(Panel().XEditField.Text() + " " + Panel().YEditField.Text(), "30 15");
    EXPECT_FALSE(globali::celamesh);
    EXPECT_FALSE(std::filesystem::exists(temporary));
    EXPECT_EQ(rt::OpenInstance<fin_edita>(), nullptr);
    ASSERT_NE(View(), nullptr);
    const rt::Picture& snapshot = Inizio::openglpicture;
    ASSERT_EQ(snapshot.Width(), editor.Width());
    for (int x = 0; x < editor.Width(); x += 7)
        for (int y = 0; y < editor.Height(); y += 7)
            ASSERT_EQ(snapshot.Pixel(x, y), editor.Pixel(x, y)) << x << ", " << y;
    Panel().PushButton2.Push();
    EXPECT_EQ(rt::OpenInstance<fincontrol>(), nullptr);
    EXPECT_NE(rt::OpenInstance<finimmagine>(), nullptr);
    EXPECT_NE(View(), nullptr);
}

TEST_F(Switch, TheDrawingKeepsTheTemporaryFileAndGridCountsBeyondTheFieldsBecomeTheirMostWithOneBeep) {
    SetPoints({{0, 0, 0}, {1, 50, 1}, {0.5, 100, 2}});
    const std::int32_t beeps = rt::BeepCount();
    Inizio::engine3d = 1;
    const std::filesystem::path temporary = TemporaryModel();
    Inizio::mostra3d();
    EXPECT_TRUE(std::filesystem::remove(temporary));
    EXPECT_TRUE(rt::OpenInstance<Finestra>() != nullptr && View() == nullptr);
    EXPECT_EQ(Panel().YEditField.Text(), "999");
    EXPECT_EQ(rt::BeepCount(), beeps + 1);
    Panel().XEditField.SetText("2");
    EXPECT_EQ(Panel().YEditField.Text(), "200");
    Panel().YEditField.SetText("7");
    EXPECT_EQ(Panel().XEditField.Text(), "2");
    Panel().PushButton1.Push();
    EXPECT_EQ(std::pair(globali::mxtot, globali::mytot), std::pair(2, 7));
}

// The 3D view where Qt offers no OpenGL.
TEST_F(NoEngine, TheNoticeSpeaksTheLanguageAndEveryKeyRepeatsItWithABeep) {
    const char* notice = "INSTALLATE LA LIBRERIA QUESA (MacOSX) O QUICKDRAW3D (MacOS9) PER USARE OPENGL 3D";
    globali::lingua = 7;
    const std::int32_t beeps = rt::BeepCount();
    winquesa3d& view = rt::Instance<winquesa3d>();
    EXPECT_EQ(rt::BeepCount(), beeps + 1);
    EXPECT_EQ(view.StaticText1.Text(), notice);
    view.StaticText1.SetText("");
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Plus, Qt::Key_W})
        QTest::keyClick(view.ContentWidget(), key);
    EXPECT_EQ(rt::BeepCount(), beeps + 4);
    EXPECT_EQ(view.StaticText1.Text(), notice);
    EXPECT_EQ(view.raggiomax, 0);
}

} // namespace
