#include "export/createstoqd3d.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "export/writesupport.h"
#include "model/array2d.h"
#include "model/globali.h"
#include "model/meshtransform.h"
#include "model/terrainpanel.h"
#include "rt/runtime.h"

namespace {

using globali::mxtot;
using globali::mytot;

// The grid centred and scaled, in the file's axis order: X, height, Y.
struct SceneGrid {
    Array2D<double> x, height, y;

    rt::Vector3D Vertex(std::int32_t i, std::int32_t j) const { return {x(i, j), height(i, j), y(i, j)}; }
};

class MetafileWriter {
public:
    explicit MetafileWriter(rt::BinaryStream& stream) : stream_(stream) {}

    void Line(int tabs, const std::string& text) {
        line_.assign(static_cast<std::size_t>(tabs), '\t');
        line_ += text;
        line_ += '\r';
        stream_.Write(line_);
    }

    void Write(const std::string& bytes) { stream_.Write(bytes); }

private:
    rt::BinaryStream& stream_;
    std::string line_;
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

void ShowRow(std::int32_t j, double base) {
    exportfile::ShowProgress(exportfile::Percent(std::int64_t{j} * 25, mytot, base));
    rt::RuntimeBackgroundTask();
}

SceneGrid Normalised(const meshbuild::MeshTransform& transform) {
    SceneGrid grid{Array2D<double>(mxtot, mytot), Array2D<double>(mxtot, mytot),
                   Array2D<double>(mxtot, mytot)};
    for (std::int32_t j = 0; j <= mytot; ++j) {
        for (std::int32_t i = 0; i <= mxtot; ++i) {
            grid.x(i, j) = transform.X(globali::mx(i, j));
            grid.y(i, j) = transform.Y(globali::my(i, j));
            grid.height(i, j) = transform.Z(globali::mz(i, j));
            rt::RuntimeBackgroundTask();
        }
        ShowRow(j, 0.0);
    }
    return grid;
}

std::string Channel(rt::Color colour, int shift) {
    return rt::Str(static_cast<double>((colour >> shift) & 255U) / 255.0);
}

} // namespace

bool globali::createstoqd3d(const rt::FolderItem& f) {
    if (!exportfile::GridComplete())
        return false;
    TerrainPanel::Current().SetProgressMaximum(100);
    const meshbuild::MeshTransform transform = meshbuild::TransformFromBounds();
    const SceneGrid grid = Normalised(transform);

    vec = rt::Vector3D{};
    const auto stream = f.CreateBinaryFile("qd3d/3dmf");
    if (!stream) {
        exportfile::ShowProgress(0);
        exportfile::ReportWriteFailure();
        return false;
    }
    MetafileWriter out(*stream);

    const std::int64_t row = std::int64_t{mxtot} + 1;
    out.Line(0, "3DMetafile ( 1 0 Normal tableofcontents0> )");
    out.Line(1, "trimesh0:");
    out.Line(1, "Container (");
    out.Line(2, "TriMesh (");
    out.Line(3, std::to_string(2 * std::int64_t{mxtot} * mytot) + " 1 0 0 " +
                    std::to_string(row * (std::int64_t{mytot} + 1)) + " 0");
    out.Line(3, "# triangles");
    for (std::int32_t j = 0; j < mytot; ++j) {
        for (std::int32_t i = 0; i < mxtot; ++i) {
            const std::int64_t a = i + j * row;
            const std::int64_t b = i + (j + 1) * row;
            out.Line(3, Triple(a, b, b + 1));
            out.Line(3, Triple(b + 1, a + 1, a));
            rt::RuntimeBackgroundTask();
        }
        ShowRow(j, 25.0);
    }

    out.Line(3, "# vertices");
    for (std::int32_t j = 0; j <= mytot; ++j) {
        for (std::int32_t i = 0; i <= mxtot; ++i) {
            const rt::Vector3D v = grid.Vertex(i, j);
            out.Line(3, Triple(v.X, v.Y, v.Z));
            rt::RuntimeBackgroundTask();
        }
        ShowRow(j, 50.0);
    }

    out.Line(3, "# bounding box:");
    out.Line(3, Triple(transform.X(xmin), transform.Z(zmin), transform.Y(ymin)) + ' ' +
                    Triple(transform.X(xmax), transform.Z(zmax), transform.Y(ymax)) + " False");
    out.Line(2, ")");
    out.Line(2, "AttributeArray ( 3 0 0 0 0");
    out.Line(3, "# triangle normals");
    for (std::int32_t j = 0; j < mytot; ++j) {
        for (std::int32_t i = 0; i < mxtot; ++i) {
            const rt::Vector3D lowLeft = grid.Vertex(i, j);
            const rt::Vector3D highLeft = grid.Vertex(i, j + 1);
            const rt::Vector3D highRight = grid.Vertex(i + 1, j + 1);
            const rt::Vector3D lowRight = grid.Vertex(i + 1, j);
            const rt::Vector3D first = UnitNormal(lowLeft, highLeft, highRight);
            const rt::Vector3D second = UnitNormal(highRight, lowRight, lowLeft);
            out.Line(3, Triple(first.X, first.Y, first.Z));
            out.Line(3, Triple(second.X, second.Y, second.Z));
            rt::RuntimeBackgroundTask();
        }
        ShowRow(j, 75.0);
    }

    out.Line(2, ")");
    out.Line(2, "attributeSet0:");
    out.Line(2, "Container (");
    out.Line(3, "AttributeSet ( )");
    out.Line(3, "DiffuseColor(  " + Channel(col_3d, 16) + ' ' + Channel(col_3d, 8) + ' ' +
                    Channel(col_3d, 0) + " )");
    out.Line(2, ")");
    out.Line(1, ")");
    out.Write("   \r\r\r");

    exportfile::ShowProgress(0);
    if (!stream->Close()) {
        exportfile::ReportWriteFailure();
        return false;
    }
    return true;
}
