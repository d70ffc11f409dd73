// The switches and the picture opening size the windows by the desktop area of their moment, once
// a panel has come since the screen area was read; a traced picture keeps the screen area its
// points were traced in until another picture replaces it.

#include <QImage>
#include <QString>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

#include "input/fin_edita.h"
#include "input/twodmode.h"
#include "model/screenarea.h"
#include "rt/conv.h"
#include "tests/input/readertesting.h"
#include "tests/views/threed_fixture.h"

namespace {

class PanelSinceRead : public ThreeD {
protected:
    // The screen area 800 by 600 was read from a desktop area 120 pixels higher than today's.
    void SetUp() override {
        ThreeD::SetUp();
        ASSERT_NE(now.scry, 600);
        screenarea::Take({rt::ScreenSize{973, now.desktop->Height + 120}, 800, 600});
    }
    void TearDown() override {
        rt::WindowRegistry::DiscardAll();
        Inizio::azzeradati();
        screenarea::Take(screenarea::OfDesktop());
        ThreeD::TearDown();
    }
    static fin_edita& Editor() { return rt::Instance<fin_edita>(); }
    const screenarea::Reading now = screenarea::OfDesktop();
};

TEST_F(PanelSinceRead, TheSwitchesWithoutATracedPictureSizeTheirWindowsByTheAreaOfTheirMoment) {
    SetHill();
    Inizio::mostra2d();
    EXPECT_EQ(std::tuple(Editor().Width(), Editor().Height()), std::tuple(now.scrx + 80, now.scry));

    screenarea::Take({rt::ScreenSize{973, now.desktop->Height + 120}, 800, 600});
    Inizio::mostra3d();
    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(std::tuple(View()->Width(), View()->Height()), std::tuple(now.scrx, now.scry));
}

TEST_F(PanelSinceRead, TracedPointsStayOnThePictureUntilAnotherPictureIsFittedToTheNewArea) {
    SetPoints({{300, 120, 9}, {100, 400, 5}, {500, 300, 2}});
    Inizio::immaginesfondo = rt::Picture::New(920, 600);
    modulodxf::zmfct = 1;
    modulodxf::xz = modulodxf::yz = modulodxf::zxmin = modulodxf::zymin = 0;
    Inizio::mostra2d();
    Inizio::mostra3d();
    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(View()->Height(), 600);
    Inizio::mostra2d();
    EXPECT_EQ(Editor().punto(1).Top(), 600 - 120 - 2);

    readertest::Scratch scratch;
    {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen(scratch.Write("notes.png", "just some text\n"));
        dialogs.AnswerMessage();
        Inizio::aprimmagine();
    }
    EXPECT_EQ(std::tuple(globali::scrx, globali::scry, globali::ptot), std::tuple(800, 600, 2));

    const std::string map = scratch.Path("map.png");
    ASSERT_TRUE(QImage(2000, 4000, QImage::Format_RGB32).save(QString::fromStdString(map)));
    rt::ScriptedDialogs dialogs;
    dialogs.AnswerOpen(map);
    Inizio::aprimmagine();
    EXPECT_EQ(std::tuple(globali::scrx, globali::scry), std::tuple(now.scrx, now.scry));
    EXPECT_EQ(std::tuple(Inizio::immaginesfondo.Width(), Inizio::immaginesfondo.Height()),
              std::tuple(rt::conv(2000 * (now.scry / 4000.0)), now.scry));
}

} // namespace
