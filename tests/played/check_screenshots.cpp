// Finds the screens of a played run in its screenshots, in order: the title with the highlight
// band on the first menu item, the darts bar with an opponent's portrait in its frame, the match
// with its score table, and the board close up in the landing view. Prints what it measured and
// exits 1 when a screen is missing.
//
//   check_screenshots FILE.png...          (in the order the frames were presented)
//   check_screenshots --scores FILE.png... (every measure of every picture, for tuning)
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gfx/image.h"
#include "gfx/resources.h"

namespace {

using darts::gfx::Image;

struct Rect {
    int left, top, right, bottom;
};

double luminance(const Image& image, int x, int y) {
    const uint8_t* p = &image.rgba[(size_t(y) * size_t(image.width) + size_t(x)) * 4];
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
}

// How much yellower than blue a region is on average: the highlight band is a yellow gradient.
double yellowness(const Image& image, Rect r) {
    double sum = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const uint8_t* p = &image.rgba[(size_t(y) * size_t(image.width) + size_t(x)) * 4];
            sum += (p[0] + p[1]) / 2.0 - p[2];
        }
    }
    return sum / double((r.right - r.left) * (r.bottom - r.top));
}

// Correlation of the brightness of a region with a bitmap stretched over it: near 1 when the
// bitmap is drawn there, whatever its transparency and brightness.
double correlation(const Image& frame, Rect r, const Image& bitmap) {
    std::vector<double> a, b;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const int u = int((x - r.left + 0.5) * bitmap.width / (r.right - r.left));
            const int v = int((y - r.top + 0.5) * bitmap.height / (r.bottom - r.top));
            a.push_back(luminance(frame, x, y));
            b.push_back(luminance(bitmap, u, v));
        }
    }
    const double n = double(a.size());
    double ma = 0, mb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        ma += a[i];
        mb += b[i];
    }
    ma /= n;
    mb /= n;
    double sab = 0, saa = 0, sbb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        sab += (a[i] - ma) * (b[i] - mb);
        saa += (a[i] - ma) * (a[i] - ma);
        sbb += (b[i] - mb) * (b[i] - mb);
    }
    return saa > 0 && sbb > 0 ? sab / std::sqrt(saa * sbb) : 0;
}

// Share of a region's pixels in the board's green.
double greenShare(const Image& image, Rect r) {
    int green = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const uint8_t* p = &image.rgba[(size_t(y) * size_t(image.width) + size_t(x)) * 4];
            green += p[1] > 90 && p[1] > p[0] + 40 && p[1] > p[2] + 30;
        }
    }
    return double(green) / double((r.right - r.left) * (r.bottom - r.top));
}

Image bitmap(const char* name) {
    std::optional<Image> image = darts::gfx::loadBitmapResource(name);
    if (!image) {
        std::fprintf(stderr, "no embedded bitmap %s\n", name);
        std::exit(2);
    }
    return *image;
}

struct Screen {
    const char* name;
    std::function<double(const Image&)> score;
    double threshold;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<Image> portraits;
    for (const char* name : {"C1", "C2", "C3", "C4", "C5", "C6", "C7", "C8"}) {
        portraits.push_back(bitmap(name));
    }
    const Image scoreTable = bitmap("POINTTABLE");

    // Thresholds sit between what each measure gives on its own screen and on every other screen
    // of a run (title band 58 against at most 22; portrait 0.93 against 0.17; score table 0.73 to
    // 0.77 in the match against 0.56 on the darts bar; green share 0.08 close up against 0.03).
    const Screen screens[] = {
        {"title with the first item highlighted",
         [](const Image& f) {
             return yellowness(f, {290, 420, 510, 450}) - yellowness(f, {290, 460, 510, 490});
         },
         40},
        {"darts bar with a portrait",
         [&](const Image& f) {
             double best = 0;
             for (const Image& p : portraits)
                 best = std::max(best, correlation(f, {70, 200, 260, 450}, p));
             return best;
         },
         0.8},
        {"match with the score table",
         [&](const Image& f) {
             return correlation(f, {510, 0, 800, 80}, scoreTable);
         },
         0.68},
        {"board in the landing view",
         [](const Image& f) {
             return greenShare(f, {200, 0, 600, 300});
         },
         0.05},
    };

    if (argc > 1 && std::string(argv[1]) == "--scores") {
        for (int i = 2; i < argc; ++i) {
            const std::optional<Image> frame = darts::gfx::decodeImageFile(argv[i]);
            if (!frame || frame->width != 800 || frame->height != 600) continue;
            std::printf("%s", argv[i]);
            for (const Screen& screen : screens) std::printf(" %8.3f", screen.score(*frame));
            std::printf("\n");
        }
        return 0;
    }

    size_t next = 0;  // the screen looked for
    std::vector<double> best(std::size(screens), -1e9);
    for (int i = 1; i < argc && next < std::size(screens); ++i) {
        const std::optional<Image> frame = darts::gfx::decodeImageFile(argv[i]);
        if (!frame || frame->width != 800 || frame->height != 600) {
            std::fprintf(stderr, "%s: not an 800 x 600 picture\n", argv[i]);
            return 1;
        }
        // A screen may be found in the same picture as the one before it only if it is not the
        // first: the title must be the very first picture.
        while (next < std::size(screens)) {
            const double score = screens[next].score(*frame);
            best[next] = std::max(best[next], score);
            if (score < screens[next].threshold) break;
            std::printf("%s: %s (%.3f)\n", argv[i], screens[next].name, score);
            ++next;
            break;
        }
        if (next == 0) {
            std::fprintf(stderr, "%s: the first picture is not the title\n", argv[i]);
            return 1;
        }
    }
    if (next == std::size(screens)) return 0;
    std::fprintf(stderr, "not found: %s (best %.3f, needs %.3f)\n", screens[next].name, best[next],
                 screens[next].threshold);
    return 1;
}
