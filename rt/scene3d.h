#pragma once
// The 3D scene's data: vectors, bounds, elements, triangle meshes, objects and groups. Elements
// are shared by handle (std::shared_ptr); a null handle is the platform's nil.

#include <cstdint>
#include <memory>
#include <vector>

#include "rt/conv.h"
#include "rt/picture.h"

namespace rt {

struct Vector3D {
    double X = 0;
    double Y = 0;
    double Z = 0;
    // Scales the vector to length 1. A vector without a direction (zero, or not finite) is left
    // as it is, so a triangle without area keeps a zero normal instead of NaN.
    void Normalize();
};

struct Bounds3D {
    Vector3D Minimum;
    Vector3D Maximum;
    Vector3D Center() const;
};

// Position and orientation shared by every element. Pitch turns about the element's own X axis,
// Yaw about its own Y axis (angles in radians). A positive Pitch turns
// the element's -Z axis towards its -Y axis (a camera looking along -Z looks down); a positive Yaw
// turns -Z towards -X (to the left).
class Element3D {
public:
    virtual ~Element3D() = default;

    Vector3D Position;
    bool RenderBackFaces = false;
    bool Visible = true;
    // Reverses the element's own Z axis before it is turned and moved: its content shows as its
    // mirror image across its own X-Y plane, faces still lit and culled on their outer side.
    bool MirrorZ = false;

    void Pitch(double angle);
    void Yaw(double angle);
    // Rotation matrix, row-major 3 x 3: column k is the element's own axis k in its parent.
    const double* Orientation() const { return orientation_; }

    // The box last computed, in the element's own coordinates before its position is added.
    Bounds3D Bounds() const { return bounds_; }
    // Recomputes the box from the element's content (kind is accepted and ignored).
    virtual void ComputeBounds(std::int32_t kind = 0);
    void UpdateBounds() { ComputeBounds(0); }

    // Whether the last computed box holds no content at all (an empty mesh or group).
    bool BoundsEmpty() const { return boundsEmpty_; }

protected:
    Bounds3D bounds_;
    bool boundsEmpty_ = true;

private:
    double orientation_[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
};

// Lists are sized by their mesh's counts; an index outside the list is ignored on writing and
// reads as zero.
class VectorList {
public:
    void SetXYZ(std::int32_t index, double x, double y, double z);
    Vector3D Item(std::int32_t index) const;
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    void Resize(std::int32_t count);
    // Grows with every change, so a renderer can tell that the content changed.
    std::uint64_t Version() const { return version_; }

private:
    std::vector<Vector3D> items_;
    std::uint64_t version_ = 0;
};

class ColorList {
public:
    void SetItem(std::int32_t index, Color color);
    Color Item(std::int32_t index) const;
    // Adds the components to every colour, each result clamped to 0..255.
    void AddRGBToAll(std::int32_t red, std::int32_t green, std::int32_t blue);
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    void Resize(std::int32_t count);
    std::uint64_t Version() const { return version_; }

private:
    std::vector<Color> items_;
    std::uint64_t version_ = 0;
};

struct Triangle {
    std::int32_t A = 0;
    std::int32_t B = 0;
    std::int32_t C = 0;
};

class TriangleList {
public:
    void SetABC(std::int32_t index, std::int32_t a, std::int32_t b, std::int32_t c);
    Triangle Item(std::int32_t index) const;
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    void Resize(std::int32_t count);
    std::uint64_t Version() const { return version_; }

private:
    std::vector<Triangle> items_;
    std::uint64_t version_ = 0;
};

// A triangle mesh: a new one is empty. Setting a count sizes its lists (new entries zero).
class Trimesh : public Element3D {
public:
    std::int32_t VertexCount() const { return positions_.Count(); }
    void SetVertexCount(std::int32_t count); // a negative count gives 0
    std::int32_t TriangleCount() const { return triangles_.Count(); }
    void SetTriangleCount(std::int32_t count);
    bool HasVertexColors = false;

    VectorList& VertexPositions() { return positions_; }
    const VectorList& VertexPositions() const { return positions_; }
    ColorList& VertexColors() { return colors_; }
    const ColorList& VertexColors() const { return colors_; }
    TriangleList& Triangles() { return triangles_; }
    const TriangleList& Triangles() const { return triangles_; }

    void ComputeBounds(std::int32_t kind = 0) override;
    // Grows whenever one of the lists changes.
    std::uint64_t ContentVersion() const {
        return positions_.Version() + colors_.Version() + triangles_.Version();
    }

private:
    VectorList positions_;
    ColorList colors_;
    TriangleList triangles_;
};

// An object built of shapes; the program uses pictures laid flat.
class Object3D : public Element3D {
public:
    struct PictureShape {
        Picture Image;
        double Size = 0; // scene units per picture pixel
    };
    // A picture as a flat rectangle in the element's X-Y plane, facing +Z, centred on its origin,
    // its top towards +Y, `size` scene units per picture pixel (1.0: as many units as pixels).
    void AddShapePicture(const Picture& picture, double size, std::int32_t mode);
    const std::vector<PictureShape>& Shapes() const { return shapes_; }
    void ComputeBounds(std::int32_t kind = 0) override;

private:
    std::vector<PictureShape> shapes_;
};

class Group3D : public Element3D {
public:
    void Append(std::shared_ptr<Element3D> element);
    // Removes the first occurrence; nothing when absent.
    void Remove(const std::shared_ptr<Element3D>& element);
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    std::shared_ptr<Element3D> Item(std::int32_t index) const;
    // The union of the members' boxes (each recomputed, turned by the member's orientation and
    // moved by its position); members without content are left out.
    void ComputeBounds(std::int32_t kind = 0) override;

private:
    std::vector<std::shared_ptr<Element3D>> items_;
    bool computing_ = false;
};

} // namespace rt
