// The switch to the 2D working mode, the fit, pictures that cannot be read or are too large, and
// the reference rescale.

#include "tests/input/twod_fixture.h"
#include "views/fincontrol.h"
#include "views/finestra.h"
#include <QImage>
#include <QImageWriter>
#include <string>
#include <utility>

namespace {

using TwoDSwitch = TwoD;

TEST_F(TwoDSwitch, ClosesThe3DWindowsFitsThePointsAndMapsEveryControlToItsRow) {
    rt::Instance<fincontrol>();
    rt::Instance<Finestra>();
    Inizio::ambiente = 2;
    SetRows({{{0, 0, 0}}, {{100, 0, 0}, {100, 50, 0}, {0, 50, 0}}, {{100, 50, 0}}, {{0, 0, 0}, {50, 0, 0}}});
    Inizio::mostra2d();
    EXPECT_EQ(rt::OpenInstance<fincontrol>(), nullptr);
    EXPECT_EQ(rt::OpenInstance<Finestra>(), nullptr);
    EXPECT_EQ(std::tuple(modulodxf::zmfct, modulodxf::xz, modulodxf::yz, Editor().punto(1).Top()),
              std::tuple(9, 10, 85, 533));
    ASSERT_EQ(modulodxf::qpun, 2);
    EXPECT_EQ(modulodxf::qqpun[2], 3);
    ASSERT_EQ(modulodxf::qlin, 3);
    for (const auto [j, row, first] : {std::array{1, 2, 1}, {2, 2, 1}, {3, 4, 3}}) {
        EXPECT_EQ(modulodxf::qqlin(j, 0), row);
        EXPECT_EQ(modulodxf::qqlin(j, 1), first);
    }
}

TEST_F(TwoDSwitch, DegenerateDataIsCentredOrKeepsTheTransform) {
    // A row that received no vertex, and one whose points are missing, draw nothing.
    SetRows({{{5, 5, 0}}, {{5, 5, 0}}});
    modulodxf::dxfpn(2, 1) = -1;
    modulodxf::dxfpn.Redim(3, 1);
    modulodxf::dxfcounter = 3;
    modulodxf::dxfpn(3, 0) = 7;
    Inizio::mostra2d();
    EXPECT_EQ(std::tuple(modulodxf::zmfct, Editor().punto(1).Left(), modulodxf::qpun, modulodxf::qlin),
              std::tuple(1, 458, 1, 0));
    SetRows({{{3, 0, 0}, {3, 60, 0}}});
    Inizio::mostra2d();
    EXPECT_EQ(std::tuple(modulodxf::zmfct, Editor().Linea(1).X1()), std::tuple(10, 460));
    SetRows({});
    modulodxf::zmfct = 4;
    Inizio::mostra2d();
    EXPECT_EQ(modulodxf::zmfct, 4);
    EXPECT_EQ(Editor().StaticText1.Text(), "ref.:");
}

TEST_F(TwoDSwitch, APictureThatCannotBeReadOrIsTooLargeChangesNothingAndALargeScanOpens) {
    readertest::Scratch scratch;
    const std::string thread = scratch.Path("thread.png");
    QImage(1, 6000, QImage::Format_RGB32).save(QString::fromStdString(thread));
    const std::string unusable = "Can't open as picture!\r\rNon posso aprire come immagine!";
    const std::pair<std::string, std::string> refusals[] = {
        {scratch.Write("notes.png", "just some text\n"), unusable},
        {thread, unusable},
        {readertest::DataFile("picture_too_large.png"),
         "The picture is too large for this computer: 200000 x 200000 pixels!\r\r"
         "L'immagine è troppo grande per questo computer: 200000 x 200000 pixel!"}};
    for (const auto& [path, message] : refusals) {
        SetRows({{{1, 2, 3}}});
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen(path);
        dialogs.AnswerMessage();
        Inizio::aprimmagine();
        ASSERT_EQ(dialogs.Requests().size(), 2u) << path;
        EXPECT_EQ(dialogs.Requests()[1].text, message);
        EXPECT_EQ(globali::ptot, 0);
        EXPECT_FALSE(Inizio::immaginesfondo);
        EXPECT_EQ(rt::OpenInstance<fin_edita>(), nullptr);
    }
    // An A2 map scanned at 300 dpi, beyond the 128 MB that Qt's readers allow by default.
    const std::string scan = scratch.Path("a2.png");
    QImage map(4961, 7016, QImage::Format_RGB32);
    map.fill(0x336699);
    ASSERT_TRUE(QImageWriter(QString::fromStdString(scan), "png").write(map));
    rt::ScriptedDialogs dialogs;
    dialogs.AnswerOpen(scan);
    Inizio::aprimmagine();
    ASSERT_TRUE(Inizio::immaginesfondo);
    EXPECT_EQ(Inizio::immaginesfondo.Pixel(10, 10), 0x336699u);
}

TEST_F(TwoDSwitch, TheReferenceRescaleKeepsPointsOnThePictureAndRefusesUnusableScales) {
    SetRows({{{300, 120, 9}}});
    Inizio::immaginesfondo = rt::Picture::New(920, 620);
    Inizio::mostra2d();
    Inizio::rifxy12 = {100, 200, 400, 600};
    Palette().s_efield.SetEnabled(true);
    Palette().s_efield.Type("250");
    EXPECT_EQ(modulodxf::zmfct, 2);
    EXPECT_DOUBLE_EQ(globali::px[0], 150);
    EXPECT_DOUBLE_EQ(globali::py[0], 60);
    Palette().s_efield.SetText("0." + std::string(310, '0') + "1");
    Inizio::rifxy12 = {5, 5, 5, 5};
    Palette().s_efield.SetText("3");
    EXPECT_EQ(std::tuple(modulodxf::zmfct, globali::px[0]), std::tuple(2, 150));
}

} // namespace
