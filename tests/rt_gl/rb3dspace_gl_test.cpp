#include "rt/rb3dspace.h"
#include "rt/window.h"
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;
constexpr int kCx = kWidth / 2;
constexpr int kCy = kHeight / 2;
constexpr rt::Color kSky = 0xC8C8FF;
constexpr rt::Color kRed = 0xFF0000;
constexpr rt::Color kBlue = 0x0000FF;

class SceneWindow : public rt::Window {
public:
    rt::Rb3DSpace space;

protected:
    void Layout() override {
        SetWidth(kWidth);
        SetHeight(kHeight);
    }
    void CreateControls() override { space.Create(*this, 0, 0, kWidth, kHeight); }
};

int Channel(rt::Color c, int shift) {
    return static_cast<int>((c >> shift) & 0xFF);
}

// A rendered colour close to a pure one: its full channels above 200, the others below 30.
void ExpectPure(rt::Color c, rt::Color pure) {
    for (const int shift : {16, 8, 0})
        if (Channel(pure, shift) == 0xFF)
            EXPECT_GT(Channel(c, shift), 200) << std::hex << c;
        else
            EXPECT_LT(Channel(c, shift), 30) << std::hex << c;
}

// A mesh of one quad (two triangles), wound counter-clockwise as the corners are given.
std::shared_ptr<rt::Trimesh> Quad(const rt::Vector3D (&corners)[4], rt::Color color) {
    auto mesh = std::make_shared<rt::Trimesh>();
    mesh->SetVertexCount(4);
    mesh->SetTriangleCount(2);
    mesh->HasVertexColors = true;
    for (int i = 0; i < 4; ++i) {
        mesh->VertexPositions().SetXYZ(i, corners[i].X, corners[i].Y, corners[i].Z);
        mesh->VertexColors().SetItem(i, color);
    }
    mesh->Triangles().SetABC(0, 0, 1, 2);
    mesh->Triangles().SetABC(1, 0, 2, 3);
    return mesh;
}

// A square at Z = -100, facing +Z.
std::shared_ptr<rt::Trimesh> Square(double x0, double y0, double x1, double y1, rt::Color color) {
    return Quad({{x0, y0, -100}, {x1, y0, -100}, {x1, y1, -100}, {x0, y1, -100}}, color);
}

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = &rt::Instance<SceneWindow>();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(space().Widget()->window(), 10000));
        ASSERT_NE(objects(), nullptr);
        // Unlit colours, unless a test lights the scene itself.
        space().AmbientLight = 100;
        space().FloodLight = 0;
    }
    void TearDown() override { rt::CloseIfOpen<SceneWindow>(); }
    rt::Rb3DSpace& space() { return window_->space; }
    std::shared_ptr<rt::Group3D> objects() { return space().Objects(); }
    rt::Picture Render() {
        space().Update();
        const rt::Picture picture = space().RenderToPicture();
        EXPECT_TRUE(picture);
        return picture ? picture : rt::Picture::New(kWidth, kHeight);
    }
    rt::Color Centre() { return Render().Pixel(kCx, kCy); }
    SceneWindow* window_ = nullptr;
};

TEST_F(SceneTest, ShowsTheSkyAndMeshesInTheirColoursAsTheyChangeWhereTheCameraSeesThem) {
    // Camera at the origin looking along -Z with +Y up: red left, blue right and above.
    objects()->Append(Square(-40, -10, -8, 10, kRed));
    objects()->Append(Square(8, -10, 40, 40, kBlue));
    const rt::Picture picture = Render();
    EXPECT_EQ(picture.Pixel(kCx, kCy), kSky);
    ExpectPure(picture.Pixel(kCx - 30, kCy), kRed);
    ExpectPure(picture.Pixel(kCx + 30, kCy - 45), kBlue);
    // Changed colours and triangles show after Update; triangles naming no vertex are left out.
    auto mesh = Square(-20, -20, 20, 20, kRed);
    objects()->Append(mesh);
    for (int i = 0; i < 4; ++i)
        mesh->VertexColors().SetItem(i, kBlue);
    ExpectPure(Centre(), kBlue);
    mesh->Triangles().SetABC(0, 0, 1, 99);
    mesh->Triangles().SetABC(1, -1, 2, 3);
    EXPECT_EQ(Centre(), kSky);
}

TEST_F(SceneTest, TheFloodLightComesFromAFixedSideSoSlopesDifferAndLevelGroundIsBright) {
    space().AmbientLight = 40;
    space().AmbientColor = 0xFFFBF2;
    space().FloodLight = 70;
    // A ridge along Y seen from the front: one slope faces left, the other right; both are
    // wound towards the camera.
    auto left = Quad({{-40, -30, -100}, {0, -30, -60}, {0, 30, -60}, {-40, 30, -100}}, 0x808080);
    auto right = Quad({{0, -30, -60}, {40, -30, -100}, {40, 30, -100}, {0, 30, -60}}, 0x808080);
    objects()->Append(left);
    objects()->Append(right);
    const rt::Picture ridge = Render();
    EXPECT_GT(std::abs(Channel(ridge.Pixel(kCx - 20, kCy), 8) - Channel(ridge.Pixel(kCx + 20, kCy), 8)), 30);
    objects()->Remove(left);
    objects()->Remove(right);
    // Level ground seen from above at the 3D view's usual elevation, lit on whichever side its
    // triangles are wound: it shows at least nine tenths of its own colour.
    auto up = Quad({{-60, 0, 60}, {60, 0, 60}, {60, 0, -60}, {-60, 0, -60}}, 0x808080);
    auto down = Quad({{-60, 0, -60}, {60, 0, -60}, {60, 0, 60}, {-60, 0, 60}}, 0x808080);
    down->RenderBackFaces = true;
    const double elevation = 0.6786111;
    space().Camera().Position = {0, 200 * std::sin(elevation), 200 * std::cos(elevation)};
    space().Camera().Pitch(elevation);
    for (const auto& ground : {up, down}) {
        objects()->Append(ground);
        EXPECT_GE(Channel(Centre(), 8), 0x80 * 9 / 10);
        objects()->Remove(ground);
    }
}

TEST_F(SceneTest, AMirroredMeshShowsAcrossItsXYPlaneLitAndCulledOnItsOuterSide) {
    space().AmbientLight = 40;
    space().FloodLight = 70;
    objects()->Append(Square(-40, -10, -8, 10, 0x808080));
    // Behind the camera, wound towards it; mirrored it lies in front, its outer side facing the camera.
    auto mirrored = Quad({{8, -10, 100}, {8, 10, 100}, {40, 10, 100}, {40, -10, 100}}, 0x808080);
    mirrored->MirrorZ = true;
    objects()->Append(mirrored);
    const rt::Picture picture = Render();
    EXPECT_NE(picture.Pixel(kCx + 30, kCy), kSky);
    EXPECT_EQ(picture.Pixel(kCx + 30, kCy), picture.Pixel(kCx - 30, kCy));
    objects()->ComputeBounds();
    EXPECT_EQ(objects()->Bounds().Maximum.Z, -100);
}

TEST_F(SceneTest, FogBlendsTowardsTheSkyAndBackFacesShowOnlyWhenAsked) {
    objects()->Append(Square(-20, -20, 20, 20, kRed));
    // Fog halfway to the far plane: halfway between red and the sky.
    space().Yon = 200;
    space().FogVisible = true;
    const rt::Color fogged = Centre();
    EXPECT_NEAR(Channel(fogged, 16), (255 + 200) / 2, 8) << std::hex << fogged;
    EXPECT_NEAR(Channel(fogged, 0), 255 / 2, 8) << std::hex << fogged;
    space().FogVisible = false;
    // Turned half round, looking along +Z from behind the square: its back, culled.
    space().Camera().Position = {0, 0, -300};
    space().Camera().Yaw(3.141592653589793);
    EXPECT_EQ(Centre(), kSky);
    objects()->Item(0)->RenderBackFaces = true;
    ExpectPure(Centre(), kRed);
}

TEST_F(SceneTest, APictureShowsUprightFacingTheCameraAndIsSentAgainOnlyWhenDrawnOn) {
    // Red in its top half, blue in its bottom half.
    const rt::Picture picture = rt::Picture::New(64, 32);
    picture.Graphics().SetForeColor(kBlue);
    picture.Graphics().FillRect(0, 16, 64, 16);
    picture.Graphics().SetForeColor(kRed);
    picture.Graphics().FillRect(0, 0, 64, 16);
    auto object = std::make_shared<rt::Object3D>();
    object->AddShapePicture(picture, 1.25, -1); // 80 by 40 units
    object->Position = {0, 0, -100};
    objects()->Append(object);
    const rt::Picture shown = Render();
    ExpectPure(shown.Pixel(kCx - 10, kCy - 10), kRed);
    ExpectPure(shown.Pixel(kCx - 10, kCy + 10), kBlue);
    const std::int64_t uploads = space().PictureUploads();
    Render();
    EXPECT_EQ(space().PictureUploads(), uploads);
    picture.Graphics().FillRect(0, 0, 64, 32);
    ExpectPure(Centre(), kRed);
    EXPECT_EQ(space().PictureUploads(), uploads + 1);
}

TEST_F(SceneTest, AMeshIsSentToTheGPUWithItsProgressOnlyWhenNewOrChanged) {
    std::vector<std::int32_t> reports;
    space().SendProgress = [&](std::int32_t percent) { reports.push_back(percent); };
    auto mesh = std::make_shared<rt::Trimesh>();
    mesh->SetVertexCount(3);
    mesh->SetTriangleCount(100000);
    objects()->Append(mesh);
    Render();
    ASSERT_GE(reports.size(), 3u);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_LT(reports.front(), 50);
    EXPECT_EQ(reports.back(), 100);
    reports.clear();
    Render();
    EXPECT_TRUE(reports.empty());
    mesh->VertexPositions().SetXYZ(0, 1, 0, 0);
    Render();
    EXPECT_EQ(reports.empty() ? -1 : reports.back(), 100);
}

} // namespace
