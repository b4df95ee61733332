// Interprets the data-object tree of a .x file (frames, meshes and their normals, texture
// coordinates, vertex colours and materials) and merges every mesh into one. Internal to the .x
// loader.
#pragma once

#include <vector>

#include "gfx/xfile.h"
#include "gfx/xfile_tree.h"

namespace darts::gfx::xfile {

// Throws FormatError when the objects do not describe a usable mesh.
MeshData buildMesh(const std::vector<DataObject>& topLevel);

}  // namespace darts::gfx::xfile
