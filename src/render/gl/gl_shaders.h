// The device's shader programs: lit meshes, pre-transformed 2D fans, and text from a glyph atlas.
// Internal to the OpenGL device; GL object names are plain unsigned integers here so that the
// header needs no GL header.
#pragma once

#include <string>

namespace darts::render::gl {

extern const char* const kSceneVertexShader;
extern const char* const kScreenVertexShader;
extern const char* const kStageFragmentShader;
extern const char* const kTextVertexShader;
extern const char* const kTextFragmentShader;

// Compiles and links a program; 0 with a one-line reason in `error` on failure.
unsigned buildProgram(const char* vertexSource, const char* fragmentSource, std::string& error);

}  // namespace darts::render::gl
