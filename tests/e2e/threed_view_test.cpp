// The 3D view with Mesa's OpenGL: the camera's orbit and the keys that move it, what the view
// shows before and after the first mesh, and the rendered frame.

#include <gtest/gtest.h>

#include <QColor>
#include <QTest>

#include <cmath>
#include <memory>

#include "tests/views/threed_fixture.h"

namespace {

constexpr rt::Color kSky = 0xC8C8FF;
bool commandHeld = false;

class View3D : public ThreeD {
protected:
    void SetUp() override {
        ThreeD::SetUp();
        commandHeld = false;
        rt::Keyboard::SetCommandKeyReader([] { return commandHeld; });
    }

    static winquesa3d& Shown() {
        winquesa3d* view = View();
        EXPECT_NE(view, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view->ContentWidget()->window(), 10000));
        EXPECT_NE(view->rb3d.Objects(), nullptr) << "no OpenGL under this display";
        return *view;
    }
    static void Key(winquesa3d& view, Qt::Key key) { QTest::keyClick(view.ContentWidget(), key); }
    static rt::Picture Frame(winquesa3d& view) {
        const rt::Picture frame = view.rb3d.RenderToPicture();
        EXPECT_TRUE(frame);
        return frame;
    }
    static double Largest(const rt::Bounds3D& b) {
        return std::max({b.Maximum.X - b.Minimum.X, b.Maximum.Y - b.Minimum.Y, b.Maximum.Z - b.Minimum.Z});
    }
    static void ExpectOnOrbit(winquesa3d& view, double angle) {
        const rt::Vector3D c = view.obj->Bounds().Center();
        const rt::Vector3D& p = view.rb3d.Camera().Position;
        EXPECT_NEAR(view.altezza_angolo, angle, 1e-7);
        EXPECT_NEAR(p.X, c.X, 1e-9);
        EXPECT_NEAR(p.Y, c.Y + view.raggiomax * std::sin(view.altezza_angolo), 1e-9);
        EXPECT_NEAR(p.Z, c.Z + view.raggiomax * std::cos(view.altezza_angolo), 1e-9);
    }
    static std::int64_t TerrainPixels(const rt::Picture& frame) {
        std::int64_t count = 0;
        for (int y = 0; y < frame.Height(); ++y)
            for (int x = 0; x < frame.Width(); ++x)
                count += frame.Pixel(x, y) != kSky;
        return count;
    }
    static double Hue(rt::Color c) { return QColor::fromRgb(static_cast<QRgb>(c)).hsvHueF(); }
};

TEST_F(View3D, TheCameraOrbitsTheSurfaceAndTheKeysMoveItWithinTheirLimits) {
    SetHill();
    SwitchAndMesh();
    winquesa3d& view = Shown();
    ASSERT_EQ(view.obj->Count(), 2);
    EXPECT_EQ(view.obj->Item(1), globali::tercurva);
    const double radius = 1.4 * Largest(view.obj->Bounds());
    EXPECT_DOUBLE_EQ(view.raggiomax, radius);
    ExpectOnOrbit(view, 0.6786111);

    view.alzadi = 36;
    Key(view, Qt::Key_Up);
    EXPECT_EQ(view.alzadi, 36);
    ExpectOnOrbit(view, 1.2214999999999998);
    commandHeld = true;
    Key(view, Qt::Key_Up);
    EXPECT_EQ(view.alzadi, 37);
    ExpectOnOrbit(view, 1.2554306);
    commandHeld = false;
    Key(view, Qt::Key_Right);
    view.alzadi = 4;
    Key(view, Qt::Key_Down);
    EXPECT_EQ(view.alzadi, 4);
    ExpectOnOrbit(view, 0.1357222);

    Key(view, Qt::Key_Plus);
    Key(view, Qt::Key_Minus);
    EXPECT_NEAR(view.raggiomax, 0.99 * radius, 1e-9);
    for (int k = 0; k < 10; ++k)
        Key(view, Qt::Key_Plus);
    EXPECT_NEAR(view.raggiomax / radius, 0.99 * 0.34867844, 1e-8);

    // One right arrow turned the group by the step; a left arrow turns it back.
    EXPECT_NEAR(view.obj->Orientation()[0], std::cos(0.1963125), 1e-12);
    Key(view, Qt::Key_Left);
    EXPECT_NEAR(view.obj->Orientation()[0], 1, 1e-12);
    EXPECT_EQ(view.alzadi, 4);

    QTest::keyClicks(view.ContentWidget(), "wwq5w");
    EXPECT_TRUE(view.rb3d.Wireframe);
    EXPECT_EQ(view.alzadi, 4);
}

TEST_F(View3D, BeforeTheFirstMeshTheSnapshotLiesFlatAndAfterNewDataTheLastSurfaceStays) {
    SetHill();
    Inizio::mostra2d();
    Inizio::mostra3d();
    winquesa3d& before = Shown();
    ASSERT_EQ(before.obj->Count(), 1);
    const auto flat = std::dynamic_pointer_cast<rt::Object3D>(before.obj->Item(0));
    ASSERT_NE(flat, nullptr);
    ASSERT_EQ(flat->Shapes().size(), 1u);
    EXPECT_TRUE(flat->Shapes()[0].Image == Inizio::openglpicture);
    const rt::Picture picture = Frame(before);
    EXPECT_GT(TerrainPixels(picture), picture.Width() * picture.Height() / 10);

    Panel().XEditField.SetText("10");
    Panel().PushButton1.Push();
    const auto surface = globali::terreno;
    SetPoints({{0, 0, 0}, {5, 1, 2}, {2, 8, 1}});
    Inizio::mostra3d();
    EXPECT_EQ(Shown().obj->Item(0), surface);
}

TEST_F(View3D, TheFrameShowsTheHeightColouredHillAndChangesWithTheKeys) {
    SetHill();
    Panel();
    SwitchAndMesh("40", "20");
    Panel().Slider2.SetValue(6);
    winquesa3d& view = Shown();
    const rt::Picture frame = Frame(view);
    const std::int64_t all = std::int64_t{frame.Width()} * frame.Height();
    const std::int64_t covered = TerrainPixels(frame);
    EXPECT_GT(covered, all / 10);
    EXPECT_LT(covered, all * 9 / 10);

    // The summit, in the middle of the view, is red; somewhere lower slopes are green.
    EXPECT_LT(std::min(Hue(frame.Pixel(frame.Width() / 2, frame.Height() / 2)),
                       1.0 - Hue(frame.Pixel(frame.Width() / 2, frame.Height() / 2))),
              0.08);
    bool green = false;
    for (int y = 0; y < frame.Height() && !green; y += 3)
        for (int x = 0; x < frame.Width() && !green; x += 3)
            green = frame.Pixel(x, y) != kSky && std::abs(Hue(frame.Pixel(x, y)) - 0.33) < 0.06;
    EXPECT_TRUE(green);

    Key(view, Qt::Key_W);
    EXPECT_LT(TerrainPixels(Frame(view)), covered * 3 / 4);
    Key(view, Qt::Key_W);
    Key(view, Qt::Key_Plus);
    EXPECT_GT(TerrainPixels(Frame(view)), covered);
    Key(view, Qt::Key_Minus);
    Key(view, Qt::Key_Minus);
    EXPECT_LT(TerrainPixels(Frame(view)), covered);

    Key(view, Qt::Key_Left);
    const rt::Picture turned = Frame(view);
    Key(view, Qt::Key_Right);
    const rt::Picture back = Frame(view);
    std::int64_t changed = 0;
    for (int y = 0; y < back.Height(); y += 2)
        for (int x = 0; x < back.Width(); x += 2)
            changed += turned.Pixel(x, y) != back.Pixel(x, y);
    EXPECT_GT(changed, all / 4 / 50);
}

} // namespace
