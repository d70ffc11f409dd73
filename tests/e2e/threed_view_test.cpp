// The 3D view with Mesa's OpenGL: the camera's orbit, the keys that move it, the rendered frame.

#include <QColor>
#include <QPointF>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
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

    // The open 3D view once it is on the screen with OpenGL, or null after a failure.
    static winquesa3d* Shown() {
        winquesa3d* view = View();
        if (view == nullptr || !QTest::qWaitForWindowExposed(view->ContentWidget()->window(), 10000) ||
            view->rb3d.Objects() == nullptr) {
            ADD_FAILURE() << "no 3D view on the screen, or no OpenGL under this display";
            return nullptr;
        }
        return view;
    }
    static void Key(winquesa3d& view, Qt::Key key) { QTest::keyClick(view.ContentWidget(), key); }
    static void ExpectOnOrbit(winquesa3d& view, double angle) {
        const rt::Vector3D c = view.obj->Bounds().Center();
        const rt::Vector3D& p = view.rb3d.Camera().Position;
        EXPECT_NEAR(view.altezza_angolo, angle, 1e-7);
        EXPECT_NEAR(p.X, c.X, 1e-9);
        EXPECT_NEAR(p.Y, c.Y + view.raggiomax * std::sin(view.altezza_angolo), 1e-9);
        EXPECT_NEAR(p.Z, c.Z + view.raggiomax * std::cos(view.altezza_angolo), 1e-9);
    }
    // The share of the rendered frame the terrain covers.
    static double Covered(winquesa3d& view) {
        const rt::Picture frame = view.rb3d.RenderToPicture();
        std::int64_t count = 0;
        for (int y = 0; y < frame.Height(); ++y)
            for (int x = 0; x < frame.Width(); ++x)
                count += frame.Pixel(x, y) != kSky;
        return frame ? static_cast<double>(count) / (double(frame.Width()) * frame.Height()) : -1;
    }
    static double Hue(rt::Color c) { return QColor::fromRgb(static_cast<QRgb>(c)).hsvHueF(); }
    // Where the frame's red lies from the middle of all it shows: (right, down) in pixels.
    static QPointF RedOffset(const rt::Picture& frame) {
        QPointF all, red;
        std::int64_t shown = 0, reds = 0;
        for (int y = 0; y < frame.Height(); ++y)
            for (int x = 0; x < frame.Width(); ++x) {
                const rt::Color c = frame.Pixel(x, y);
                if (c == kSky)
                    continue;
                all += QPointF(x, y);
                ++shown;
                if (std::min(Hue(c), 1.0 - Hue(c)) < 0.05 &&
                    QColor::fromRgb(static_cast<QRgb>(c)).hsvSaturationF() > 0.3) {
                    red += QPointF(x, y);
                    ++reds;
                }
            }
        EXPECT_GT(reds, 100);
        return reds > 0 ? red / double(reds) - all / double(shown) : QPointF();
    }
};

TEST_F(View3D, TheCameraOrbitsTheSurfaceAndTheKeysMoveItWithinTheirLimits) {
    SetHill();
    SwitchAndMesh();
    winquesa3d* view = Shown();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->obj->Count(), 2);
    const rt::Bounds3D b = view->obj->Bounds();
    const double radius =
        1.4 * std::max({b.Maximum.X - b.Minimum.X, b.Maximum.Y - b.Minimum.Y, b.Maximum.Z - b.Minimum.Z});
    EXPECT_DOUBLE_EQ(view->raggiomax, radius);
    ExpectOnOrbit(*view, 0.6786111);
    view->alzadi = 36;
    Key(*view, Qt::Key_Up);
    EXPECT_EQ(view->alzadi, 36);
    ExpectOnOrbit(*view, 1.2214999999999998);
    commandHeld = true;
    Key(*view, Qt::Key_Up);
    EXPECT_EQ(view->alzadi, 37);
    ExpectOnOrbit(*view, 1.2554306);
    commandHeld = false;
    view->alzadi = 4;
    Key(*view, Qt::Key_Down);
    EXPECT_EQ(view->alzadi, 4);
    ExpectOnOrbit(*view, 0.1357222);
    Key(*view, Qt::Key_Plus);
    Key(*view, Qt::Key_Minus);
    EXPECT_NEAR(view->raggiomax, 0.99 * radius, 1e-9);
    for (int k = 0; k < 10; ++k)
        Key(*view, Qt::Key_Plus);
    EXPECT_NEAR(view->raggiomax / radius, 0.99 * 0.34867844, 1e-8);
    QTest::keyClicks(view->ContentWidget(), "wwq5w");
    EXPECT_TRUE(view->rb3d.Wireframe);
    EXPECT_EQ(view->alzadi, 4);
}

TEST_F(View3D, BeforeTheFirstMeshTheSnapshotLiesFlatAndAfterNewDataTheLastSurfaceStays) {
    SetHill();
    Inizio::mostra2d();
    Inizio::mostra3d();
    winquesa3d* before = Shown();
    ASSERT_NE(before, nullptr);
    const auto flat = std::dynamic_pointer_cast<rt::Object3D>(before->obj->Item(0));
    ASSERT_TRUE(before->obj->Count() == 1 && flat && flat->Shapes().size() == 1u);
    EXPECT_TRUE(flat->Shapes()[0].Image == Inizio::openglpicture);
    EXPECT_GT(Covered(*before), 0.1);
    Panel().XEditField.SetText("10");
    Panel().PushButton1.Push();
    const auto surface = globali::terreno;
    SetPoints({{0, 0, 0}, {5, 1, 2}, {2, 8, 1}});
    Inizio::mostra3d();
    winquesa3d* after = Shown();
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->obj->Item(0), surface);
}

TEST_F(View3D, TheFrameShowsTheHeightColouredHillAndChangesWithTheKeys) {
    SetHill();
    SwitchAndMesh("40", "20");
    Panel().Slider2.SetValue(6);
    winquesa3d* view = Shown();
    ASSERT_NE(view, nullptr);
    const rt::Picture frame = view->rb3d.RenderToPicture();
    const double covered = Covered(*view);
    EXPECT_GT(covered, 0.1);
    EXPECT_LT(covered, 0.9);
    // The summit, in the middle of the view, is red; somewhere lower slopes are green.
    const double summit = Hue(frame.Pixel(frame.Width() / 2, frame.Height() / 2));
    EXPECT_LT(std::min(summit, 1.0 - summit), 0.08);
    bool green = false;
    for (int y = 0; y < frame.Height() && !green; y += 3)
        for (int x = 0; x < frame.Width() && !green; x += 3)
            green = frame.Pixel(x, y) != kSky && std::abs(Hue(frame.Pixel(x, y)) - 0.33) < 0.06;
    EXPECT_TRUE(green);
    Key(*view, Qt::Key_W);
    EXPECT_LT(Covered(*view), covered * 3 / 4);
    Key(*view, Qt::Key_W);
    Key(*view, Qt::Key_Plus);
    EXPECT_GT(Covered(*view), covered);
    Key(*view, Qt::Key_Minus);
    Key(*view, Qt::Key_Minus);
    EXPECT_LT(Covered(*view), covered);
    Key(*view, Qt::Key_Left);
    const rt::Picture turned = view->rb3d.RenderToPicture();
    Key(*view, Qt::Key_Right);
    const rt::Picture back = view->rb3d.RenderToPicture();
    std::int64_t changed = 0;
    for (int y = 0; y < back.Height(); y += 2)
        for (int x = 0; x < back.Width(); x += 2)
            changed += turned.Pixel(x, y) != back.Pixel(x, y);
    EXPECT_GT(changed, std::int64_t{back.Width()} * back.Height() / 4 / 50);
}

TEST_F(View3D, NorthAndEastLieWhereTheEditorAndItsSnapshotShowThem) {
    // Rising to the north-east corner, the highest ground red.
    std::vector<ThreeDPoint> points;
    for (int i = 0; i <= 10; ++i)
        for (int j = 0; j <= 5; ++j)
            points.push_back({i * 10.0, j * 10.0, i + 4.0 * j});
    SetPoints(points);
    Inizio::mostra3d();
    // A snapshot red in its top right quarter, where the editor shows the north-east.
    Inizio::openglpicture = rt::Picture::New(400, 300);
    rt::Graphics& g = Inizio::openglpicture.Graphics();
    g.SetForeColor(0xE0E0E0);
    g.FillRect(0, 0, 400, 300);
    g.SetForeColor(0xFF0000);
    g.FillRect(200, 0, 200, 150);
    rt::CloseIfOpen<winquesa3d>();
    rt::Instance<winquesa3d>();
    for (const bool mesh : {false, true}) {
        if (mesh) {
            Panel().XEditField.SetText("20");
            Panel().YEditField.SetText("10");
            Panel().PushButton1.Push();
        }
        winquesa3d* view = Shown();
        ASSERT_NE(view, nullptr);
        const QPointF red = RedOffset(view->rb3d.RenderToPicture());
        EXPECT_GT(red.x(), 20) << "mesh " << mesh;
        EXPECT_LT(red.y(), -20) << "mesh " << mesh;
    }
}

} // namespace
