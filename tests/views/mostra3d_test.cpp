#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "input/fin_edita.h"
#include "input/finimmagine.h"
#include "rt/folderitem.h"
#include "tests/views/threed_fixture.h"

namespace {

const std::string kFewPoints =
    "Invalid data! / Dati non validi!\rMinimum three points for 3D!\r\rMinimo tre punti per il 3D!";
const std::string kAligned =
    "Invalid data! / Dati non validi!\rAll points are aligned!\r\rTutti i punti sono allineati!";

using Switch = ThreeD;

TEST_F(Switch, RefusesTooFewOrAxisAlignedPointsWithOneMessageClosingOnlyThe3DWindows) {
    const struct {
        std::vector<ThreeDPoint> points;
        const std::string* message; // null: accepted
    } cases[] = {
        {{}, &kFewPoints},
        {{{1, 2, 3}}, &kFewPoints},
        {{{1, 2, 3}, {4, 5, 6}}, &kFewPoints},
        {{{10, 1, 0}, {10, 5, 0}, {10, 9, 0}}, &kAligned},
        {{{1, 7, 0}, {5, 7, 0}, {9, 7, 3}}, &kAligned},
        {{{10.2, 1, 0}, {10.2, 5, 0}, {10.7, 9, 0}}, nullptr},
        {{{1, 1, 0}, {2, 2, 0}, {3, 3, 0}}, nullptr},
    };
    for (const auto& c : cases) {
        SetPoints(c.points);
        Inizio::ambiente = 2;
        rt::Instance<fincontrol>();
        rt::Instance<Finestra>();
        rt::Instance<finimmagine>();
        Inizio::ambiente = 2;
        rt::ScriptedDialogs dialogs;
        if (c.message != nullptr)
            dialogs.AnswerMessage();

        Inizio::mostra3d();

        const bool refused = c.message != nullptr;
        ASSERT_EQ(dialogs.Requests().size(), refused ? 1u : 0u) << c.points.size() << " points";
        if (refused) {
            EXPECT_EQ(dialogs.Requests()[0].text, *c.message);
            EXPECT_EQ(rt::OpenInstance<fincontrol>(), nullptr);
            EXPECT_EQ(rt::OpenInstance<Finestra>(), nullptr);
            EXPECT_NE(rt::OpenInstance<finimmagine>(), nullptr);
        } else {
            EXPECT_NE(rt::OpenInstance<fincontrol>(), nullptr);
            EXPECT_EQ(rt::OpenInstance<finimmagine>(), nullptr);
        }
        EXPECT_EQ(Inizio::ambiente, 2);
        rt::WindowRegistry::DiscardAll();
    }
}

TEST_F(Switch, OpensAFreshPanelBesideThe3DViewWithASnapshotOfTheEditor) {
    SetHill();
    Inizio::mostra2d();
    const rt::Picture editor = rt::Instance<fin_edita>().DrawIntoPicture();
    fincontrol& old = Panel();
    old.Slider1.SetValue(40);
    old.CheckBox1.SetValue(false);
    globali::celamesh = true;
    const std::filesystem::path temporary = rt::GetFolderItem("3DMFTEMP.3MF").Path();
    std::filesystem::create_directories(temporary.parent_path());
    std::ofstream(temporary) << "x";

    Inizio::mostra3d();

    fincontrol& panel = Panel();
    EXPECT_EQ(panel.Height(), 368);
    EXPECT_EQ(panel.Slider1.Value(), 10);
    EXPECT_TRUE(panel.CheckBox1.Value());
    EXPECT_EQ(panel.XEditField.Text(), "30");
    EXPECT_EQ(panel.YEditField.Text(), "15");
    EXPECT_EQ(panel.IngStaticText.Text(), "100,  50,  31");
    EXPECT_TRUE(panel.RadioB(0).Value());
    EXPECT_FALSE(globali::celamesh);
    EXPECT_EQ(Inizio::ambiente, 2);
    EXPECT_FALSE(std::filesystem::exists(temporary));
    EXPECT_EQ(rt::OpenInstance<fin_edita>(), nullptr);
    EXPECT_EQ(rt::OpenInstance<finimmagine>(), nullptr);
    ASSERT_NE(View(), nullptr);

    const rt::Picture& snapshot = Inizio::openglpicture;
    ASSERT_EQ(snapshot.Width(), editor.Width());
    ASSERT_EQ(snapshot.Height(), editor.Height());
    for (int x = 0; x < editor.Width(); x += 7)
        for (int y = 0; y < editor.Height(); y += 7)
            ASSERT_EQ(snapshot.Pixel(x, y), editor.Pixel(x, y)) << x << ", " << y;
}

TEST_F(Switch, ViewKindOneOpensTheTallerPanelBesideTheDrawingAndKeepsTheTemporaryFile) {
    SetHill();
    Inizio::engine3d = 1;
    const std::filesystem::path temporary = rt::GetFolderItem("3DMFTEMP.3MF").Path();
    std::filesystem::create_directories(temporary.parent_path());
    std::ofstream(temporary) << "x";

    Inizio::mostra3d();

    EXPECT_EQ(Panel().Height(), 472);
    EXPECT_TRUE(Panel().RadioB(1).Value());
    EXPECT_FALSE(Panel().RadioB(0).Value());
    EXPECT_EQ(View(), nullptr);
    ASSERT_NE(rt::OpenInstance<Finestra>(), nullptr);
    EXPECT_TRUE(globali::disegno);
    EXPECT_TRUE(std::filesystem::exists(temporary));
    std::filesystem::remove(temporary);
}

TEST_F(Switch, GridCountsProposedBeyondTheFieldsBecomeTheirMostWithOneBeep) {
    SetPoints({{0, 0, 0}, {1, 50, 1}, {0.5, 100, 2}});
    const std::int32_t beeps = rt::BeepCount();
    Inizio::engine3d = 1;
    Inizio::mostra3d();
    EXPECT_EQ(Panel().YEditField.Text(), "999");
    EXPECT_EQ(rt::BeepCount(), beeps + 1);

    Panel().XEditField.SetText("2");
    EXPECT_EQ(Panel().YEditField.Text(), "200");
    Panel().PushButton1.Push();
    EXPECT_EQ(globali::mxtot, 2);
    EXPECT_EQ(globali::mytot, 200);
}

} // namespace
