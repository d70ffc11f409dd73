#pragma once
// The yardstick of the 3D view's frames: the same triangles drawn the plainest way OpenGL offers,
// positions and colours in buffer objects, indexed, unlit, through a given matrix, into a widget of
// the view's size and sampling.

#include <QMatrix4x4>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>

#include <memory>
#include <vector>

#include "rt/scene3d.h"

class QOpenGLShaderProgram;

class BareMeshDraw final : public QOpenGLWidget, protected QOpenGLFunctions {
public:
    explicit BareMeshDraw(const std::vector<std::shared_ptr<rt::Trimesh>>& meshes);
    ~BareMeshDraw() override;

    QMatrix4x4 Matrix;
    bool Wireframe = false;

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    std::vector<float> vertices_; // position, colour
    std::vector<std::uint32_t> triangles_;
    std::vector<std::uint32_t> edges_;
    std::unique_ptr<QOpenGLShaderProgram> program_;
    GLuint buffers_[3] = {0, 0, 0};
};
