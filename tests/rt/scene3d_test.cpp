#include "rt/rb3dspace.h"
#include "rt/scene3d.h"
#include "rt/window.h"
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr double kHalfPi = 1.5707963267948966;

// Where an element's own axis points in its parent.
rt::Vector3D Axis(const rt::Element3D& element, int axis) {
    const double* r = element.Orientation();
    return {r[axis], r[3 + axis], r[6 + axis]};
}

void ExpectVector(const rt::Vector3D& actual, double x, double y, double z) {
    EXPECT_NEAR(actual.X, x, 1e-12);
    EXPECT_NEAR(actual.Y, y, 1e-12);
    EXPECT_NEAR(actual.Z, z, 1e-12);
}

TEST(Vector3D, NormalizeGivesUnitLengthAndLeavesAVectorWithoutDirectionAlone) {
    rt::Vector3D v{3, 0, -4};
    v.Normalize();
    ExpectVector(v, 0.6, 0, -0.8);
    rt::Vector3D huge{1e300, 1e300, 0}; // its squares overflow
    huge.Normalize();
    ExpectVector(huge, std::sqrt(0.5), std::sqrt(0.5), 0);
    rt::Vector3D zero;
    zero.Normalize();
    EXPECT_EQ(zero.X, 0) << "no NaN";
}

TEST(Trimesh, IgnoresIndicesOutsideItsListsAndClampsColourSums) {
    rt::Trimesh mesh;
    mesh.SetVertexCount(2);
    mesh.SetTriangleCount(1);
    mesh.VertexPositions().SetXYZ(2, 5, 5, 5);
    mesh.VertexPositions().SetXYZ(-1, 5, 5, 5);
    mesh.Triangles().SetABC(1, 1, 1, 1);
    ExpectVector(mesh.VertexPositions().Item(-1), 0, 0, 0);
    EXPECT_EQ(mesh.Triangles().Item(1).B, 0);
    mesh.SetVertexCount(-4);
    EXPECT_EQ(mesh.VertexColors().Count(), 0);
    rt::ColorList colors;
    colors.Resize(1);
    colors.SetItem(0, 0x10F005);
    colors.AddRGBToAll(20, 20, -10);
    EXPECT_EQ(colors.Item(0), 0x24FF00u);
    colors.AddRGBToAll(-1000, 2000000000, 0);
    EXPECT_EQ(colors.Item(0), 0x00FF00u);
}

TEST(Bounds, OfTurnedMembersAndOfAGroupThatContainsItself) {
    auto inner = std::make_shared<rt::Group3D>();
    auto mesh = std::make_shared<rt::Trimesh>();
    mesh->SetVertexCount(2);
    mesh->VertexPositions().SetXYZ(1, 4, 1, 0);
    mesh->Yaw(kHalfPi); // +X turns to -Z
    inner->Append(mesh);
    inner->Position = {1, 1, 1};
    auto outer = std::make_shared<rt::Group3D>();
    outer->Append(inner);
    outer->Append(nullptr);
    inner->Append(outer); // a cycle must not recurse forever
    outer->ComputeBounds(0);
    ExpectVector(outer->Bounds().Minimum, 1, 1, -3);
    mesh->VertexPositions().SetXYZ(1, 3, 7, 1);
    outer->UpdateBounds();
    ExpectVector(outer->Bounds().Maximum, 2, 8, 1);
    inner->Remove(outer);
}

TEST(Element3D, TurnsComposeAboutTheElementsOwnAxesAndATurnByNoNumberChangesNothing) {
    rt::Object3D element;
    element.Yaw(kHalfPi);
    element.Yaw(std::nan(""));
    ExpectVector(Axis(element, 2), 1, 0, 0); // -Z now looks along -X
    // After the yaw, the own X axis is the parent's -Z: pitching about it turns own -Z down.
    element.Pitch(kHalfPi);
    ExpectVector(Axis(element, 2), 0, 1, 0);
}

class NoEngineWindow : public rt::Window {
public:
    rt::Rb3DSpace space;

protected:
    void CreateControls() override { space.Create(*this, 10, 5, 100, 80); }
};

TEST(Rb3DSpace, WithoutAnEngineHasNoObjectsAndRendersNothing) {
    // The offscreen platform has no OpenGL.
    NoEngineWindow& window = rt::Instance<NoEngineWindow>();
    EXPECT_EQ(window.space.Objects(), nullptr);
    window.space.Update();
    window.space.Refresh();
    EXPECT_FALSE(window.space.RenderToPicture());
    EXPECT_EQ(window.space.PictureUploads(), 0);
}

} // namespace
