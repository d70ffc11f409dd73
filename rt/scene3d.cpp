#include "rt/scene3d.h"

#include <algorithm>
#include <cmath>

namespace rt {

namespace {

// result = a * b for row-major 3 x 3 matrices.
void Multiply(const double* a, const double* b, double* result) {
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            double sum = 0;
            for (int k = 0; k < 3; ++k)
                sum += a[row * 3 + k] * b[k * 3 + col];
            result[row * 3 + col] = sum;
        }
    }
}

void TurnAbout(double* orientation, int axis, double angle) {
    if (!std::isfinite(angle))
        return;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    double turn[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    const int i = (axis + 1) % 3;
    const int j = (axis + 2) % 3;
    // A right-handed turn about the axis: i towards j.
    turn[i * 3 + i] = c;
    turn[i * 3 + j] = -s;
    turn[j * 3 + i] = s;
    turn[j * 3 + j] = c;
    double result[9];
    Multiply(orientation, turn, result);
    std::copy(result, result + 9, orientation);
}

bool InRange(std::int32_t index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

std::size_t CountOf(std::int32_t count) {
    return static_cast<std::size_t>(std::max<std::int32_t>(0, count));
}

class BoxBuilder {
public:
    void Add(const Vector3D& p) {
        if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !std::isfinite(p.Z))
            return;
        if (empty_) {
            box_.Minimum = box_.Maximum = p;
            empty_ = false;
            return;
        }
        box_.Minimum.X = std::min(box_.Minimum.X, p.X);
        box_.Minimum.Y = std::min(box_.Minimum.Y, p.Y);
        box_.Minimum.Z = std::min(box_.Minimum.Z, p.Z);
        box_.Maximum.X = std::max(box_.Maximum.X, p.X);
        box_.Maximum.Y = std::max(box_.Maximum.Y, p.Y);
        box_.Maximum.Z = std::max(box_.Maximum.Z, p.Z);
    }
    bool Empty() const { return empty_; }
    Bounds3D Box() const { return empty_ ? Bounds3D{} : box_; }

private:
    Bounds3D box_;
    bool empty_ = true;
};

} // namespace

void Vector3D::Normalize() {
    const double length = std::hypot(X, Y, Z);
    if (!(length > 0) || !std::isfinite(length))
        return;
    X /= length;
    Y /= length;
    Z /= length;
}

Vector3D Bounds3D::Center() const {
    return {(Minimum.X + Maximum.X) / 2, (Minimum.Y + Maximum.Y) / 2, (Minimum.Z + Maximum.Z) / 2};
}

void Element3D::Pitch(double angle) {
    TurnAbout(orientation_, 0, -angle);
}
void Element3D::Yaw(double angle) {
    TurnAbout(orientation_, 1, angle);
}
void Element3D::ComputeBounds(std::int32_t /*kind*/) {
    bounds_ = {};
    boundsEmpty_ = true;
}

void VectorList::SetXYZ(std::int32_t index, double x, double y, double z) {
    if (!InRange(index, items_.size()))
        return;
    items_[static_cast<std::size_t>(index)] = {x, y, z};
    ++version_;
}

Vector3D VectorList::Item(std::int32_t index) const {
    return InRange(index, items_.size()) ? items_[static_cast<std::size_t>(index)] : Vector3D{};
}

void VectorList::Resize(std::int32_t count) {
    items_.resize(CountOf(count));
    ++version_;
}

void ColorList::SetItem(std::int32_t index, Color color) {
    if (!InRange(index, items_.size()))
        return;
    items_[static_cast<std::size_t>(index)] = color & 0xFFFFFFu;
    ++version_;
}

Color ColorList::Item(std::int32_t index) const {
    return InRange(index, items_.size()) ? items_[static_cast<std::size_t>(index)] : 0;
}

void ColorList::AddRGBToAll(std::int32_t red, std::int32_t green, std::int32_t blue) {
    const auto add = [](Color color, int shift, std::int32_t delta) {
        const std::int64_t component = static_cast<std::int64_t>((color >> shift) & 0xFFu) + delta;
        return static_cast<Color>(std::clamp<std::int64_t>(component, 0, 255)) << shift;
    };
    for (Color& color : items_)
        color = add(color, 16, red) | add(color, 8, green) | add(color, 0, blue);
    ++version_;
}

void ColorList::Resize(std::int32_t count) {
    items_.resize(CountOf(count));
    ++version_;
}

void TriangleList::SetABC(std::int32_t index, std::int32_t a, std::int32_t b, std::int32_t c) {
    if (!InRange(index, items_.size()))
        return;
    items_[static_cast<std::size_t>(index)] = {a, b, c};
    ++version_;
}

Triangle TriangleList::Item(std::int32_t index) const {
    return InRange(index, items_.size()) ? items_[static_cast<std::size_t>(index)] : Triangle{};
}

void TriangleList::Resize(std::int32_t count) {
    items_.resize(CountOf(count));
    ++version_;
}

void Trimesh::SetVertexCount(std::int32_t count) {
    positions_.Resize(count);
    colors_.Resize(count);
}

void Trimesh::SetTriangleCount(std::int32_t count) {
    triangles_.Resize(count);
}

void Trimesh::ComputeBounds(std::int32_t /*kind*/) {
    BoxBuilder box;
    for (std::int32_t i = 0; i < positions_.Count(); ++i)
        box.Add(positions_.Item(i));
    bounds_ = box.Box();
    boundsEmpty_ = box.Empty();
}

void Object3D::AddShapePicture(const Picture& picture, double size, std::int32_t /*mode*/) {
    shapes_.push_back({picture, size});
}

void Object3D::ComputeBounds(std::int32_t /*kind*/) {
    BoxBuilder box;
    for (const PictureShape& shape : shapes_) {
        if (!shape.Image || !std::isfinite(shape.Size))
            continue;
        const double halfWidth = std::abs(shape.Size) * shape.Image.Width() / 2;
        const double halfHeight = std::abs(shape.Size) * shape.Image.Height() / 2;
        box.Add({-halfWidth, -halfHeight, 0});
        box.Add({halfWidth, halfHeight, 0});
    }
    bounds_ = box.Box();
    boundsEmpty_ = box.Empty();
}

void Group3D::Append(std::shared_ptr<Element3D> element) {
    if (!element || element.get() == this)
        return;
    items_.push_back(std::move(element));
}

void Group3D::Remove(const std::shared_ptr<Element3D>& element) {
    if (!element)
        return;
    const auto it = std::find(items_.begin(), items_.end(), element);
    if (it != items_.end())
        items_.erase(it);
}

std::shared_ptr<Element3D> Group3D::Item(std::int32_t index) const {
    return InRange(index, items_.size()) ? items_[static_cast<std::size_t>(index)] : nullptr;
}

void Group3D::ComputeBounds(std::int32_t kind) {
    BoxBuilder box;
    // A group that contains itself through another group is measured once.
    if (!computing_) {
        computing_ = true;
        for (const auto& member : items_) {
            member->ComputeBounds(kind);
            if (member->BoundsEmpty())
                continue;
            const Bounds3D b = member->Bounds();
            const double* r = member->Orientation();
            for (int corner = 0; corner < 8; ++corner) {
                const double x = (corner & 1) ? b.Maximum.X : b.Minimum.X;
                const double y = (corner & 2) ? b.Maximum.Y : b.Minimum.Y;
                const double z = ((corner & 4) ? b.Maximum.Z : b.Minimum.Z) * (member->MirrorZ ? -1 : 1);
                box.Add({r[0] * x + r[1] * y + r[2] * z + member->Position.X,
                         r[3] * x + r[4] * y + r[5] * z + member->Position.Y,
                         r[6] * x + r[7] * y + r[8] * z + member->Position.Z});
            }
        }
        computing_ = false;
    }
    bounds_ = box.Box();
    boundsEmpty_ = box.Empty();
}

} // namespace rt
