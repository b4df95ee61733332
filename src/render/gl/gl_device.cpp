#include <epoxy/gl.h>

#include "render/gl/gl_device.h"

#include <bit>
#include <cmath>
#include <cstddef>

#include "render/gl/gl_frame.h"
#include "render/gl/gl_lighting.h"
#include "render/gl/gl_shaders.h"
#include "render/gl/gl_sharp_frame.h"
#include "render/gl/gl_text.h"
#include "render/gl/gl_transforms.h"

namespace darts::render {

static_assert(std::endian::native == std::endian::little,
              "vertex colours are read as the bytes B, G, R, A of a little-endian ARGB value "
              "and swapped in the shaders");

namespace {

// 63/64 of half a pixel of the frame, in clip units per unit w (see the scene vertex shader).
constexpr float kPixelShiftX = 63.0f / 64.0f / float(kFrameWidth);
constexpr float kPixelShiftY = -63.0f / 64.0f / float(kFrameHeight);

struct GpuMesh {
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;
    std::vector<gfx::Subset> subsets;
    bool hasNormals = false;
    bool hasColors = false;
    bool colorsOpaque = true;  // every vertex colour has alpha 255 (or the colours are unused)
};

struct LightLocations {
    GLint directional, position, direction, diffuse, specular, ambient, range, falloff, attenuation,
        cosHalfTheta, cosHalfPhi;
};

struct SceneLocations {
    GLint worldView, projection, normalMatrix, hasNormals, vertexDiffuse;
    GLint diffuse, ambient, specular, emissive, power;
    GLint textured;
    LightLocations lights[2];
};

void setColor(GLint location, const ColorValue& c) { glUniform4f(location, c.r, c.g, c.b, c.a); }
void setVec3(GLint location, gfx::Vec3 v) { glUniform3f(location, v.x, v.y, v.z); }

}  // namespace

struct GlDevice::State {
    GlPresenter presenter;
    bool desktop = true;  // OpenGL 3.3 core; false on OpenGL ES 3.0
    std::unique_ptr<gl::FrameTarget> frame;
    std::unique_ptr<gl::TextRenderer> text;
    gl::ScaledFonts scaledFonts;  // the sharp picture's faces
    FrameScale frameScale;        // of the frame, against 800 x 600
    GLuint sceneProgram = 0;
    GLuint screenProgram = 0;
    SceneLocations scene{};
    GLint screenTextured = -1;
    GLuint screenVertexArray = 0;
    GLuint screenVertexBuffer = 0;
    // Linear filtering for textured 2D draws of the smooth HUD, bound over stage 0's own point
    // sampling for those draws only; 0 when the presenter does not ask for it.
    GLuint hudSampler = 0;

    std::vector<GLuint> textures;      // by handle - 1
    std::vector<bool> texturesOpaque;  // by handle - 1: every texel has alpha 255
    std::vector<GpuMesh> meshes;       // by handle - 1
    bool frameBlending = false;        // alpha blending as the game set it (beginFrame)
    bool blending = false;             // GL_BLEND as last set

    gfx::Matrix world = gfx::identityMatrix();
    gfx::Matrix view = gfx::identityMatrix();
    gfx::Matrix projection = gfx::identityMatrix();
    bool transformsChanged = true;
    bool lightsChanged = true;
    Material material{};
    bool materialChanged = true;
    TextureHandle texture = 0;

    ~State() {
        text.reset();
        for (GpuMesh& mesh : meshes) {
            glDeleteVertexArrays(1, &mesh.vertexArray);
            glDeleteBuffers(1, &mesh.vertexBuffer);
            glDeleteBuffers(1, &mesh.indexBuffer);
        }
        if (!textures.empty()) glDeleteTextures(GLsizei(textures.size()), textures.data());
        if (hudSampler != 0) glDeleteSamplers(1, &hudSampler);
        glDeleteVertexArrays(1, &screenVertexArray);
        glDeleteBuffers(1, &screenVertexBuffer);
        glDeleteProgram(sceneProgram);
        glDeleteProgram(screenProgram);
        frame.reset();
    }

    bool textureValid() const { return texture != 0 && texture <= textures.size(); }
    // Whether a textured 2D draw now samples smoothly: the frame is not at 800 x 600, so the
    // bitmap is shown at another size than the one it was made for.
    bool smoothHudNow() const { return hudSampler != 0 && textureValid() && !frameScale.isOne(); }
    bool textureOpaque() const { return !textureValid() || texturesOpaque[texture - 1]; }

    // Binds stage 0 for the given program's "textured" switch: no texture reads as white.
    void bindTexture(GLint texturedLocation) {
        const bool valid = textureValid();
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, valid ? textures[texture - 1] : 0);
        glUniform1i(texturedLocation, valid ? 1 : 0);
    }

    // Blending stays on for the whole frame as far as the picture goes. A draw whose every
    // fragment has alpha 1 blends to exactly its own colour (source x 1 + destination x 0), so
    // such draws skip the blend unit, which a software rasteriser pays for on every pixel.
    void blendFor(bool opaque) { setBlending(frameBlending && !opaque); }
    void setBlending(bool on) {
        if (blending == on) return;
        blending = on;
        if (on) {
            glEnable(GL_BLEND);
        } else {
            glDisable(GL_BLEND);
        }
    }

    void uploadSceneState() {
        if (transformsChanged) {
            const gfx::Matrix worldView = gfx::matrixMultiply(world, view);
            glUniformMatrix4fv(scene.worldView, 1, GL_FALSE, &worldView.m[0][0]);
            glUniformMatrix4fv(scene.projection, 1, GL_FALSE, &projection.m[0][0]);
            const gl::Matrix3 normals = gl::normalMatrix(worldView);
            glUniformMatrix3fv(scene.normalMatrix, 1, GL_FALSE, normals.data());
            transformsChanged = false;
        }
        if (lightsChanged) {
            // Lights are placed in camera space: positions and directions go through the view
            // transform only.
            for (int i = 0; i < 2; ++i) {
                const FixedLight& light = kSceneLights[i];
                const LightLocations& at = scene.lights[i];
                glUniform1i(at.directional, light.type == LightType::Directional ? 1 : 0);
                setVec3(at.position, gl::transformPosition(light.position, view));
                setVec3(at.direction,
                        gl::normalized(gl::transformDirection(light.direction, view)));
                glUniform3f(at.diffuse, light.diffuse.r, light.diffuse.g, light.diffuse.b);
                glUniform3f(at.specular, light.specular.r, light.specular.g, light.specular.b);
                glUniform3f(at.ambient, light.ambient.r, light.ambient.g, light.ambient.b);
                glUniform1f(at.range, light.range);
                glUniform1f(at.falloff, light.falloff);
                glUniform3f(at.attenuation, light.attenuation0, light.attenuation1,
                            light.attenuation2);
                glUniform1f(at.cosHalfTheta, std::cos(light.theta / 2.0f));
                glUniform1f(at.cosHalfPhi, std::cos(light.phi / 2.0f));
            }
            lightsChanged = false;
        }
        if (materialChanged) {
            setColor(scene.diffuse, material.diffuse);
            setColor(scene.ambient, material.ambient);
            setColor(scene.specular, material.specular);
            setColor(scene.emissive, material.emissive);
            glUniform1f(scene.power, material.power);
            materialChanged = false;
        }
    }
};

namespace {

SceneLocations findSceneLocations(GLuint program) {
    auto at = [program](const std::string& name) {
        return glGetUniformLocation(program, name.c_str());
    };
    SceneLocations s{};
    s.worldView = at("uWorldView");
    s.projection = at("uProjection");
    s.normalMatrix = at("uNormalMatrix");
    s.hasNormals = at("uHasNormals");
    s.vertexDiffuse = at("uVertexDiffuse");
    s.diffuse = at("uDiffuse");
    s.ambient = at("uAmbient");
    s.specular = at("uSpecular");
    s.emissive = at("uEmissive");
    s.power = at("uPower");
    s.textured = at("uTextured");
    for (int i = 0; i < 2; ++i) {
        const std::string light = "uLights[" + std::to_string(i) + "].";
        LightLocations& l = s.lights[i];
        l.directional = at(light + "directional");
        l.position = at(light + "position");
        l.direction = at(light + "direction");
        l.diffuse = at(light + "diffuse");
        l.specular = at(light + "specular");
        l.ambient = at(light + "ambient");
        l.range = at(light + "range");
        l.falloff = at(light + "falloff");
        l.attenuation = at(light + "attenuation");
        l.cosHalfTheta = at(light + "cosHalfTheta");
        l.cosHalfPhi = at(light + "cosHalfPhi");
    }
    return s;
}

}  // namespace

GlDeviceResult GlDevice::create(GlPresenter presenter) {
    const bool desktop = epoxy_is_desktop_gl();
    const int version = epoxy_gl_version();
    if (version < (desktop ? 33 : 30)) {
        return {nullptr, "no OpenGL 3.3 core or OpenGL ES 3.0 context: the driver offers " +
                             std::string(desktop ? "OpenGL " : "OpenGL ES ") +
                             std::to_string(version / 10) + "." + std::to_string(version % 10)};
    }
    auto state = std::make_unique<State>();
    state->presenter = std::move(presenter);
    state->desktop = desktop;
    std::string error;
    state->frame = std::make_unique<gl::FrameTarget>(kFrameWidth, kFrameHeight, error);
    if (!error.empty()) return {nullptr, error};

    state->sceneProgram = gl::buildProgram(gl::kSceneVertexShader, gl::kStageFragmentShader, error);
    if (state->sceneProgram == 0) return {nullptr, error};
    state->screenProgram =
        gl::buildProgram(gl::kScreenVertexShader, gl::kStageFragmentShader, error);
    if (state->screenProgram == 0) return {nullptr, error};
    state->text = std::make_unique<gl::TextRenderer>(error);
    if (!error.empty()) return {nullptr, error};

    state->scene = findSceneLocations(state->sceneProgram);
    glUseProgram(state->sceneProgram);
    glUniform1i(glGetUniformLocation(state->sceneProgram, "uTexture"), 0);
    glUniform2f(glGetUniformLocation(state->sceneProgram, "uPixelShift"), kPixelShiftX,
                kPixelShiftY);
    glUseProgram(state->screenProgram);
    glUniform1i(glGetUniformLocation(state->screenProgram, "uTexture"), 0);
    glUniform2f(glGetUniformLocation(state->screenProgram, "uFrameSize"), float(kFrameWidth),
                float(kFrameHeight));
    state->screenTextured = glGetUniformLocation(state->screenProgram, "uTextured");

    glGenVertexArrays(1, &state->screenVertexArray);
    glGenBuffers(1, &state->screenVertexBuffer);
    glBindVertexArray(state->screenVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, state->screenVertexBuffer);
    constexpr GLsizei stride = sizeof(ScreenVertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(ScreenVertex, x)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<void*>(offsetof(ScreenVertex, color)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(ScreenVertex, u)));
    glBindVertexArray(0);

    if (state->presenter.sharp && state->presenter.smoothHud) {
        // Edges are clamped: the bitmaps are drawn once over their quads, and wrapping would
        // blend the opposite border into each edge.
        glGenSamplers(1, &state->hudSampler);
        glSamplerParameteri(state->hudSampler, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glSamplerParameteri(state->hudSampler, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glSamplerParameteri(state->hudSampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glSamplerParameteri(state->hudSampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }

    // The render state of the whole run: depth test less-or-equal with writes, no culling (the
    // gauge marker may be wound either way), no dithering. Blending is set by beginFrame.
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    if (desktop) {
        glDepthRange(0.0, 1.0);
    } else {
        glDepthRangef(0.0f, 1.0f);
    }
    glDisable(GL_CULL_FACE);
    glDisable(GL_DITHER);
    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);  // text blends even outside a frame
    state->blending = false;
    state->frame->bind();
    if (glGetError() != GL_NO_ERROR) return {nullptr, "the OpenGL device cannot be set up"};
    return {std::unique_ptr<GlDevice>(new GlDevice(std::move(state))), {}};
}

GlDevice::GlDevice(std::unique_ptr<State> state) : gl_(std::move(state)) {}
GlDevice::~GlDevice() = default;

void GlDevice::beginFrame() {
    if (gl_->presenter.sharp && gl_->presenter.drawableSize) {
        const PixelSize size = gl_->presenter.drawableSize();
        gl::fitSharpFrame(gl_->frame, size.width, size.height, gl_->presenter.stretch);
        gl_->frameScale = frameScaleOf({gl_->frame->width(), gl_->frame->height()});
    }
    gl_->frame->bind();
    glDepthMask(GL_TRUE);  // a clear honours the write mask
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    if (gl_->desktop) {
        glClearDepth(1.0);
    } else {
        glClearDepthf(1.0f);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gl_->blending = true;
    gl_->frameBlending = true;
}

void GlDevice::endFrame() {
    const PixelSize size = gl_->presenter.drawableSize ? gl_->presenter.drawableSize()
                                                       : PixelSize{kFrameWidth, kFrameHeight};
    gl_->frame->showOnWindow(size.width, size.height, gl_->presenter.stretch);
    if (gl_->presenter.present) gl_->presenter.present();
}

void GlDevice::setTransform(TransformKind kind, const gfx::Matrix& matrix) {
    switch (kind) {
        case TransformKind::World:
            gl_->world = matrix;
            break;
        case TransformKind::View:
            gl_->view = matrix;
            gl_->lightsChanged = true;
            break;
        case TransformKind::Projection:
            gl_->projection = matrix;
            break;
    }
    gl_->transformsChanged = true;
}

void GlDevice::setMaterial(const Material& material) {
    gl_->material = material;
    gl_->materialChanged = true;
}

void GlDevice::setTexture(TextureHandle texture) { gl_->texture = texture; }

void GlDevice::drawSubset(MeshHandle mesh, int subset) {
    if (mesh == 0 || mesh > gl_->meshes.size()) return;
    const GpuMesh& gpu = gl_->meshes[mesh - 1];
    if (subset < 0 || static_cast<size_t>(subset) >= gpu.subsets.size()) return;
    const gfx::Subset& range = gpu.subsets[static_cast<size_t>(subset)];
    if (range.indexCount == 0) return;

    glUseProgram(gl_->sceneProgram);
    // Uniforms live in the program, so whatever changed since its last draw is sent now.
    gl_->uploadSceneState();
    glUniform1i(gl_->scene.hasNormals, gpu.hasNormals ? 1 : 0);
    glUniform1i(gl_->scene.vertexDiffuse, gpu.hasColors ? 1 : 0);
    gl_->bindTexture(gl_->scene.textured);
    const bool diffuseOpaque = gpu.hasColors ? gpu.colorsOpaque : gl_->material.diffuse.a >= 1.0f;
    gl_->blendFor(diffuseOpaque && gl_->textureOpaque());
    glBindVertexArray(gpu.vertexArray);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(range.indexCount), GL_UNSIGNED_INT,
                   reinterpret_cast<void*>(size_t{range.firstIndex} * sizeof(uint32_t)));
    glBindVertexArray(0);
}

TextureHandle GlDevice::createTexture(const gfx::Image& image) {
    if (!isTextureImage(image)) return 0;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (image.width > maxSize || image.height > maxSize) return 0;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Rows go up top first, so texture coordinate v = 0 is the picture's top row.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.width, image.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, image.rgba.data());
    // The original device's sampler defaults: point filtering, no mipmaps, wrap addressing.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &texture);
        return 0;
    }
    bool opaque = true;
    for (size_t i = 3; i < image.rgba.size() && opaque; i += 4) opaque = image.rgba[i] == 255;
    gl_->textures.push_back(texture);
    gl_->texturesOpaque.push_back(opaque);
    return static_cast<TextureHandle>(gl_->textures.size());
}

MeshHandle GlDevice::createMesh(const gfx::MeshData& data) {
    if (!isDrawableMesh(data) || data.vertices.empty()) return 0;
    GpuMesh mesh;
    mesh.subsets = data.subsets;
    mesh.hasNormals = data.hasNormals;
    mesh.hasColors = data.hasColors;
    for (const gfx::Vertex& vertex : data.vertices) {
        if (data.hasColors && (vertex.colorArgb >> 24) != 0xFF) mesh.colorsOpaque = false;
    }
    glGenVertexArrays(1, &mesh.vertexArray);
    glGenBuffers(1, &mesh.vertexBuffer);
    glGenBuffers(1, &mesh.indexBuffer);
    glBindVertexArray(mesh.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, mesh.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(data.vertices.size() * sizeof(gfx::Vertex)),
                 data.vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(data.indices.size() * sizeof(uint32_t)),
                 data.indices.data(), GL_STATIC_DRAW);
    constexpr GLsizei stride = sizeof(gfx::Vertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(gfx::Vertex, position)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(gfx::Vertex, normal)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(gfx::Vertex, u)));
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<void*>(offsetof(gfx::Vertex, colorArgb)));
    glBindVertexArray(0);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteVertexArrays(1, &mesh.vertexArray);
        glDeleteBuffers(1, &mesh.vertexBuffer);
        glDeleteBuffers(1, &mesh.indexBuffer);
        return 0;
    }
    gl_->meshes.push_back(std::move(mesh));
    return static_cast<MeshHandle>(gl_->meshes.size());
}

void GlDevice::drawScreenFan(std::span<const ScreenVertex> vertices) {
    if (vertices.size() < 3) return;
    glUseProgram(gl_->screenProgram);
    gl_->bindTexture(gl_->screenTextured);
    bool colorsOpaque = true;
    for (const ScreenVertex& vertex : vertices) colorsOpaque &= (vertex.color >> 24) == 0xFF;
    gl_->blendFor(colorsOpaque && gl_->textureOpaque());
    glBindVertexArray(gl_->screenVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, gl_->screenVertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size_bytes()), vertices.data(),
                 GL_STREAM_DRAW);
    // The smooth HUD's sampler is bound for this draw alone, so meshes, text and the frame's own
    // copies never see it.
    const bool smooth = gl_->smoothHudNow();
    if (smooth) glBindSampler(0, gl_->hudSampler);
    glDrawArrays(GL_TRIANGLE_FAN, 0, static_cast<GLsizei>(vertices.size()));
    if (smooth) glBindSampler(0, 0);
    glBindVertexArray(0);
}

FontHandle GlDevice::createFont(int height, int width) {
    if (height <= 0 || width < 0) return 0;
    const FontHandle font = addFont(gfx::createFont(height, width));
    gl_->scaledFonts.remember(font, height, width);
    return font;
}

FontHandle GlDevice::addFont(std::unique_ptr<gfx::Font> font) {
    return gl_->text->addFont(std::move(font));
}

void GlDevice::drawText(FontHandle font, std::string_view shiftJisText, int x, int y,
                        uint32_t argb) {
    gl_->setBlending(true);  // text always blends its coverage, as the font object set it up
    if (gl_->frameScale.isOne()) {
        gl_->text->draw(font, shiftJisText, x, y, argb);
    } else {
        gl_->text->draw(gl_->scaledFonts.at(font, gl_->frameScale, *gl_->text), shiftJisText, x, y,
                        argb, gl_->frameScale);
    }
}

std::optional<gfx::Image> GlDevice::readFrame() {
    gfx::Image image = gl_->frame->readColor();
    gl_->frame->bind();
    return image;
}

std::vector<float> GlDevice::readDepth() {
    std::vector<float> depth = gl_->frame->readDepth();
    gl_->frame->bind();
    return depth;
}

}  // namespace darts::render
