#include "input/finingombro.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "rt/runtime.h"
#include "rt/window.h"
#include "views/fincontrol.h"
#include "views/fincontrolpanel.h"
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class OverallSize : public ::testing::Test {
protected:
    void SetUp() override {
        globali::lingua = 1;
        globali::scrx = 800;
        globali::scry = 600;
        Inizio::ambiente = 2;
        Inizio::engine3d = 1;
        FincontrolPanel::InstallForProgram();
        // The box is 100..110 in X, 0..4 in Y and flat at 5 in Z.
        globali::px = {100, 110, 105};
        globali::py = {0, 4, 1};
        globali::pz = {5, 5, 5};
        globali::ptot = 2;
        Inizio::calcolaingombro();
        globali::celamesh = true;
    }
    static finingombro& Open(const std::string& x, const std::string& y, const std::string& z, bool turn) {
        finingombro& editor = rt::Instance<finingombro>();
        editor.mxeditf.SetText(x);
        editor.myeditf.SetText(y);
        editor.mzeditf.SetText(z);
        editor.CheckBox1.SetValue(turn);
        return editor;
    }
};

TEST_F(OverallSize, ModifyScalesAboutTheOriginAndKeepsAFlatAxisAsItIs) {
    const finingombro& shown = rt::Instance<finingombro>();
    EXPECT_EQ(shown.Title() + "|" + shown.mxeditf.Text() + " " + shown.mzeditf.Text(),
              "Edit measures..|10 0");
    QTest::mouseClick(Open("20", "8", "3", false).PushButton2.Widget(), Qt::LeftButton);
    EXPECT_EQ(rt::OpenInstance<finingombro>(), nullptr);
    EXPECT_EQ(globali::px, (std::vector<double>{200, 220, 210}));
    EXPECT_EQ(globali::py, (std::vector<double>{0, 8, 2}));
    EXPECT_EQ(globali::pz, (std::vector<double>{5, 5, 5}));
    EXPECT_FALSE(globali::celamesh);
    EXPECT_EQ(rt::Instance<fincontrol>().IngStaticText.Text(), "20,  8,  0");
}

TEST_F(OverallSize, TheQuarterTurnWithTheSpansAsShownOnlyTurnsThePoints) {
    globali::px = {0, 10, 5};
    Inizio::calcolaingombro();
    Open("10", "4", "0", true).PushButton2_Action();
    EXPECT_EQ(globali::px, (std::vector<double>{0, 4, 1}));
    EXPECT_EQ(globali::py, (std::vector<double>{0, -10, -5}));
    EXPECT_EQ(globali::ymin, -10);
}

TEST_F(OverallSize, ModifyRefusesWithABeepOutsideThe3DModeWithoutPointsOrWithAFlatPlanAndCancelKeeps) {
    const struct {
        std::int32_t ambiente, ptot;
        const char *x, *y;
    } cases[] = {{1, 2, "20", "8"}, {2, -1, "20", "8"}, {2, 2, "0", "8"}, {2, 2, "20", ""}};
    for (const auto& c : cases) {
        Inizio::ambiente = c.ambiente;
        globali::ptot = c.ptot;
        finingombro& editor = Open(c.x, c.y, "1", false);
        const std::int32_t beeps = rt::BeepCount();
        editor.PushButton2_Action();
        EXPECT_EQ(rt::BeepCount(), beeps + 1);
        EXPECT_EQ(rt::OpenInstance<finingombro>(), &editor);
    }
    Open("20", "8", "3", true).PushButton1.Push();
    EXPECT_EQ(rt::OpenInstance<finingombro>(), nullptr);
    EXPECT_EQ(globali::px, (std::vector<double>{100, 110, 105}));
    EXPECT_TRUE(globali::celamesh);
}

TEST_F(OverallSize, HugeSpansStayNumbers) {
    Open("1e308", "4", "9", false).PushButton2_Action();
    for (const double x : globali::px)
        EXPECT_TRUE(std::isfinite(x)) << x;
    EXPECT_FALSE(std::isnan(globali::dx));
}

} // namespace
