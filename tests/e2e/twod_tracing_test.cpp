// The tracing road on a real screen: a scanned map of each picture format opened through
// File > Import > Picture.., then a reference, a contour and a spot height traced with the mouse.

#include <QTest>
#include <QWidget>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/menu.h"
#include "app/startup.h"
#include "input/fin_edita.h"
#include "input/finimmagine.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/dialogs.h"
#include "rt/window.h"

namespace {

class Tracing : public ::testing::Test {
protected:
    void SetUp() override {
        ambrelix::InitFileTypes();
        ambrelix::NewAppInstance();
        App().Event_Open();
        rt::WindowRegistry::RunDeferredOpenings();
    }
    void TearDown() override { ambrelix::DiscardAppInstance(); }

    static void Open(const char* extension) {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen((std::filesystem::path(__FILE__).parent_path() / "data" / "map.").string() +
                           extension);
        FileOpenImage().Trigger();
        ASSERT_EQ(dialogs.PendingAnswers(), 0u);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Editor().ContentWidget()));
    }
    static fin_edita& Editor() { return rt::Instance<fin_edita>(); }
    static finimmagine& Palette() { return rt::Instance<finimmagine>(); }
    static void Click(int x, int y) {
        QTest::mouseClick(Editor().ContentWidget(), Qt::LeftButton, {}, QPoint(x, y));
    }
    static void Tool(int index) { QTest::mouseClick(Palette().BevelBut(index).Widget(), Qt::LeftButton); }
    static void Retype(EditFieldNumero& field, const std::string& text) {
        QTest::keyClick(field.Widget(), Qt::Key_A, Qt::ControlModifier);
        field.Type(text);
    }
};

TEST_F(Tracing, EveryPictureFormatBecomesTheBackdropAndAReferenceAContourAndASpotHeightAreTraced) {
    // A survey of one point before, and another scale.
    globali::ptot = 0;
    modulodxf::dxfcounter = 1;
    modulodxf::zmfct = 5;
    const double scale = std::min((globali::scrx + 80) / 230.0, globali::scry / 155.0);
    for (const char* extension : {"jpg", "tif", "bmp", "gif", "png"}) {
        Open(extension);
        const rt::Picture& map = Inizio::immaginesfondo;
        ASSERT_TRUE(map) << extension;
        EXPECT_EQ(map.Width(), rt::conv(230 * scale));
        EXPECT_EQ(map.Height(), rt::conv(155 * scale));
        const rt::Color field = map.Pixel(map.Width() / 4, map.Height() / 4);
        EXPECT_TRUE((field & 0xFF) > 200 && (field >> 16) < 60) << extension;
        EXPECT_EQ(Editor().DrawIntoPicture().Pixel(map.Width() / 4, map.Height() / 4), field);
    }
    EXPECT_EQ(Inizio::ambiente, 1);
    EXPECT_EQ(globali::ptot, -1);
    Tool(2);
    Click(100, 100);
    // The field holds the palette's focus; which window the window system makes active is its own.
    EXPECT_EQ(Palette().ContentWidget()->focusWidget(), Palette().s_efield.Widget());
    Click(400, 100);
    EXPECT_EQ(Palette().s_efield.Text(), "300");
    Retype(Palette().s_efield, "150");
    EXPECT_EQ(modulodxf::zmfct, 2);
    EXPECT_EQ(Editor().StaticText1.Text(), "ref.: 2");
    Tool(3);
    for (const auto& [x, y] : {std::pair{100, 300}, {200, 300}, {200, 400}})
        Click(x, y);
    Retype(Palette().z_efield, "35");
    Tool(4);
    Click(300, 200);
    Palette().z_efield.Type("12");
    Tool(1);
    EXPECT_EQ(globali::px, (std::vector<double>{50, 100, 100, 150}));
    EXPECT_EQ(globali::pz, (std::vector<double>{35, 35, 35, 12}));
    ASSERT_EQ(modulodxf::dxfcounter, 2);
    EXPECT_EQ(modulodxf::dxfpn(1, 1), 2);
    const rt::Picture shown = Editor().DrawIntoPicture();
    EXPECT_EQ(shown.Pixel(150, 300), Inizio::gammanosel);
    EXPECT_EQ(shown.Pixel(302, 202), Inizio::gammanosel);
    EXPECT_EQ(shown.Pixel(250, 100), 0x004080u);
    Click(150, 301);
    const rt::Picture selected = Editor().DrawIntoPicture();
    EXPECT_EQ(selected.Pixel(150, 301), Inizio::gammasisel);
    EXPECT_EQ(selected.Pixel(201, 350), Inizio::gammasisel);
    EXPECT_EQ(Palette().z_efield.Text(), "35");
    QTest::mouseMove(Editor().ContentWidget(), QPoint(100, 300));
    EXPECT_TRUE(QTest::qWaitFor([] { return Palette().x_stx.Text() == "50"; }, 5000));
}

} // namespace
