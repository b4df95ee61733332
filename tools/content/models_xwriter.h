// Writes a Model as a text .x file ("xof 0303txt 0032"): the materials once at the top, then one
// Frame per part (with its FrameTransformMatrix when it has one) holding a Mesh with normals,
// texture coordinates and a material list that refers to the shared materials by name.
#pragma once

#include <string>

#include "models_mesh.h"

namespace darts::content {

std::string xFileText(const Model& model, const std::string& comment);

// Writes the text to `path`; false when the file cannot be written.
bool writeXFile(const Model& model, const std::string& comment, const std::string& path);

}  // namespace darts::content
