#include "baremeshdraw.h"

#include <QOpenGLShaderProgram>
#include <QSurfaceFormat>

namespace {

const char* const kVertexShader = R"(
attribute vec3 position;
attribute vec3 color;
uniform mat4 matrix;
varying vec3 vColor;
void main() {
    vColor = color;
    gl_Position = matrix * vec4(position, 1.0);
}
)";

const char* const kFragmentShader = R"(
varying vec3 vColor;
void main() {
    gl_FragColor = vec4(vColor, 1.0);
}
)";

} // namespace

BareMeshDraw::BareMeshDraw(const std::vector<std::shared_ptr<rt::Trimesh>>& meshes) {
    QSurfaceFormat surface = format();
    surface.setSamples(4);
    setFormat(surface);
    std::uint32_t base = 0;
    for (const auto& mesh : meshes) {
        for (std::int32_t i = 0; i < mesh->VertexCount(); ++i) {
            const rt::Vector3D p = mesh->VertexPositions().Item(i);
            const rt::Color c = mesh->HasVertexColors ? mesh->VertexColors().Item(i) : 0xCCCCCC;
            vertices_.insert(vertices_.end(),
                             {float(p.X), float(p.Y), float(p.Z), ((c >> 16) & 0xFF) / 255.0f,
                              ((c >> 8) & 0xFF) / 255.0f, (c & 0xFF) / 255.0f});
        }
        for (std::int32_t t = 0; t < mesh->TriangleCount(); ++t) {
            const rt::Triangle tri = mesh->Triangles().Item(t);
            const std::uint32_t a = base + std::uint32_t(tri.A), b = base + std::uint32_t(tri.B),
                                c = base + std::uint32_t(tri.C);
            triangles_.insert(triangles_.end(), {a, b, c});
            edges_.insert(edges_.end(), {a, b, b, c, c, a});
        }
        base += std::uint32_t(mesh->VertexCount());
    }
}

BareMeshDraw::~BareMeshDraw() {
    if (!isValid())
        return;
    makeCurrent();
    glDeleteBuffers(3, buffers_);
    program_.reset();
    doneCurrent();
}

void BareMeshDraw::initializeGL() {
    initializeOpenGLFunctions();
    program_ = std::make_unique<QOpenGLShaderProgram>();
    program_->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader);
    program_->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader);
    program_->link();
    glGenBuffers(3, buffers_);
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices_.size() * sizeof(float)), vertices_.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(triangles_.size() * 4), triangles_.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[2]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(edges_.size() * 4), edges_.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void BareMeshDraw::paintGL() {
    glClearColor(200 / 255.0f, 200 / 255.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    program_->bind();
    program_->setUniformValue("matrix", Matrix);
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
    const int position = program_->attributeLocation("position");
    const int color = program_->attributeLocation("color");
    program_->enableAttributeArray(position);
    program_->enableAttributeArray(color);
    program_->setAttributeBuffer(position, GL_FLOAT, 0, 3, 6 * sizeof(float));
    program_->setAttributeBuffer(color, GL_FLOAT, 3 * sizeof(float), 3, 6 * sizeof(float));
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[Wireframe ? 2 : 1]);
    const std::size_t count = Wireframe ? edges_.size() : triangles_.size();
    glDrawElements(Wireframe ? GL_LINES : GL_TRIANGLES, GLsizei(count), GL_UNSIGNED_INT, nullptr);
    program_->disableAttributeArray(position);
    program_->disableAttributeArray(color);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    program_->release();
}
