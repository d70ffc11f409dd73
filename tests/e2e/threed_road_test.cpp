// The road into the 3D working mode as a user takes it: an XYZ or a DXF file through the start window,
// the palette's "3 D" button, then "Create Mesh 3D" and the lit surface in the 3D view.

#include <QTest>
#include <QWidget>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "app/app.h"
#include "app/finstart.h"
#include "app/menu.h"
#include "app/startup.h"
#include "input/finimmagine.h"
#include "input/setdxf.h"
#include "tests/views/threed_fixture.h"

namespace {

constexpr rt::Color kSky = 0xC8C8FF;

std::string HillFile() {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "ambrelix_threed_hill.txt";
    std::ofstream out(path);
    for (int i = 0; i <= 20; ++i)
        for (int j = 0; j <= 12; ++j)
            out << i * 5 << '\t' << j * 5 << '\t' << 30 - std::hypot(i - 10, j - 6) * 2 << '\n';
    return path.string();
}

class Road3D : public ::testing::Test {
protected:
    void SetUp() override {
        ambrelix::InitFileTypes();
        ambrelix::NewAppInstance();
        App().Event_Open();
        rt::WindowRegistry::RunDeferredOpenings();
    }
    void TearDown() override {
        Inizio::engine3d = 0;
        ambrelix::DiscardAppInstance();
    }

    static void Click(rt::Control& control) { QTest::mouseClick(control.Widget(), Qt::LeftButton); }

    static void LoadPoints() {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen(HillFile());
        Click(rt::Instance<finstart>().pushbstart(2));
        ASSERT_EQ(dialogs.PendingAnswers(), 0u);
    }
    static void LoadContours() {
        Click(rt::Instance<finstart>().pushbstart(4));
        setdxf& options = rt::Instance<setdxf>();
        Click(options.CheckBox1);
        options.efprima.SetText("100");
        options.efdelta.SetText("10");
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen((std::filesystem::path(__FILE__).parent_path().parent_path() / "data" /
                            "contours_r2000_lwpolyline.dxf")
                               .string());
        Click(options.PushButton1);
        ASSERT_EQ(dialogs.PendingAnswers(), 0u);
    }
    static void ThreeDAndMesh() {
        ASSERT_EQ(Inizio::ambiente, 1);
        Click(rt::Instance<finimmagine>().PushButton1);
        ASSERT_EQ(Inizio::ambiente, 2);
        EXPECT_TRUE(EditEditMesh().Enabled());
        Click(rt::Instance<fincontrol>().PushButton1);
        EXPECT_TRUE(globali::celamesh);
    }
    static rt::Picture Frame() {
        winquesa3d* view = rt::OpenInstance<winquesa3d>();
        if (view == nullptr || !QTest::qWaitForWindowExposed(view->ContentWidget()->window(), 10000))
            return {};
        return view->rb3d.RenderToPicture();
    }
    static double Covered(const rt::Picture& frame) {
        std::int64_t count = 0;
        for (int y = 0; y < frame.Height(); ++y)
            for (int x = 0; x < frame.Width(); ++x)
                count += frame.Pixel(x, y) != kSky;
        return static_cast<double>(count) / (double(frame.Width()) * frame.Height());
    }
};

TEST_F(Road3D, PointsAndContoursBecomeALitSurfaceInThe3DView) {
    for (const bool contours : {false, true}) {
        contours ? LoadContours() : LoadPoints();
        ThreeDAndMesh();
        const rt::Picture frame = Frame();
        ASSERT_TRUE(frame);
        EXPECT_GT(Covered(frame), 0.1) << (contours ? "DXF" : "XYZ");
        EXPECT_LT(Covered(frame), 0.95);
        rt::Instance<fincontrol>().Slider2.SetValue(10);
        EXPECT_GT(globali::tercurva->TriangleCount(), 0);
        rt::Instance<fincontrol>().PushButton2.Push();
    }
}

} // namespace
