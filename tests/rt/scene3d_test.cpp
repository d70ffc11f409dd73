#include "rt/scene3d.h"

#include <gtest/gtest.h>

#include <cmath>
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

TEST(Trimesh, ANewMeshIsEmpty) {
    const rt::Trimesh mesh;
    EXPECT_EQ(mesh.VertexCount(), 0);
    EXPECT_EQ(mesh.TriangleCount(), 0);
    EXPECT_EQ(mesh.VertexPositions().Count(), 0);
    EXPECT_EQ(mesh.VertexColors().Count(), 0);
    EXPECT_FALSE(mesh.HasVertexColors);
}

TEST(Trimesh, CountsSizeTheListsWithZeroEntries) {
    rt::Trimesh mesh;
    mesh.SetVertexCount(9);
    mesh.SetTriangleCount(8);
    EXPECT_EQ(mesh.VertexPositions().Count(), 9);
    EXPECT_EQ(mesh.VertexColors().Count(), 9);
    EXPECT_EQ(mesh.Triangles().Count(), 8);
    ExpectVector(mesh.VertexPositions().Item(8), 0, 0, 0);
    EXPECT_EQ(mesh.VertexColors().Item(8), 0u);

    mesh.VertexPositions().SetXYZ(8, 1, 2, 3);
    mesh.VertexColors().SetItem(8, 0x102030);
    mesh.Triangles().SetABC(7, 6, 2, 1);
    ExpectVector(mesh.VertexPositions().Item(8), 1, 2, 3);
    EXPECT_EQ(mesh.VertexColors().Item(8), 0x102030u);
    EXPECT_EQ(mesh.Triangles().Item(7).A, 6);
    EXPECT_EQ(mesh.Triangles().Item(7).C, 1);

    mesh.SetVertexCount(-4);
    EXPECT_EQ(mesh.VertexCount(), 0);
    EXPECT_EQ(mesh.VertexColors().Count(), 0);
}

TEST(Trimesh, IndicesOutsideTheListsAreIgnoredAndReadAsZero) {
    rt::Trimesh mesh;
    mesh.SetVertexCount(2);
    mesh.SetTriangleCount(1);
    mesh.VertexPositions().SetXYZ(2, 5, 5, 5);
    mesh.VertexPositions().SetXYZ(-1, 5, 5, 5);
    mesh.VertexColors().SetItem(2, 0xFFFFFF);
    mesh.Triangles().SetABC(1, 1, 1, 1);
    EXPECT_EQ(mesh.VertexCount(), 2);
    EXPECT_EQ(mesh.TriangleCount(), 1);
    ExpectVector(mesh.VertexPositions().Item(2), 0, 0, 0);
    ExpectVector(mesh.VertexPositions().Item(-1), 0, 0, 0);
    EXPECT_EQ(mesh.VertexColors().Item(2), 0u);
    EXPECT_EQ(mesh.Triangles().Item(1).B, 0);
    ExpectVector(mesh.VertexPositions().Item(0), 0, 0, 0);
}

TEST(Trimesh, ContentVersionGrowsWithEveryChange) {
    rt::Trimesh mesh;
    mesh.SetVertexCount(3);
    auto version = mesh.ContentVersion();
    mesh.VertexPositions().SetXYZ(0, 1, 1, 1);
    EXPECT_GT(mesh.ContentVersion(), version);
    version = mesh.ContentVersion();
    mesh.VertexColors().SetItem(1, 5);
    EXPECT_GT(mesh.ContentVersion(), version);
    version = mesh.ContentVersion();
    mesh.SetTriangleCount(1);
    mesh.Triangles().SetABC(0, 0, 1, 2);
    EXPECT_GT(mesh.ContentVersion(), version);
}

TEST(ColorList, AddRGBToAllClampsEachComponent) {
    rt::ColorList colors;
    colors.Resize(2);
    colors.SetItem(0, 0x10F005);
    colors.SetItem(1, 0x808080);
    colors.AddRGBToAll(20, 20, -10);
    EXPECT_EQ(colors.Item(0), 0x24FF00u);
    EXPECT_EQ(colors.Item(1), 0x949476u);
    colors.AddRGBToAll(-1000, 2000000000, 0);
    EXPECT_EQ(colors.Item(1), 0x00FF76u);
}

TEST(Bounds, OfAMeshSpanItsVertices) {
    rt::Trimesh mesh;
    mesh.SetVertexCount(3);
    mesh.VertexPositions().SetXYZ(0, -500, 2, -250);
    mesh.VertexPositions().SetXYZ(1, 500, -25, 250);
    mesh.VertexPositions().SetXYZ(2, 0, 25, 0);
    mesh.Position = {1000, 1000, 1000};
    mesh.ComputeBounds(2);
    ExpectVector(mesh.Bounds().Minimum, -500, -25, -250);
    ExpectVector(mesh.Bounds().Maximum, 500, 25, 250);
    ExpectVector(mesh.Bounds().Center(), 0, 0, 0);
    EXPECT_FALSE(mesh.BoundsEmpty());

    rt::Trimesh empty;
    empty.UpdateBounds();
    EXPECT_TRUE(empty.BoundsEmpty());
}

TEST(Bounds, OfAGroupUniteItsMembersMovedAndTurned) {
    auto a = std::make_shared<rt::Trimesh>();
    a->SetVertexCount(2);
    a->VertexPositions().SetXYZ(0, -1, -1, -1);
    a->VertexPositions().SetXYZ(1, 1, 1, 1);
    auto b = std::make_shared<rt::Trimesh>();
    b->SetVertexCount(2);
    b->VertexPositions().SetXYZ(0, 0, 0, 0);
    b->VertexPositions().SetXYZ(1, 4, 1, 0);
    b->Position = {10, 0, 0};
    b->Yaw(kHalfPi); // +X turns to -Z
    auto emptyMesh = std::make_shared<rt::Trimesh>();

    rt::Group3D group;
    group.Append(a);
    group.Append(b);
    group.Append(emptyMesh);
    group.Position = {100, 100, 100}; // the group's own position is not part of its box
    group.ComputeBounds(2);
    ExpectVector(group.Bounds().Minimum, -1, -1, -4);
    ExpectVector(group.Bounds().Maximum, 10, 1, 1);

    // Members' boxes are recomputed: a change to a mesh shows after UpdateBounds.
    a->VertexPositions().SetXYZ(1, 3, 7, 1);
    group.UpdateBounds();
    ExpectVector(group.Bounds().Maximum, 10, 7, 1);

    rt::Group3D none;
    none.Append(emptyMesh);
    none.ComputeBounds(2);
    EXPECT_TRUE(none.BoundsEmpty());
    ExpectVector(none.Bounds().Center(), 0, 0, 0);
}

TEST(Bounds, OfNestedGroupsAndAGroupThatContainsItself) {
    auto mesh = std::make_shared<rt::Trimesh>();
    mesh->SetVertexCount(1);
    mesh->VertexPositions().SetXYZ(0, 2, 3, 4);
    auto inner = std::make_shared<rt::Group3D>();
    inner->Append(mesh);
    inner->Position = {1, 1, 1};
    auto outer = std::make_shared<rt::Group3D>();
    outer->Append(inner);
    inner->Append(outer); // a cycle must not recurse forever
    outer->ComputeBounds(0);
    ExpectVector(outer->Bounds().Minimum, 3, 4, 5);
    ExpectVector(outer->Bounds().Maximum, 3, 4, 5);
    inner->Remove(outer);
}

TEST(Group3D, AppendRemoveAndItem) {
    rt::Group3D group;
    auto a = std::make_shared<rt::Object3D>();
    auto b = std::make_shared<rt::Trimesh>();
    group.Append(a);
    group.Append(b);
    group.Append(a);
    group.Append(nullptr);
    EXPECT_EQ(group.Count(), 3);
    group.Remove(a);
    EXPECT_EQ(group.Count(), 2);
    EXPECT_EQ(group.Item(0), b);
    EXPECT_EQ(group.Item(1), a);
    group.Remove(nullptr);
    group.Remove(std::make_shared<rt::Trimesh>());
    EXPECT_EQ(group.Count(), 2);
    EXPECT_EQ(group.Item(2), nullptr);
    EXPECT_EQ(group.Item(-1), nullptr);
}

TEST(Object3D, APictureShapeLiesInItsXYPlaneSizedBySceneUnitsPerPixel) {
    rt::Object3D object;
    object.AddShapePicture(rt::Picture::New(400, 200), 1.0, -1);
    ASSERT_EQ(object.Shapes().size(), 1u);
    EXPECT_EQ(object.Shapes()[0].Mode, -1);
    object.ComputeBounds(2);
    ExpectVector(object.Bounds().Minimum, -200, -100, 0);
    ExpectVector(object.Bounds().Maximum, 200, 100, 0);

    rt::Object3D tall;
    tall.AddShapePicture(rt::Picture::New(100, 400), 0.02, -1);
    tall.AddShapePicture(rt::Picture(), 100.0, -1); // a nil picture has no extent
    tall.ComputeBounds(2);
    ExpectVector(tall.Bounds().Maximum, 1, 4, 0);
}

TEST(Element3D, PitchTurnsTheViewDownAboutItsOwnAxis) {
    rt::Object3D camera;
    camera.Pitch(0.5);
    const rt::Vector3D forward = Axis(camera, 2); // the camera looks along -Z
    EXPECT_NEAR(-forward.Y, -std::sin(0.5), 1e-12);
    EXPECT_NEAR(-forward.Z, -std::cos(0.5), 1e-12);

    // A picture pitched by a quarter turn lies flat, facing up, its top away from +Z.
    rt::Group3D flat;
    flat.Pitch(kHalfPi);
    ExpectVector(Axis(flat, 2), 0, 1, 0);
    ExpectVector(Axis(flat, 1), 0, 0, -1);
    ExpectVector(Axis(flat, 0), 1, 0, 0);
}

TEST(Element3D, TurnsComposeAboutTheElementsOwnAxes) {
    rt::Object3D element;
    element.Yaw(kHalfPi);
    ExpectVector(Axis(element, 2), 1, 0, 0); // -Z now looks along -X
    // After the yaw, the own X axis is the parent's -Z: pitching about it turns own -Z down.
    element.Pitch(kHalfPi);
    ExpectVector(Axis(element, 2), 0, 1, 0);
    ExpectVector(Axis(element, 0), 0, 0, -1);

    element.ResetOrientation();
    ExpectVector(Axis(element, 0), 1, 0, 0);
    element.Roll(kHalfPi);
    ExpectVector(Axis(element, 1), -1, 0, 0);

    // Turns by the change of an angle add up: two pitches equal one.
    rt::Object3D once, twice;
    once.Pitch(0.6786111);
    twice.Pitch(0.1357222);
    twice.Pitch(0.6786111 - 0.1357222);
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(once.Orientation()[i], twice.Orientation()[i], 1e-12);

    // A turn by something that is no number leaves the orientation alone.
    twice.Yaw(std::nan(""));
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(once.Orientation()[i], twice.Orientation()[i], 1e-12);
}

} // namespace
