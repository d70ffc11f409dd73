#include "rt/rb3dspace.h"
#include "rt/window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;
constexpr rt::Color kSky = 0xC8C8FF;

class SceneWindow : public rt::Window {
public:
    rt::Rb3DSpace space;

protected:
    void Layout() override {
        SetTitle("scene");
        SetWidth(kWidth);
        SetHeight(kHeight);
    }
    void CreateControls() override { space.Create(*this, 0, 0, kWidth, kHeight); }
};

void ProcessEventsFor(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

int Red(rt::Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int Green(rt::Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(rt::Color c) {
    return static_cast<int>(c & 0xFF);
}

// A square in a plane of constant Z, facing +Z (counter-clockwise seen from there).
std::shared_ptr<rt::Trimesh> Square(double x0, double y0, double x1, double y1, double z, rt::Color color) {
    auto mesh = std::make_shared<rt::Trimesh>();
    mesh->SetVertexCount(4);
    mesh->SetTriangleCount(2);
    mesh->VertexPositions().SetXYZ(0, x0, y0, z);
    mesh->VertexPositions().SetXYZ(1, x1, y0, z);
    mesh->VertexPositions().SetXYZ(2, x1, y1, z);
    mesh->VertexPositions().SetXYZ(3, x0, y1, z);
    mesh->HasVertexColors = true;
    for (int i = 0; i < 4; ++i)
        mesh->VertexColors().SetItem(i, color);
    mesh->Triangles().SetABC(0, 0, 1, 2);
    mesh->Triangles().SetABC(1, 0, 2, 3);
    return mesh;
}

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = &rt::Instance<SceneWindow>();
        ProcessEventsFor(100);
        space().AmbientLight = 0;
        space().FloodLight = 100;
    }
    void TearDown() override {
        rt::CloseIfOpen<SceneWindow>();
        ProcessEventsFor(50);
    }

    rt::Rb3DSpace& space() { return window_->space; }

    rt::Picture Render() {
        space().Update();
        const rt::Picture picture = space().RenderToPicture();
        EXPECT_TRUE(picture);
        return picture;
    }

    SceneWindow* window_ = nullptr;
};

// A rendered colour close to a pure one: its full channels above 200, the others below 30.
void ExpectPure(rt::Color c, rt::Color pure) {
    for (const auto channel : {Red, Green, Blue}) {
        if (channel(pure) == 0xFF)
            EXPECT_GT(channel(c), 200) << std::hex << c;
        else
            EXPECT_LT(channel(c), 30) << std::hex << c;
    }
}

TEST_F(SceneTest, AControlInARealWindowHasAnEngineAndAnEmptySceneShowsTheSky) {
    ASSERT_NE(space().Objects(), nullptr);
    EXPECT_EQ(space().Objects()->Count(), 0);
    const rt::Picture picture = Render();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.Width(), kWidth);
    EXPECT_EQ(picture.Height(), kHeight);
    EXPECT_EQ(picture.Pixel(0, 0), kSky);
    EXPECT_EQ(picture.Pixel(kWidth / 2, kHeight / 2), kSky);

    space().SkyColor = 0x004080;
    EXPECT_EQ(Render().Pixel(kWidth - 1, kHeight - 1), 0x004080u);
}

TEST_F(SceneTest, DrawsMeshesInTheirColoursWhereTheCameraSeesThem) {
    // Camera at the origin looking along -Z with +Y up: red left, blue right, green above.
    space().Objects()->Append(Square(-40, -10, -8, 10, -100, 0xFF0000));
    space().Objects()->Append(Square(8, -10, 40, 10, -100, 0x0000FF));
    space().Objects()->Append(Square(-10, 20, 10, 40, -100, 0x00FF00));
    const rt::Picture picture = Render();
    ASSERT_TRUE(picture);
    const int cx = kWidth / 2, cy = kHeight / 2;
    EXPECT_EQ(picture.Pixel(cx, cy), kSky);
    EXPECT_EQ(picture.Pixel(2, 2), kSky);
    ExpectPure(picture.Pixel(cx - 30, cy), 0xFF0000);
    ExpectPure(picture.Pixel(cx + 30, cy), 0x0000FF);
    ExpectPure(picture.Pixel(cx, cy - 45), 0x00FF00);
    EXPECT_EQ(picture.Pixel(cx, cy + 45), kSky);
}

TEST_F(SceneTest, AmbientLightAloneDimsTheColours) {
    space().Objects()->Append(Square(-30, -30, 30, 30, -100, 0xFF0000));
    space().AmbientLight = 40;
    space().FloodLight = 0;
    const rt::Color c = Render().Pixel(kWidth / 2, kHeight / 2);
    EXPECT_NEAR(Red(c), 102, 3) << std::hex << c;
    EXPECT_EQ(Green(c), 0);
}

TEST_F(SceneTest, BackFacesShowOnlyWhenAsked) {
    // Wound clockwise seen from the camera: its back faces the camera.
    auto mesh = Square(-30, -30, 30, 30, -100, 0xFF0000);
    mesh->Triangles().SetABC(0, 0, 2, 1);
    mesh->Triangles().SetABC(1, 0, 3, 2);
    space().Objects()->Append(mesh);
    EXPECT_EQ(Render().Pixel(kWidth / 2, kHeight / 2), kSky);
    mesh->RenderBackFaces = true;
    ExpectPure(Render().Pixel(kWidth / 2, kHeight / 2), 0xFF0000);
}

TEST_F(SceneTest, WireframeDrawsOnlyTheEdges) {
    space().Objects()->Append(Square(-30, -30, 30, 30, -100, 0xFF0000));
    ExpectPure(Render().Pixel(kWidth / 2 + 20, kHeight / 2 - 10), 0xFF0000);
    space().Wireframe = true;
    const rt::Picture picture = Render();
    EXPECT_EQ(picture.Pixel(kWidth / 2 + 20, kHeight / 2 - 10), kSky);
    int edgePixels = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            edgePixels += Red(picture.Pixel(x, y)) > 150 && Blue(picture.Pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(edgePixels, 100);
}

TEST_F(SceneTest, TheCameraPositionAndTurnsMoveTheView) {
    space().Objects()->Append(Square(-20, -20, 20, 20, -100, 0xFF0000));
    ExpectPure(Render().Pixel(kWidth / 2, kHeight / 2), 0xFF0000);

    space().Camera().Position = {300, 0, 0};
    EXPECT_EQ(Render().Pixel(kWidth / 2, kHeight / 2), kSky);

    // Pitched down a quarter turn, the camera looks at the ground below it.
    space().Camera().Position = {0, 0, 0};
    space().Camera().Pitch(1.5707963267948966);
    EXPECT_EQ(Render().Pixel(kWidth / 2, kHeight / 2), kSky);

    // Turned half round, looking along +Z from behind the square's plane.
    space().Camera().ResetOrientation();
    space().Camera().Position = {0, 0, -300};
    space().Camera().Yaw(3.141592653589793);
    EXPECT_EQ(Render().Pixel(kWidth / 2, kHeight / 2), kSky); // its back, culled
    space().Objects()->Item(0)->RenderBackFaces = true;
    ExpectPure(Render().Pixel(kWidth / 2, kHeight / 2), 0xFF0000);
}

TEST_F(SceneTest, MeshesOutsideHitherAndYonAreClipped) {
    space().Objects()->Append(Square(-20, -20, 20, 20, -100, 0xFF0000));
    space().Yon = 50;
    EXPECT_EQ(Render().Pixel(kWidth / 2, kHeight / 2), kSky);
    space().Yon = 5000;
    space().Hither = 150;
    EXPECT_EQ(Render().Pixel(kWidth / 2, kHeight / 2), kSky);
    space().Hither = 5;
    ExpectPure(Render().Pixel(kWidth / 2, kHeight / 2), 0xFF0000);
}

TEST_F(SceneTest, GroupsPlaceAndTurnTheirMembers) {
    auto group = std::make_shared<rt::Group3D>();
    group->Append(Square(-20, -20, 20, 20, 0, 0xFF0000));
    group->Position = {0, 0, -100};
    space().Objects()->Append(group);
    ExpectPure(Render().Pixel(kWidth / 2 + 20, kHeight / 2), 0xFF0000);
    group->Position = {0, 0, 100}; // behind the camera
    EXPECT_EQ(Render().Pixel(kWidth / 2 + 20, kHeight / 2), kSky);
    group->Position = {0, 0, -100};
    group->Yaw(1.5707963267948966); // edge-on
    EXPECT_EQ(Render().Pixel(kWidth / 2 + 20, kHeight / 2), kSky);
}

TEST_F(SceneTest, ChangesToAMeshShowAfterUpdate) {
    auto mesh = Square(-20, -20, 20, 20, -100, 0xFF0000);
    space().Objects()->Append(mesh);
    ExpectPure(Render().Pixel(kWidth / 2, kHeight / 2), 0xFF0000);
    for (int i = 0; i < 4; ++i)
        mesh->VertexColors().SetItem(i, 0x0000FF);
    ExpectPure(Render().Pixel(kWidth / 2, kHeight / 2), 0x0000FF);
    space().Objects()->Remove(mesh);
    EXPECT_EQ(Render().Pixel(kWidth / 2, kHeight / 2), kSky);
}

TEST_F(SceneTest, TrianglesWithIndicesOutsideTheMeshAreSkipped) {
    auto mesh = Square(-20, -20, 20, 20, -100, 0xFF0000);
    mesh->Triangles().SetABC(0, 0, 1, 99);
    mesh->Triangles().SetABC(1, -1, 2, 3);
    space().Objects()->Append(mesh);
    EXPECT_EQ(Render().Pixel(kWidth / 2, kHeight / 2), kSky);
}

TEST_F(SceneTest, APictureShapeShowsUprightFacingTheCamera) {
    // Red top half, blue bottom half, and a green right edge.
    const rt::Picture picture = rt::Picture::New(64, 32);
    picture.Graphics().SetForeColor(0xFF0000);
    picture.Graphics().FillRect(0, 0, 64, 16);
    picture.Graphics().SetForeColor(0x0000FF);
    picture.Graphics().FillRect(0, 16, 64, 16);
    picture.Graphics().SetForeColor(0x00FF00);
    picture.Graphics().FillRect(48, 0, 16, 32);
    auto object = std::make_shared<rt::Object3D>();
    object->AddShapePicture(picture, 1.25, -1); // 80 by 40 units
    object->Position = {0, 0, -100};
    space().Objects()->Append(object);

    const rt::Picture shown = Render();
    const int cx = kWidth / 2, cy = kHeight / 2;
    ExpectPure(shown.Pixel(cx - 10, cy - 10), 0xFF0000);
    ExpectPure(shown.Pixel(cx - 10, cy + 10), 0x0000FF);
    ExpectPure(shown.Pixel(cx + 45, cy - 10), 0x00FF00);
    EXPECT_EQ(shown.Pixel(cx, cy - 40), kSky);

    // Pitched a quarter turn it lies flat and the camera sees its edge only.
    object->Pitch(1.5707963267948966);
    EXPECT_EQ(Render().Pixel(cx - 10, cy - 10), kSky);
}

TEST_F(SceneTest, AFlatPictureSeenFromAnOrbitingCameraShowsItsTopFarthest) {
    // Red top half, blue bottom half, laid flat by a quarter-turn pitch of its group.
    const rt::Picture picture = rt::Picture::New(200, 100);
    picture.Graphics().SetForeColor(0xFF0000);
    picture.Graphics().FillRect(0, 0, 200, 50);
    picture.Graphics().SetForeColor(0x0000FF);
    picture.Graphics().FillRect(0, 50, 200, 50);
    auto object = std::make_shared<rt::Object3D>();
    object->AddShapePicture(picture, 1.0, -1);
    object->RenderBackFaces = true;
    auto group = std::make_shared<rt::Group3D>();
    group->Append(object);
    space().Objects()->Append(group);
    group->Pitch(1.5705);
    group->ComputeBounds(2);
    const rt::Bounds3D box = group->Bounds();
    const double radius = 1.4 * std::max(box.Maximum.X - box.Minimum.X, box.Maximum.Y - box.Minimum.Y);
    const double elevation = 20 / 36.0 * 1.2215;
    const rt::Vector3D centre = box.Center();
    space().Camera().Position = {centre.X, centre.Y + radius * std::sin(elevation),
                                 centre.Z + radius * std::cos(elevation)};
    space().Camera().Pitch(elevation);

    const rt::Picture shown = Render();
    const int cx = kWidth / 2, cy = kHeight / 2;
    ExpectPure(shown.Pixel(cx, cy - 8), 0xFF0000);
    ExpectPure(shown.Pixel(cx, cy + 8), 0x0000FF);
    EXPECT_EQ(shown.Pixel(cx, 3), kSky);
    EXPECT_EQ(shown.Pixel(cx, kHeight - 3), kSky);
}

TEST_F(SceneTest, FogBlendsDistantMeshesIntoTheSky) {
    space().Objects()->Append(Square(-20, -20, 20, 20, -100, 0xFF0000));
    space().Yon = 200;
    space().FogStart = 0;
    space().FogVisible = true;
    const rt::Color c = Render().Pixel(kWidth / 2, kHeight / 2);
    // Halfway to the far plane: halfway between red and the sky.
    EXPECT_NEAR(Red(c), (255 + 200) / 2, 8) << std::hex << c;
    EXPECT_NEAR(Blue(c), 255 / 2, 8) << std::hex << c;
    space().FogVisible = false;
    ExpectPure(Render().Pixel(kWidth / 2, kHeight / 2), 0xFF0000);
}

TEST_F(SceneTest, ADrawnOverPictureShowsAfterUpdate) {
    const rt::Picture picture = rt::Picture::New(40, 40);
    picture.Graphics().SetForeColor(0xFF0000);
    picture.Graphics().FillRect(0, 0, 40, 40);
    auto object = std::make_shared<rt::Object3D>();
    object->AddShapePicture(picture, 1.0, -1);
    object->Position = {0, 0, -100};
    space().Objects()->Append(object);
    ExpectPure(Render().Pixel(kWidth / 2, kHeight / 2), 0xFF0000);
    picture.Graphics().SetForeColor(0x0000FF);
    picture.Graphics().FillRect(0, 0, 40, 40);
    ExpectPure(Render().Pixel(kWidth / 2, kHeight / 2), 0x0000FF);
}

} // namespace
