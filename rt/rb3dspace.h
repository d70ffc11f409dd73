#pragma once
// The 3D scene control: draws its Objects group through its Camera with OpenGL. Where no OpenGL
// context can be had (Qt's offscreen platform, no GL driver), Objects is null: the program's
// "no 3D engine" case.

#include <cstdint>
#include <functional>
#include <memory>

#include "rt/control.h"
#include "rt/scene3d.h"

namespace rt {

class Rb3DSpace : public Control {
public:
    Rb3DSpace();
    ~Rb3DSpace() override;

    // Null when there is no 3D engine; otherwise the scene's root group.
    std::shared_ptr<Group3D> Objects() const;
    // The camera: its position and orientation; it looks along its own -Z axis, Y up.
    Object3D& Camera();

    std::int32_t Hither = 5;       // near plane
    std::int32_t Yon = 5000;       // far plane
    std::int32_t FieldOfView = 50; // degrees, vertical
    Color SkyColor = 0xC8C8FF;
    std::int32_t AmbientLight = 40; // percent
    Color AmbientColor = 0xFFFFFF;
    std::int32_t FloodLight = 70; // percent: a light from a fixed direction, high on the left
    Color FloodColor = 0xFFFFFF;
    bool FogVisible = false;
    double FogStart = 0;
    bool Wireframe = false;
    // Told, while new or changed meshes are sent to the GPU before a frame, the share of their
    // triangles sent so far in percent, ending with 100.
    std::function<void(std::int32_t percent)> SendProgress;

    // Takes changed settings and scene content into account and redraws. Only meshes changed and
    // pictures drawn on since the last frame are sent to the GPU again.
    void Update();
    void Refresh();
    // The scene as drawn now (a nil picture without an engine).
    Picture RenderToPicture();
    // How many times picture content has been sent to the GPU so far.
    std::int64_t PictureUploads() const;

    QWidget* Widget() const override;

protected:
    void CreateNative(Window& window) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace rt
