// Compares sharp screenshots with ordinary ones of the same frames: each sharp picture is averaged
// down to the ordinary one's size and the mean absolute difference of the colour channels (0..255)
// is printed. Exits 1 when a pair differs by more than LIMIT or a picture cannot be read.
//
//   compare_sharp_frames LIMIT ORDINARY.png SHARP.png [ORDINARY.png SHARP.png]...
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gfx/image.h"
#include "render/frame_reduction.h"

int main(int argc, char** argv) {
    if (argc < 4 || (argc - 2) % 2 != 0) {
        std::fprintf(stderr, "usage: %s LIMIT ORDINARY.png SHARP.png...\n", argv[0]);
        return 2;
    }
    const double limit = std::strtod(argv[1], nullptr);
    bool allClose = true;
    for (int i = 2; i + 1 < argc; i += 2) {
        const auto ordinary = darts::gfx::decodeImageFile(argv[i]);
        const auto sharp = darts::gfx::decodeImageFile(argv[i + 1]);
        if (!ordinary || !sharp) {
            std::fprintf(stderr, "cannot read '%s' or '%s'\n", argv[i], argv[i + 1]);
            return 1;
        }
        const darts::gfx::Image reduced =
            darts::render::reduceByArea(*sharp, ordinary->width, ordinary->height);
        const double difference = darts::render::meanAbsoluteDifference(reduced, *ordinary);
        const bool close = difference >= 0 && difference <= limit;
        std::printf("%s: %d x %d reduced to %d x %d, mean absolute difference %.3f%s\n",
                    argv[i + 1], sharp->width, sharp->height, ordinary->width, ordinary->height,
                    difference, close ? "" : "  (too far)");
        allClose &= close;
    }
    return allClose ? 0 : 1;
}
