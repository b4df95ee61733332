#include <epoxy/gl.h>

#include "render/gl/gl_shaders.h"

#include <vector>

namespace darts::render::gl {

// The sources carry no version line: buildProgram puts GLSL 3.30 core or GLSL ES 3.00 (with high
// precision throughout, so both give the same pixels) in front, as the current context needs.
// Vertex colours arrive as the bytes of a little-endian ARGB value, B, G, R, A; OpenGL ES has no
// BGRA attribute format, so every context reads them as four bytes and the shader swaps them.
//
// Meshes: the fixed-function vertex pipeline with per-vertex (Gouraud) lighting in camera space.
// Matrices are row-vector (p' = p M) and uploaded as stored, so `M * v` in GLSL is v M.
//
//   P = p WorldView, N = n (WorldView)^-T (3x3, not renormalised: a scaled world matrix changes
//   brightness). Per light, L the unit vector from P to the light, d its distance:
//     directional: L = -normalize(Direction_cam), A = 1, S = 1, no range test;
//     spot: nothing at all when d > Range; A = 1 / (a0 + a1 d + a2 d^2);
//           rho = dot(normalize(Direction_cam), -L);
//           S = 1 if rho > cos(Theta/2), 0 if rho <= cos(Phi/2),
//           else ((rho - cos(Phi/2)) / (cos(Theta/2) - cos(Phi/2)))^Falloff.
//   diffuse.rgb = Me + Ma sum(La A S) + sum(Md Ld max(N.L, 0) A S)   (no global ambient)
//   diffuse.a = Md.a (clamped to [0, 1] like the colours)
//   specular.rgb = sum(Ms Ls (N.H)^Power A S) where N.L > 0 and N.H > 0,
//                  H = normalize(normalize(-P) + L)   (local viewer)
//   Both clamped to [0, 1] after all lights. Without normals only Me + ambient remain.
//   Md comes from the vertex colour when the mesh has colours, else from the material.
//
// Clip space: Direct3D's z runs over [0, w], GL's over [-w, w]: z' = 2z - w. Pixel centres lie
// on integer coordinates in Direct3D and half a pixel further in GL; the shift of 63/64 of that
// half pixel (uPixelShift, per unit w) keeps Direct3D's top-left fill rule exact for edges on
// pixel boundaries.
const char* const kSceneVertexShader = R"(
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aUv;
layout(location = 3) in vec4 aColor;

struct Light {
    bool directional;
    vec3 position;   // camera space
    vec3 direction;  // camera space, normalised
    vec3 diffuse;
    vec3 specular;
    vec3 ambient;
    float range;
    float falloff;
    vec3 attenuation;
    float cosHalfTheta;
    float cosHalfPhi;
};

uniform mat4 uWorldView;
uniform mat4 uProjection;
uniform mat3 uNormalMatrix;
uniform vec2 uPixelShift;
uniform bool uHasNormals;
uniform bool uVertexDiffuse;
uniform vec4 uDiffuse;
uniform vec4 uAmbient;
uniform vec4 uSpecular;
uniform vec4 uEmissive;
uniform float uPower;
uniform Light uLights[2];

out vec4 vDiffuse;
out vec3 vSpecular;
out vec2 vUv;

void main() {
    vec4 viewPosition = uWorldView * vec4(aPosition, 1.0);
    vec3 P = viewPosition.xyz;
    vec3 N = uNormalMatrix * aNormal;
    vec4 Md = uVertexDiffuse ? aColor.bgra : uDiffuse;

    vec3 diffuse = uEmissive.rgb;
    vec3 specular = vec3(0.0);
    for (int i = 0; i < 2; ++i) {
        Light light = uLights[i];
        vec3 L;
        float A = 1.0;
        float S = 1.0;
        if (light.directional) {
            L = -light.direction;
        } else {
            vec3 toLight = light.position - P;
            float d = length(toLight);
            if (d > light.range) continue;
            L = toLight / d;
            A = 1.0 / (light.attenuation.x + light.attenuation.y * d +
                       light.attenuation.z * d * d);
            float rho = dot(light.direction, -L);
            if (rho <= light.cosHalfPhi) {
                S = 0.0;
            } else if (rho <= light.cosHalfTheta) {
                S = pow((rho - light.cosHalfPhi) / (light.cosHalfTheta - light.cosHalfPhi),
                        light.falloff);
            }
        }
        diffuse += uAmbient.rgb * light.ambient * A * S;
        if (!uHasNormals) continue;
        float NdotL = dot(N, L);
        diffuse += Md.rgb * light.diffuse * max(NdotL, 0.0) * A * S;
        if (NdotL > 0.0) {
            vec3 H = normalize(normalize(-P) + L);
            float NdotH = dot(N, H);
            if (NdotH > 0.0) specular += uSpecular.rgb * light.specular * pow(NdotH, uPower) * A * S;
        }
    }
    vDiffuse = vec4(clamp(diffuse, 0.0, 1.0), clamp(Md.a, 0.0, 1.0));
    vSpecular = clamp(specular, 0.0, 1.0);
    vUv = aUv;

    vec4 clip = uProjection * viewPosition;
    clip.xy += uPixelShift * clip.w;
    clip.z = 2.0 * clip.z - clip.w;
    gl_Position = clip;
}
)";

// Pre-transformed vertices: x, y in pixels of the frame (y down, pixel centres on integers), z in
// [0, 1] as the meshes' depth, rhw = 1/w. No lighting: the vertex colour is the diffuse colour.
//   x_ndc = 2 (x + s) / W - 1, y_ndc = 1 - 2 (y + s) / H, z_ndc = 2z - 1, all times w,
// with s = 63/128 pixel as for the meshes. Both paths give the same window depth, so 2D quads
// depth-test against the 3D scene.
const char* const kScreenVertexShader = R"(
layout(location = 0) in vec4 aPosition;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aUv;

uniform vec2 uFrameSize;

out vec4 vDiffuse;
out vec3 vSpecular;
out vec2 vUv;

const float kPixelShift = 63.0 / 128.0;

void main() {
    float w = aPosition.w > 0.0 ? 1.0 / aPosition.w : 1.0;
    vec2 pixel = aPosition.xy + vec2(kPixelShift);
    vec3 ndc = vec3(2.0 * pixel.x / uFrameSize.x - 1.0, 1.0 - 2.0 * pixel.y / uFrameSize.y,
                    2.0 * aPosition.z - 1.0);
    gl_Position = vec4(ndc * w, w);
    vDiffuse = aColor.bgra;
    vSpecular = vec3(0.0);
    vUv = aUv;
}
)";

// Texture stage 0, colour and alpha both: texture x diffuse; no texture reads as opaque white.
// The specular colour is added after the stage. Point sampling is the texture's own setting.
// Textures have one level and the same filter both ways, so the level of detail changes nothing:
// sampling level 0 directly spares a software rasteriser the derivatives (about 6 % of a frame).
const char* const kStageFragmentShader = R"(
in vec4 vDiffuse;
in vec3 vSpecular;
in vec2 vUv;

uniform sampler2D uTexture;
uniform bool uTextured;

out vec4 fragColor;

void main() {
    vec4 texel = uTextured ? textureLod(uTexture, vUv, 0.0) : vec4(1.0);
    vec4 color = texel * vDiffuse;
    fragColor = vec4(min(color.rgb + vSpecular, vec3(1.0)), color.a);
}
)";

// Glyphs: quads in frame pixels with atlas texel coordinates; coverage is alpha.
const char* const kTextVertexShader = R"(
layout(location = 0) in vec2 aPixel;
layout(location = 1) in vec2 aTexel;

uniform vec2 uFrameSize;
uniform vec2 uAtlasSize;

out vec2 vUv;

const float kPixelShift = 63.0 / 128.0;

void main() {
    vec2 pixel = aPixel + vec2(kPixelShift);
    gl_Position = vec4(2.0 * pixel.x / uFrameSize.x - 1.0, 1.0 - 2.0 * pixel.y / uFrameSize.y,
                       -1.0, 1.0);
    vUv = aTexel / uAtlasSize;
}
)";

const char* const kTextFragmentShader = R"(
in vec2 vUv;

uniform sampler2D uAtlas;
uniform vec4 uColor;

out vec4 fragColor;

void main() {
    fragColor = vec4(uColor.rgb, uColor.a * texture(uAtlas, vUv).r);
}
)";

namespace {

std::string infoLog(GLuint object, bool isProgram) {
    GLint length = 0;
    if (isProgram) {
        glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
    } else {
        glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    }
    std::vector<char> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    if (isProgram) {
        glGetProgramInfoLog(object, length, nullptr, log.data());
    } else {
        glGetShaderInfoLog(object, length, nullptr, log.data());
    }
    std::string text(log.data());
    for (char& c : text) {
        if (c == '\n') c = ' ';
    }
    return text;
}

const char* versionHeader() {
    if (epoxy_is_desktop_gl()) return "#version 330 core\n";
    return "#version 300 es\n"
           "precision highp float;\n"
           "precision highp int;\n"
           "precision highp sampler2D;\n";
}

GLuint compile(GLenum kind, const char* source, std::string& error) {
    GLuint shader = glCreateShader(kind);
    const char* const parts[] = {versionHeader(), source};
    glShaderSource(shader, 2, parts, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        error = "shader does not compile: " + infoLog(shader, false);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

}  // namespace

unsigned buildProgram(const char* vertexSource, const char* fragmentSource, std::string& error) {
    const GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource, error);
    if (vertex == 0) return 0;
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentSource, error);
    if (fragment == 0) {
        glDeleteShader(vertex);
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        error = "shader program does not link: " + infoLog(program, true);
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

}  // namespace darts::render::gl
