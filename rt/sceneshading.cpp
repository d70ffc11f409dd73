#include "rt/sceneshading.h"

#include <QByteArray>

namespace rt {

namespace {

// Every shading is built from these sources: with TEXTURED 1, a picture's texels; with 0, the
// colours lit by the ambient light and the flood light; with FOG 1, blended towards the fog colour
// with the distance. A triangle is lit on the side that faces the viewer; a line, which has no
// side, on either.
const char* const kVertexShader = R"(
attribute vec3 position;
attribute vec3 color;
attribute vec3 normal;
uniform mat4 modelView;
uniform mat4 projection;
uniform mat3 normalMatrix;
varying vec3 vColor;
varying vec3 vNormal;
#if FOG
varying vec3 vEye;
#endif
#if TEXTURED
attribute vec2 texCoord;
varying vec2 vTex;
#endif
void main() {
    vec4 eye = modelView * vec4(position, 1.0);
    vColor = color;
    vNormal = normalMatrix * normal;
#if FOG
    vEye = eye.xyz;
#endif
#if TEXTURED
    vTex = texCoord;
#endif
    gl_Position = projection * eye;
}
)";

const char* const kFragmentShader = R"(
uniform bool lines;
uniform vec3 ambient;
uniform vec3 flood;
uniform vec3 towardsFlood;
varying vec3 vColor;
varying vec3 vNormal;
#if FOG
uniform float fogStart;
uniform float fogEnd;
uniform vec3 fogColor;
varying vec3 vEye;
#endif
#if TEXTURED
uniform sampler2D picture;
varying vec2 vTex;
#endif
void main() {
    vec3 c;
#if TEXTURED
    c = texture2D(picture, vTex).rgb;
#else
    float diffuse = 0.0;
    if (dot(vNormal, vNormal) > 0.0) {
        vec3 n = normalize(vNormal);
        if (lines)
            diffuse = abs(dot(n, towardsFlood));
        else
            diffuse = max(dot(gl_FrontFacing ? n : -n, towardsFlood), 0.0);
    }
    c = vColor * (ambient + flood * diffuse);
#endif
#if FOG
    float f = clamp((length(vEye) - fogStart) / max(fogEnd - fogStart, 0.000001), 0.0, 1.0);
    c = mix(c, fogColor, f);
#endif
    gl_FragColor = vec4(min(c, vec3(1.0)), 1.0);
}
)";

} // namespace

Shading BuildShading(bool textured, bool fogged) {
    const QByteArray defines = QByteArray(textured ? "#define TEXTURED 1\n" : "#define TEXTURED 0\n") +
                               (fogged ? "#define FOG 1\n" : "#define FOG 0\n");
    Shading shading;
    shading.built = true;
    shading.program = std::make_unique<QOpenGLShaderProgram>();
    QOpenGLShaderProgram& program = *shading.program;
    if (!program.addShaderFromSourceCode(QOpenGLShader::Vertex, defines + kVertexShader) ||
        !program.addShaderFromSourceCode(QOpenGLShader::Fragment, defines + kFragmentShader) ||
        !program.link()) {
        shading.program.reset();
        return shading;
    }
    shading.position = program.attributeLocation("position");
    shading.color = program.attributeLocation("color");
    shading.normal = program.attributeLocation("normal");
    shading.texCoord = program.attributeLocation("texCoord");
    return shading;
}

} // namespace rt
