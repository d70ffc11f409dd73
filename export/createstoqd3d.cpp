#include "export/createstoqd3d.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "export/writesupport.h"
#include "model/array2d.h"
#include "model/globali.h"
#include "model/meshtransform.h"
#include "rt/runtime.h"

namespace {

// The grid centred and scaled, in the file's axis order: X, height, Y.
struct SceneGrid {
    Array2D<double> x, height, y;

    rt::Vector3D Vertex(std::int32_t i, std::int32_t j) const { return {x(i, j), height(i, j), y(i, j)}; }
};

std::string Triple(double a, double b, double c) {
    return rt::Str(a) + ' ' + rt::Str(b) + ' ' + rt::Str(c);
}

std::string Triple(std::int64_t a, std::int64_t b, std::int64_t c) {
    return std::to_string(a) + ' ' + std::to_string(b) + ' ' + std::to_string(c);
}

rt::Vector3D Cross(const rt::Vector3D& u, const rt::Vector3D& w) {
    return {u.Y * w.Z - u.Z * w.Y, u.Z * w.X - u.X * w.Z, u.X * w.Y - u.Y * w.X};
}

bool Finite(const rt::Vector3D& v) {
    return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}

// The vector divided by its largest component, so that products of two stay finite.
rt::Vector3D Shrunk(const rt::Vector3D& v) {
    const double largest = std::max({std::fabs(v.X), std::fabs(v.Y), std::fabs(v.Z)});
    if (!(largest > 0.0) || !std::isfinite(largest))
        return v;
    return {v.X / largest, v.Y / largest, v.Z / largest};
}

// The unit normal of triangle p0 p1 p2, (p0 - p1) x (p0 - p2); (0, 1, 0) for a triangle without
// area, so that the file never holds a number that is not finite.
rt::Vector3D UnitNormal(const rt::Vector3D& p0, const rt::Vector3D& p1, const rt::Vector3D& p2) {
    const rt::Vector3D u{p0.X - p1.X, p0.Y - p1.Y, p0.Z - p1.Z};
    const rt::Vector3D w{p0.X - p2.X, p0.Y - p2.Y, p0.Z - p2.Z};
    rt::Vector3D normal = Cross(u, w);
    if (!Finite(normal))
        normal = Cross(Shrunk(u), Shrunk(w));
    globali::vec = normal;
    globali::vec->Normalize();
    normal = *globali::vec;
    const double length = normal.X * normal.X + normal.Y * normal.Y + normal.Z * normal.Z;
    if (!Finite(normal) || !(length > 0.5))
        return {0.0, 1.0, 0.0};
    return normal;
}

std::string Channel(rt::Color colour, int shift) {
    return rt::Str(static_cast<double>((colour >> shift) & 255U) / 255.0);
}

} // namespace

bool globali::createstoqd3d(const rt::FolderItem& f) {
    if (!exportfile::GridComplete())
        return false;
    exportfile::MeshFileWriter out;
    const meshbuild::MeshTransform transform = meshbuild::TransformFromBounds();
    SceneGrid grid{Array2D<double>(mxtot, mytot), Array2D<double>(mxtot, mytot),
                   Array2D<double>(mxtot, mytot)};
    out.Rows(mytot, mxtot, {mytot, 25}, [&](std::int32_t j, std::int32_t i) {
        grid.x(i, j) = transform.X(mx(i, j));
        grid.y(i, j) = transform.Y(my(i, j));
        grid.height(i, j) = transform.Z(mz(i, j));
    });

    vec = rt::Vector3D{};
    if (!out.Create(f, "qd3d/3dmf"))
        return false;
    std::string text;
    const auto line = [&](std::size_t tabs, const std::string& content) {
        text.assign(tabs, '\t');
        text += content;
        text += '\r';
        out.Write(text);
    };

    const std::int64_t row = std::int64_t{mxtot} + 1;
    line(0, "3DMetafile ( 1 0 Normal tableofcontents0> )");
    line(1, "trimesh0:");
    line(1, "Container (");
    line(2, "TriMesh (");
    line(3, std::to_string(2 * std::int64_t{mxtot} * mytot) + " 1 0 0 " +
                std::to_string(row * (std::int64_t{mytot} + 1)) + " 0");
    line(3, "# triangles");
    out.Rows(mytot - 1, mxtot - 1, {mytot, 25, 25.0}, [&](std::int32_t j, std::int32_t i) {
        const std::int64_t a = i + j * row;
        const std::int64_t b = i + (j + 1) * row;
        line(3, Triple(a, b, b + 1));
        line(3, Triple(b + 1, a + 1, a));
    });

    line(3, "# vertices");
    out.Rows(mytot, mxtot, {mytot, 25, 50.0}, [&](std::int32_t j, std::int32_t i) {
        const rt::Vector3D v = grid.Vertex(i, j);
        line(3, Triple(v.X, v.Y, v.Z));
    });

    line(3, "# bounding box:");
    line(3, Triple(transform.X(xmin), transform.Z(zmin), transform.Y(ymin)) + ' ' +
                Triple(transform.X(xmax), transform.Z(zmax), transform.Y(ymax)) + " False");
    line(2, ")");
    line(2, "AttributeArray ( 3 0 0 0 0");
    line(3, "# triangle normals");
    out.Rows(mytot - 1, mxtot - 1, {mytot, 25, 75.0}, [&](std::int32_t j, std::int32_t i) {
        const rt::Vector3D lowLeft = grid.Vertex(i, j);
        const rt::Vector3D highRight = grid.Vertex(i + 1, j + 1);
        const rt::Vector3D first = UnitNormal(lowLeft, grid.Vertex(i, j + 1), highRight);
        const rt::Vector3D second = UnitNormal(highRight, grid.Vertex(i + 1, j), lowLeft);
        line(3, Triple(first.X, first.Y, first.Z));
        line(3, Triple(second.X, second.Y, second.Z));
    });

    line(2, ")");
    line(2, "attributeSet0:");
    line(2, "Container (");
    line(3, "AttributeSet ( )");
    line(3, "DiffuseColor(  " + Channel(col_3d, 16) + ' ' + Channel(col_3d, 8) + ' ' + Channel(col_3d, 0) +
                " )");
    line(2, ")");
    line(1, ")");
    out.Write("   \r\r\r");
    return out.Close();
}
