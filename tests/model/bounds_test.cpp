// The bounding box of the point set, its spans and ratio, and what the control panel shows of them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/globali.h"
#include "model/inizio.h"
#include "rt/runtime.h"
#include "rt/window.h"
#include "tests/model/panel_probe.h"
#include "views/fincontrol.h"

namespace {

void LoadPoints(const std::vector<double>& xs, const std::vector<double>& ys, const std::vector<double>& zs) {
    globali::px = xs;
    globali::py = ys;
    globali::pz = zs;
    globali::ptot = static_cast<std::int32_t>(xs.size()) - 1;
}

TEST(Bounds, BoxHoldsTheExtremesOfEveryAxis) {
    LoadPoints({10, 5, 20}, {-3, 4, 1}, {7, -2.5, 0});

    Inizio::calcolaingombro();

    EXPECT_EQ(globali::xmin, 5);
    EXPECT_EQ(globali::xmax, 20);
    EXPECT_EQ(globali::dx, 15);
    EXPECT_EQ(globali::ymin, -3);
    EXPECT_EQ(globali::ymax, 4);
    EXPECT_EQ(globali::dy, 7);
    EXPECT_EQ(globali::zmin, -2.5);
    EXPECT_EQ(globali::zmax, 7);
    EXPECT_EQ(globali::dz, 9.5);
    EXPECT_EQ(globali::rapp, 7.0 / 15.0);
}

TEST(Bounds, StalePointsPastTheLastIndexAreIgnored) {
    LoadPoints({1, 2, 3, 500}, {1, 2, 3, 500}, {1, 2, 3, 500});
    globali::ptot = 2;

    Inizio::calcolaingombro();

    EXPECT_EQ(globali::xmax, 3);
    EXPECT_EQ(globali::zmax, 3);
}

TEST(Bounds, PanelShowsSpansAndProposesIntervalsFromTheNewRatio) {
    LoadPoints({0, 100, 40}, {0, 200, 10}, {1, 2, 3});
    globali::rapp = 5; // left from earlier data

    Inizio::calcolaingombro();

    auto& panel = rt::Instance<fincontrol>();
    EXPECT_EQ(globali::rapp, 2);
    EXPECT_EQ(panel.XEditField.Text(), "30");
    EXPECT_EQ(panel.YEditField.Text(), "60");
    EXPECT_EQ(panel.IngStaticText.Text(), "100,  200,  2");
}

TEST(Bounds, SpanTextUsesPlainNumbersJoinedByCommaAndTwoBlanks) {
    LoadPoints({-50, 50, 0}, {10, 60, 20}, {0.5, 8, 3});

    Inizio::calcolaingombro();

    EXPECT_EQ(rt::Instance<fincontrol>().IngStaticText.Text(), "100,  50,  7.5");
    EXPECT_EQ(rt::Instance<fincontrol>().YEditField.Text(), "15");
}

TEST(Bounds, ProgressRunsThroughThePointsAndEndsAtZero) {
    LoadPoints({0, 1, 2, 3, 4}, {0, 1, 0, 1, 0}, {0, 0, 0, 0, 0});
    ProgressProbe probe;
    const std::uint64_t yieldsBefore = rt::YieldCount();

    Inizio::calcolaingombro();

    EXPECT_EQ(probe.Events(),
              (std::vector<std::string>{"25 of 100", "50 of 100", "75 of 100", "100 of 100", "0 of 100"}));
    EXPECT_EQ(rt::Instance<fincontrol>().ProgressBar1.Value(), 0);
    EXPECT_EQ(rt::YieldCount() - yieldsBefore, 4u);
}

TEST(Bounds, WithoutWidthTheProposedGridIsSquare) {
    LoadPoints({3, 3, 3}, {0, 10, 5}, {1, 1, 1});

    Inizio::calcolaingombro();

    EXPECT_EQ(globali::dx, 0);
    EXPECT_EQ(globali::rapp, 1);
    EXPECT_EQ(rt::Instance<fincontrol>().YEditField.Text(), "30");

    LoadPoints({3, 3}, {4, 4}, {1, 1});
    Inizio::calcolaingombro();
    EXPECT_EQ(globali::rapp, 1);
    EXPECT_EQ(rt::Instance<fincontrol>().IngStaticText.Text(), "0,  0,  0");
}

TEST(Bounds, SpansBeyondTheRangeOfDoublesLeaveAFiniteRatio) {
    const double huge = 1.7e308;
    LoadPoints({-huge, huge, 0}, {-huge, huge, 0}, {0, 1, 2});

    Inizio::calcolaingombro();

    EXPECT_EQ(globali::xmin, -huge);
    EXPECT_EQ(globali::ymax, huge);
    EXPECT_EQ(globali::rapp, 1);
    EXPECT_EQ(rt::Instance<fincontrol>().YEditField.Text(), "30");
}

TEST(Bounds, NoStoredPointsGiveAnEmptyBoxAtTheOrigin) {
    globali::px.clear();
    globali::py.clear();
    globali::pz.clear();
    globali::ptot = 5; // more points claimed than stored

    Inizio::calcolaingombro();

    EXPECT_EQ(globali::xmin, 0);
    EXPECT_EQ(globali::xmax, 0);
    EXPECT_EQ(globali::dz, 0);
    EXPECT_EQ(rt::Instance<fincontrol>().ProgressBar1.Value(), 0);
}

} // namespace
