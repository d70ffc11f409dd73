#include "rt/rb3dspace.h"

#include "rt/sceneshading.h"
#include "rt/window.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QMatrix3x3>
#include <QMatrix4x4>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLWidget>
#include <QPainter>
#include <QPointer>
#include <QString>
#include <QSurfaceFormat>
#include <QVector3D>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <vector>

#include "rt/handlerguard.h"

namespace rt {

namespace {

// Whether this process can draw with OpenGL: not on Qt's offscreen or minimal platforms, and
// only when a context can really be made current. Asked once.
bool EngineAvailable() {
    if (QGuiApplication::instance() == nullptr)
        return false;
    static const bool available = [] {
        const QString platform = QGuiApplication::platformName();
        if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
            return false;
        QOpenGLContext context;
        if (!context.create())
            return false;
        QOffscreenSurface surface;
        surface.setFormat(context.format());
        surface.create();
        if (!surface.isValid() || !context.makeCurrent(&surface))
            return false;
        const bool ok = context.functions()->glGetString(GL_VERSION) != nullptr;
        context.doneCurrent();
        return ok;
    }();
    return available;
}

QVector3D ColorVector(Color color) {
    return {((color >> 16) & 0xFFu) / 255.0f, ((color >> 8) & 0xFFu) / 255.0f, (color & 0xFFu) / 255.0f};
}

QMatrix4x4 LocalMatrix(const Element3D& element) {
    const double* r = element.Orientation();
    const Vector3D& p = element.Position;
    const double z = element.MirrorZ ? -1 : 1;
    return QMatrix4x4(static_cast<float>(r[0]), static_cast<float>(r[1]), static_cast<float>(r[2] * z),
                      static_cast<float>(p.X), static_cast<float>(r[3]), static_cast<float>(r[4]),
                      static_cast<float>(r[5] * z), static_cast<float>(p.Y), static_cast<float>(r[6]),
                      static_cast<float>(r[7]), static_cast<float>(r[8] * z), static_cast<float>(p.Z), 0, 0,
                      0, 1);
}

// A picture's vertex as the shaders take it: position, colour, normal, texture coordinate.
constexpr int kFloatsPerVertex = 11;

void PushVertex(std::vector<float>& out, const Vector3D& p, const QVector3D& color, const QVector3D& normal,
                float s = 0, float t = 0) {
    out.insert(out.end(), {static_cast<float>(p.X), static_cast<float>(p.Y), static_cast<float>(p.Z),
                           color.x(), color.y(), color.z(), normal.x(), normal.y(), normal.z(), s, t});
}

constexpr Color kDefaultMeshColor = 0xCCCCCC;

QVector3D FaceNormal(const Vector3D& a, const Vector3D& b, const Vector3D& c) {
    return QVector3D::crossProduct(QVector3D(float(b.X - a.X), float(b.Y - a.Y), float(b.Z - a.Z)),
                                   QVector3D(float(c.X - a.X), float(c.Y - a.Y), float(c.Z - a.Z)))
        .normalized();
}

QVector3D VertexColor(const Trimesh& mesh, std::int32_t i) {
    return ColorVector(mesh.HasVertexColors ? mesh.VertexColors().Item(i) : kDefaultMeshColor);
}

bool HasCorners(const Trimesh& mesh, const Triangle& tri) {
    const std::int32_t vertices = mesh.VertexCount();
    const auto valid = [vertices](std::int32_t i) { return i >= 0 && i < vertices; };
    return valid(tri.A) && valid(tri.B) && valid(tri.C);
}

// A mesh's drawing data in buffer objects, filled when the mesh is first drawn and again only when
// its content changes: three vertices per triangle, each with its position, its colour and the face
// normal; and, from the first wireframe frame on, the triangles' edges as indices into those vertices.
struct MeshBuffers {
    std::weak_ptr<Element3D> owner;
    std::uint64_t version = ~std::uint64_t{0};
    bool colored = false;
    GLuint vertices = 0;
    GLsizei vertexCount = 0;
    GLuint edges = 0;
    GLsizei edgeCount = 0;
};

// Position, colour and normal: a mesh vertex has no texture coordinate.
constexpr int kFloatsPerMeshVertex = 9;
// Each triangle takes six edge indices, which a draw call counts in a GLsizei; a mesh beyond that
// shows its first triangles only.
constexpr std::int64_t kMostTriangles = std::numeric_limits<GLsizei>::max() / 6;
// Triangles sent to the GPU at a time while a mesh's buffer is filled.
constexpr std::int32_t kTrianglesPerUpload = 16384;

float* PutMeshVertex(float* out, const Vector3D& p, const QVector3D& color, const QVector3D& normal) {
    const float vertex[kFloatsPerMeshVertex] = {static_cast<float>(p.X),
                                                static_cast<float>(p.Y),
                                                static_cast<float>(p.Z),
                                                color.x(),
                                                color.y(),
                                                color.z(),
                                                normal.x(),
                                                normal.y(),
                                                normal.z()};
    return std::copy(vertex, vertex + kFloatsPerMeshVertex, out);
}

// Where the flood light comes from, in the scene's own coordinates (Y up, the camera first
// looking along -Z): high on the viewer's left, so that slopes facing different ways differ in
// brightness and level ground is lit almost fully.
const QVector3D kTowardsFlood = QVector3D(-0.45f, 0.8f, 0.4f).normalized();

// Multisampling smooths the edges of triangles and ribbons where the context offers it.
constexpr int kSamples = 4;

} // namespace

// The drawing surface: draws the owner's Objects group through its camera.
class SceneWidget final : public QOpenGLWidget, protected QOpenGLFunctions {
public:
    SceneWidget(Rb3DSpace& owner, QWidget* parent) : QOpenGLWidget(parent), owner_(owner) {
        QSurfaceFormat surface = format();
        surface.setSamples(kSamples);
        setFormat(surface);
    }

    ~SceneWidget() override {
        if (!isValid())
            return;
        makeCurrent();
        DropTextures();
        for (auto& [mesh, buffers] : buffers_)
            DropBuffers(buffers);
        glDeleteBuffers(1, &quadBuffer_);
        for (Shading& shading : shadings_)
            shading = {};
        doneCurrent();
    }

    std::int64_t PictureUploads() const { return uploads_; }

protected:
    void initializeGL() override {
        initializeOpenGLFunctions();
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize_);
        glGenBuffers(1, &quadBuffer_);
    }

    void paintGL() override {
        detail::Guarded([this] { PaintScene(); });
    }

    void PaintScene() {
        const QVector3D sky = ColorVector(owner_.SkyColor);
        glClearColor(sky.x(), sky.y(), sky.z(), 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const std::shared_ptr<Group3D> objects = owner_.Objects();
        if (!objects)
            return;
        lit_ = &ShadingFor(false, owner_.FogVisible);
        textured_ = &ShadingFor(true, owner_.FogVisible);
        if (!lit_->program || !textured_->program)
            return;

        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glCullFace(GL_BACK);

        const float nearPlane = static_cast<float>(std::max<std::int32_t>(1, owner_.Hither));
        const float farPlane = std::max(nearPlane + 1.0f, static_cast<float>(owner_.Yon));
        const float fov = static_cast<float>(std::clamp<std::int32_t>(owner_.FieldOfView, 1, 179));
        const float aspect = height() > 0 ? float(width()) / float(height()) : 1.0f;
        projection_.setToIdentity();
        projection_.perspective(fov, aspect, nearPlane, farPlane);
        view_ = LocalMatrix(owner_.Camera()).inverted();

        for (Shading* shading : {textured_, lit_}) {
            QOpenGLShaderProgram& program = *shading->program;
            program.bind();
            program.setUniformValue("projection", projection_);
            if (owner_.FogVisible) {
                program.setUniformValue("fogStart", static_cast<float>(owner_.FogStart));
                program.setUniformValue("fogEnd", farPlane);
                program.setUniformValue("fogColor", sky);
            }
        }
        textured_->program->bind();
        textured_->program->setUniformValue("picture", 0);
        lit_->program->bind();
        lit_->program->setUniformValue("ambient",
                                       ColorVector(owner_.AmbientColor) *
                                           (std::clamp<std::int32_t>(owner_.AmbientLight, 0, 100) / 100.0f));
        lit_->program->setUniformValue("flood",
                                       ColorVector(owner_.FloodColor) *
                                           (std::clamp<std::int32_t>(owner_.FloodLight, 0, 100) / 100.0f));
        lit_->program->setUniformValue("towardsFlood", view_.mapVector(kTowardsFlood).normalized());
        lit_->program->setUniformValue("lines", owner_.Wireframe);
        shading_ = lit_;

        seen_.clear();
        for (auto& [image, texture] : textures_)
            texture.seen = false;
        items_.clear();
        Collect(*objects, QMatrix4x4(), false, 0);
        SendChangedMeshes();
        for (const DrawItem& item : items_) {
            if (const auto* mesh = dynamic_cast<const Trimesh*>(item.element.get()))
                DrawMesh(*mesh, item.model, item.backFaces);
            else if (const auto* object = dynamic_cast<const Object3D*>(item.element.get()))
                DrawPictures(*object, item.model);
        }
        items_.clear();
        shading_->program->release();
        ForgetVanishedMeshes();
        DropUnseenTextures();
    }

private:
    static constexpr int kMaxDepth = 64;

    // What a frame draws, in order: each visible mesh and object with its transform.
    struct DrawItem {
        std::shared_ptr<Element3D> element;
        QMatrix4x4 model;
        bool backFaces = false;
    };

    void Collect(const Element3D& element, const QMatrix4x4& parent, bool backFaces, int depth) {
        if (!element.Visible || depth > kMaxDepth)
            return;
        const QMatrix4x4 model = parent * LocalMatrix(element);
        backFaces = backFaces || element.RenderBackFaces;
        if (const auto* group = dynamic_cast<const Group3D*>(&element)) {
            for (std::int32_t i = 0; i < group->Count(); ++i)
                if (const std::shared_ptr<Element3D> item = group->Item(i))
                    CollectChild(item, model, backFaces, depth + 1);
        }
    }

    void CollectChild(const std::shared_ptr<Element3D>& element, const QMatrix4x4& parent, bool backFaces,
                      int depth) {
        if (!element->Visible)
            return;
        if (dynamic_cast<const Trimesh*>(element.get()) || dynamic_cast<const Object3D*>(element.get()))
            items_.push_back(
                {element, parent * LocalMatrix(*element), backFaces || element->RenderBackFaces});
        else
            Collect(*element, parent, backFaces, depth);
    }

    // Fills the buffers of the meshes new or changed since they were last drawn, reporting the share
    // of their triangles sent so far.
    void SendChangedMeshes() {
        std::vector<std::pair<const Trimesh*, MeshBuffers*>> changed;
        std::int64_t total = 0;
        for (const DrawItem& item : items_) {
            const auto* mesh = dynamic_cast<const Trimesh*>(item.element.get());
            if (mesh == nullptr)
                continue;
            MeshBuffers& buffers = buffers_[mesh];
            if (buffers.owner.lock() == item.element && buffers.version == mesh->ContentVersion() &&
                buffers.colored == mesh->HasVertexColors)
                continue;
            buffers.owner = item.element;
            buffers.version = mesh->ContentVersion();
            buffers.colored = mesh->HasVertexColors;
            changed.emplace_back(mesh, &buffers);
            total += mesh->TriangleCount();
        }
        std::int64_t before = 0;
        std::int32_t shown = -1;
        const auto report = [&](std::int64_t done) {
            const std::int64_t sent = before + done;
            const auto percent = static_cast<std::int32_t>(total > 0 ? sent * 100 / total : 100);
            if (percent == shown || !owner_.SendProgress)
                return;
            shown = percent;
            owner_.SendProgress(percent);
            // Whatever the report drew on the screen, this frame goes on in its own context.
            if (QOpenGLContext::currentContext() != context())
                makeCurrent();
        };
        for (const auto& [mesh, buffers] : changed) {
            FillVertexBuffer(*mesh, *buffers, report);
            report(mesh->TriangleCount());
            before += mesh->TriangleCount();
        }
    }

    // A mirrored transform turns the faces' winding: their front stays the side their corners
    // are wound counter-clockwise on before the mirror.
    void SetTransform(const QMatrix4x4& model) {
        const QMatrix4x4 modelView = view_ * model;
        shading_->program->setUniformValue("modelView", modelView);
        shading_->program->setUniformValue("normalMatrix", modelView.normalMatrix());
        glFrontFace(model.determinant() < 0 ? GL_CW : GL_CCW);
    }

    // Sends the vertices of a buffer object, laid out as floatsPerVertex floats each (position,
    // colour, normal and, with 11, the texture coordinate), in order or by the indices of a second
    // buffer object.
    void DrawFromBuffer(GLuint vertices, int floatsPerVertex, GLenum primitive, GLsizei count,
                        GLuint indices = 0) {
        if (count <= 0)
            return;
        const GLsizei stride = floatsPerVertex * static_cast<GLsizei>(sizeof(float));
        const int locations[] = {shading_->position, shading_->color, shading_->normal, shading_->texCoord};
        const int sizes[] = {3, 3, 3, 2};
        const int attributes = floatsPerVertex == kFloatsPerVertex ? 4 : 3;
        glBindBuffer(GL_ARRAY_BUFFER, vertices);
        int offset = 0;
        for (int i = 0; i < attributes; ++i) {
            if (locations[i] >= 0) {
                shading_->program->enableAttributeArray(locations[i]);
                shading_->program->setAttributeBuffer(
                    locations[i], GL_FLOAT, offset * static_cast<int>(sizeof(float)), sizes[i], stride);
            }
            offset += sizes[i];
        }
        if (indices != 0) {
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);
            glDrawElements(primitive, count, GL_UNSIGNED_INT, nullptr);
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
        } else {
            glDrawArrays(primitive, 0, count);
        }
        for (int i = 0; i < attributes; ++i)
            if (locations[i] >= 0)
                shading_->program->disableAttributeArray(locations[i]);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }

    // A few vertices of 11 floats, streamed through one small buffer object.
    void DrawStreamed(const std::vector<float>& vertices, GLenum primitive) {
        glBindBuffer(GL_ARRAY_BUFFER, quadBuffer_);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)),
                     vertices.data(), GL_STREAM_DRAW);
        DrawFromBuffer(quadBuffer_, kFloatsPerVertex, primitive,
                       static_cast<GLsizei>(vertices.size() / kFloatsPerVertex));
    }

    // A buffer object of the given size, left bound to the target; 0, bound to nothing, where the
    // GPU has no room for it.
    GLuint NewBuffer(GLenum target, GLsizeiptr bytes) {
        for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
        }
        GLuint buffer = 0;
        glGenBuffers(1, &buffer);
        glBindBuffer(target, buffer);
        glBufferData(target, bytes, nullptr, GL_STATIC_DRAW);
        if (glGetError() == GL_NO_ERROR)
            return buffer;
        glBindBuffer(target, 0);
        glDeleteBuffers(1, &buffer);
        return 0;
    }

    void DropBuffers(MeshBuffers& buffers) {
        const GLuint names[] = {buffers.vertices, buffers.edges};
        glDeleteBuffers(2, names);
        buffers.vertices = buffers.edges = 0;
        buffers.vertexCount = buffers.edgeCount = 0;
    }

    // Fills the mesh's vertex buffer, a slice of triangles at a time, telling how many it has read
    // after each. Where the GPU has no room for it the mesh is not drawn.
    void FillVertexBuffer(const Trimesh& mesh, MeshBuffers& buffers,
                          const std::function<void(std::int64_t trianglesRead)>& progress) {
        DropBuffers(buffers);
        const std::int32_t triangles =
            static_cast<std::int32_t>(std::min<std::int64_t>(mesh.TriangleCount(), kMostTriangles));
        if (triangles <= 0)
            return;
        const std::int64_t floatsPerTriangle = 3 * kFloatsPerMeshVertex;
        buffers.vertices = NewBuffer(GL_ARRAY_BUFFER,
                                     static_cast<GLsizeiptr>(triangles * floatsPerTriangle * sizeof(float)));
        if (buffers.vertices == 0)
            return;
        std::vector<QVector3D> colors(static_cast<std::size_t>(mesh.VertexCount()));
        for (std::int32_t i = 0; i < mesh.VertexCount(); ++i)
            colors[static_cast<std::size_t>(i)] = VertexColor(mesh, i);
        std::vector<float> slice(static_cast<std::size_t>(kTrianglesPerUpload * floatsPerTriangle));
        float* out = slice.data();
        GLintptr filled = 0;
        const auto send = [&] {
            const auto bytes =
                static_cast<GLsizeiptr>((out - slice.data()) * static_cast<std::ptrdiff_t>(sizeof(float)));
            glBufferSubData(GL_ARRAY_BUFFER, filled, bytes, slice.data());
            filled += bytes;
            out = slice.data();
        };
        std::int64_t shown = 0;
        for (std::int32_t t = 0; t < triangles; ++t) {
            const Triangle tri = mesh.Triangles().Item(t);
            if (!HasCorners(mesh, tri))
                continue;
            const Vector3D a = mesh.VertexPositions().Item(tri.A);
            const Vector3D b = mesh.VertexPositions().Item(tri.B);
            const Vector3D c = mesh.VertexPositions().Item(tri.C);
            const QVector3D normal = FaceNormal(a, b, c);
            out = PutMeshVertex(out, a, colors[static_cast<std::size_t>(tri.A)], normal);
            out = PutMeshVertex(out, b, colors[static_cast<std::size_t>(tri.B)], normal);
            out = PutMeshVertex(out, c, colors[static_cast<std::size_t>(tri.C)], normal);
            ++shown;
            if (out == slice.data() + slice.size()) {
                send();
                progress(std::int64_t{t} + 1);
            }
        }
        if (out != slice.data())
            send();
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        buffers.vertexCount = static_cast<GLsizei>(shown * 3);
    }

    // The edges of every triangle in the vertex buffer: its corners 0-1, 1-2 and 2-0.
    void FillEdgeBuffer(MeshBuffers& buffers) {
        const GLsizei triangles = buffers.vertexCount / 3;
        if (triangles <= 0)
            return;
        buffers.edges = NewBuffer(GL_ELEMENT_ARRAY_BUFFER,
                                  static_cast<GLsizeiptr>(std::int64_t{triangles} * 6 * sizeof(GLuint)));
        if (buffers.edges == 0)
            return;
        std::vector<GLuint> slice;
        slice.reserve(static_cast<std::size_t>(kTrianglesPerUpload) * 6);
        GLintptr filled = 0;
        for (GLsizei t = 0; t < triangles; ++t) {
            const GLuint a = static_cast<GLuint>(t) * 3;
            slice.insert(slice.end(), {a, a + 1, a + 1, a + 2, a + 2, a});
            if (slice.size() >= static_cast<std::size_t>(kTrianglesPerUpload) * 6 || t + 1 == triangles) {
                const auto bytes = static_cast<GLsizeiptr>(slice.size() * sizeof(GLuint));
                glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, filled, bytes, slice.data());
                filled += bytes;
                slice.clear();
            }
        }
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
        buffers.edgeCount = triangles * 6;
    }

    void DrawMesh(const Trimesh& mesh, const QMatrix4x4& model, bool backFaces) {
        MeshBuffers& buffers = buffers_[&mesh];
        seen_.push_back(&mesh);
        Use(*lit_);
        SetTransform(model);
        if (owner_.Wireframe) {
            if (buffers.edges == 0)
                FillEdgeBuffer(buffers);
            glDisable(GL_CULL_FACE);
            DrawFromBuffer(buffers.vertices, kFloatsPerMeshVertex, GL_LINES, buffers.edgeCount,
                           buffers.edges);
        } else {
            if (backFaces)
                glDisable(GL_CULL_FACE);
            else
                glEnable(GL_CULL_FACE);
            DrawFromBuffer(buffers.vertices, kFloatsPerMeshVertex, GL_TRIANGLES, buffers.vertexCount);
        }
    }

    // A picture shows its texels, or in wireframe its lit outline.
    void DrawPictures(const Object3D& object, const QMatrix4x4& model) {
        Use(owner_.Wireframe ? *lit_ : *textured_);
        SetTransform(model);
        glDisable(GL_CULL_FACE);
        for (const Object3D::PictureShape& shape : object.Shapes()) {
            if (!shape.Image || !std::isfinite(shape.Size))
                continue;
            const GLuint texture = TextureFor(shape.Image);
            if (texture == 0)
                continue;
            const double hw = std::abs(shape.Size) * shape.Image.Width() / 2;
            const double hh = std::abs(shape.Size) * shape.Image.Height() / 2;
            const QVector3D white(1, 1, 1);
            const QVector3D normal(0, 0, 1);
            std::vector<float> quad;
            // The picture's first row is its top, towards +Y.
            PushVertex(quad, {-hw, hh, 0}, white, normal, 0, 0);
            PushVertex(quad, {-hw, -hh, 0}, white, normal, 0, 1);
            PushVertex(quad, {hw, -hh, 0}, white, normal, 1, 1);
            PushVertex(quad, {-hw, hh, 0}, white, normal, 0, 0);
            PushVertex(quad, {hw, -hh, 0}, white, normal, 1, 1);
            PushVertex(quad, {hw, hh, 0}, white, normal, 1, 0);
            glActiveTexture(GL_TEXTURE0);
            glBindTexture(GL_TEXTURE_2D, texture);
            if (owner_.Wireframe) {
                std::vector<float> outline;
                for (int corner : {0, 1, 1, 2, 2, 5, 5, 0})
                    outline.insert(outline.end(), quad.begin() + corner * kFloatsPerVertex,
                                   quad.begin() + (corner + 1) * kFloatsPerVertex);
                DrawStreamed(outline, GL_LINES);
            } else {
                DrawStreamed(quad, GL_TRIANGLES);
            }
            glBindTexture(GL_TEXTURE_2D, 0);
        }
    }

    // A picture's texture, sent to the GPU again only when the picture changed since.
    GLuint TextureFor(const Picture& picture) {
        const QImage& image = picture.Image();
        PictureTexture& entry = textures_[&image];
        entry.seen = true;
        if (entry.texture != 0 && entry.content == image.cacheKey())
            return entry.texture;
        entry.picture = picture;
        entry.content = image.cacheKey();
        QImage upload = image;
        const int limit = std::max(64, maxTextureSize_);
        if (upload.width() > limit || upload.height() > limit)
            upload = upload.scaled(std::min(upload.width(), limit), std::min(upload.height(), limit),
                                   Qt::KeepAspectRatio, Qt::SmoothTransformation);
        upload = upload.convertToFormat(QImage::Format_RGBA8888);
        if (upload.isNull())
            return 0;
        if (entry.texture == 0)
            glGenTextures(1, &entry.texture);
        glBindTexture(GL_TEXTURE_2D, entry.texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, upload.width(), upload.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     upload.constBits());
        glBindTexture(GL_TEXTURE_2D, 0);
        ++uploads_;
        return entry.texture;
    }

    void DropUnseenTextures() {
        for (auto it = textures_.begin(); it != textures_.end();) {
            if (it->second.seen) {
                ++it;
                continue;
            }
            glDeleteTextures(1, &it->second.texture);
            it = textures_.erase(it);
        }
    }

    void DropTextures() {
        for (const auto& [image, texture] : textures_)
            glDeleteTextures(1, &texture.texture);
        textures_.clear();
    }

    void ForgetVanishedMeshes() {
        for (auto it = buffers_.begin(); it != buffers_.end();) {
            if (it->second.owner.expired() ||
                std::find(seen_.begin(), seen_.end(), it->first) == seen_.end()) {
                DropBuffers(it->second);
                it = buffers_.erase(it);
            } else {
                ++it;
            }
        }
    }

    void Use(Shading& shading) {
        if (shading_ == &shading)
            return;
        shading_ = &shading;
        shading.program->bind();
    }

    Rb3DSpace& owner_;
    // Lit and textured, without and with fog; each built when first needed.
    Shading shadings_[4];
    Shading& ShadingFor(bool textured, bool fogged) {
        Shading& shading = shadings_[(textured ? 2 : 0) + (fogged ? 1 : 0)];
        if (!shading.built)
            shading = BuildShading(textured, fogged);
        return shading;
    }
    // The two of this frame's fog, and the one bound.
    Shading* lit_ = nullptr;
    Shading* textured_ = nullptr;
    Shading* shading_ = nullptr;
    GLint maxTextureSize_ = 0;
    QMatrix4x4 projection_;
    QMatrix4x4 view_;
    std::map<const Trimesh*, MeshBuffers> buffers_;
    GLuint quadBuffer_ = 0;
    std::vector<const Trimesh*> seen_;
    std::vector<DrawItem> items_;
    // Keyed by the picture's image, whose address stays while the entry holds the picture.
    struct PictureTexture {
        Picture picture;
        qint64 content = 0;
        GLuint texture = 0;
        bool seen = false;
    };
    std::map<const QImage*, PictureTexture> textures_;
    std::int64_t uploads_ = 0;
};

// Stands in for the scene where there is no engine: the sky colour, nothing else.
class EmptySceneWidget final : public QWidget {
public:
    EmptySceneWidget(const Rb3DSpace& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor::fromRgb(static_cast<QRgb>(0xFF000000u | owner_.SkyColor)));
    }

private:
    const Rb3DSpace& owner_;
};

struct Rb3DSpace::Impl {
    std::shared_ptr<Group3D> objects;
    Object3D camera;
    QPointer<QWidget> widget;
    SceneWidget* scene = nullptr; // the same widget, when there is an engine
};

Rb3DSpace::Rb3DSpace() : impl_(std::make_unique<Impl>()) {
    if (EngineAvailable())
        impl_->objects = std::make_shared<Group3D>();
}

Rb3DSpace::~Rb3DSpace() {
    // The widget refers to this control: it goes first.
    delete impl_->widget.data();
}

std::shared_ptr<Group3D> Rb3DSpace::Objects() const {
    return impl_->objects;
}

Object3D& Rb3DSpace::Camera() {
    return impl_->camera;
}

void Rb3DSpace::Update() {
    if (impl_->widget)
        impl_->widget->update();
}

// A control not yet on the screen draws when it is shown: a frame drawn before would go unseen.
void Rb3DSpace::Refresh() {
    if (impl_->widget && impl_->widget->isVisible())
        impl_->widget->repaint();
}

Picture Rb3DSpace::RenderToPicture() {
    if (!impl_->objects || !impl_->scene || !impl_->widget)
        return {};
    return Picture::FromImage(impl_->scene->grabFramebuffer());
}

std::int64_t Rb3DSpace::PictureUploads() const {
    return impl_->scene && impl_->widget ? impl_->scene->PictureUploads() : 0;
}

QWidget* Rb3DSpace::Widget() const {
    return impl_->widget.data();
}

void Rb3DSpace::CreateNative(Window& window) {
    QWidget* parent = window.ContentWidget();
    if (impl_->objects) {
        impl_->scene = new SceneWidget(*this, parent);
        impl_->widget = impl_->scene;
    } else {
        impl_->widget = new EmptySceneWidget(*this, parent);
    }
}

} // namespace rt
