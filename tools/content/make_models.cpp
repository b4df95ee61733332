// Writes the match scene's four models and their textures into the data folder:
//
//   cmake --build build --target models      (or: build/tools/content/make-models data)
//
// data/Board.x, data/darts.x, data/hand.x and data/room.x with the PNG and JPEG files their
// materials name. The output is committed; run this again after changing a models_*.cpp file.
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <string>

#include "models_parts.h"
#include "models_xwriter.h"

namespace {

using namespace darts::content;

bool writeModel(const Model& model, const std::string& folder, const char* file, const char* what) {
    std::string path = folder + "/" + file;
    if (!writeXFile(model, what, path)) {
        std::fprintf(stderr, "make-models: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%-10s %6zu triangles, %2zu materials\n", file, model.triangleCount(),
                model.materials.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-models DATA_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = writeModel(buildBoard(), folder, "Board.x", "The dartboard in its cabinet.") &&
              writeModel(buildDart(), folder, "darts.x", "A steel-tip dart.") &&
              writeModel(buildHand(), folder, "hand.x", "The thrower's right hand.") &&
              writeModel(buildRoom(), folder, "room.x", "The darts bar.") &&
              paintBoardTextures(folder) && paintDartTextures(folder) &&
              paintHandTextures(folder) && paintRoomTextures(folder);
    // Release Cairo's and fontconfig's caches so that leak checkers see a clean exit.
    cairo_debug_reset_static_data();
    FcFini();
    if (!ok) {
        std::fprintf(stderr, "make-models: failed writing into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
