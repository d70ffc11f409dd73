#pragma once
// The 3D scene's shading programs: a lit one for meshes and a textured one for pictures, each with
// or without fog.

#include <QOpenGLShaderProgram>

#include <memory>

namespace rt {

// A linked shading program with the places of its vertex attributes (-1 for one it has not).
struct Shading {
    std::unique_ptr<QOpenGLShaderProgram> program;
    int position = -1;
    int color = -1;
    int normal = -1;
    int texCoord = -1;
    bool built = false; // tried: a program that does not link is not tried again
};

// Compiles and links the shading; a shading that does not link has no program.
Shading BuildShading(bool textured, bool fogged);

} // namespace rt
