// The data objects of a .x file as a tree, before any template is interpreted: each object keeps
// its member values as one flat run of numbers (list boundaries and separators dropped, as the
// binary encoding may split lists anywhere), its strings, and its children in file order.
// Internal to the .x loader.
#pragma once

#include <string>
#include <vector>

#include "gfx/xfile_tokens.h"

namespace darts::gfx::xfile {

struct Scalar {
    double value;
    bool integral;  // written as an integer (text) or carried by an integer token (binary)
};

struct DataObject {
    std::string type;  // template name; empty for a reference
    std::string name;  // object name, or the referenced name for a reference
    bool isReference = false;
    std::vector<Scalar> values;
    std::vector<std::string> strings;
    std::vector<DataObject> children;
};

// Reads every top-level data object, skipping template declarations. Throws FormatError.
std::vector<DataObject> parseDataObjects(TokenSource& tokens);

}  // namespace darts::gfx::xfile
