#include "render/frame_reduction.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace darts::render {

namespace {

bool consistent(const gfx::Image& image) {
    return image.width > 0 && image.height > 0 &&
           image.rgba.size() == size_t(image.width) * size_t(image.height) * 4;
}

// For each target cell along one axis, the source cells it covers and how much of each.
struct Span {
    int first = 0;
    std::vector<double> weights;  // summing to 1
};

std::vector<Span> spans(int sourceLength, int targetLength) {
    std::vector<Span> result(static_cast<size_t>(targetLength));
    const double step = double(sourceLength) / targetLength;
    for (int t = 0; t < targetLength; ++t) {
        const double begin = t * step, end = (t + 1) * step;
        Span& span = result[size_t(t)];
        span.first = int(std::floor(begin));
        for (int s = span.first; s < sourceLength && s < end; ++s) {
            const double covered = std::min(end, double(s + 1)) - std::max(begin, double(s));
            span.weights.push_back(covered / step);
        }
    }
    return result;
}

}  // namespace

gfx::Image reduceByArea(const gfx::Image& source, int width, int height) {
    if (!consistent(source) || width <= 0 || height <= 0 || width > source.width ||
        height > source.height) {
        return {};
    }
    const std::vector<Span> across = spans(source.width, width);
    const std::vector<Span> down = spans(source.height, height);
    // Rows first, into doubles, then columns.
    std::vector<double> rows(size_t(source.height) * width * 4, 0.0);
    for (int y = 0; y < source.height; ++y) {
        const uint8_t* in = &source.rgba[size_t(y) * source.width * 4];
        double* out = &rows[size_t(y) * width * 4];
        for (int x = 0; x < width; ++x) {
            const Span& span = across[size_t(x)];
            for (size_t i = 0; i < span.weights.size(); ++i) {
                const uint8_t* p = in + (size_t(span.first) + i) * 4;
                for (int c = 0; c < 4; ++c) out[x * 4 + c] += span.weights[i] * p[c];
            }
        }
    }
    gfx::Image reduced{width, height, std::vector<uint8_t>(size_t(width) * height * 4)};
    for (int y = 0; y < height; ++y) {
        const Span& span = down[size_t(y)];
        for (int x = 0; x < width * 4; ++x) {
            double sum = 0.0;
            for (size_t i = 0; i < span.weights.size(); ++i) {
                sum += span.weights[i] * rows[(size_t(span.first) + i) * width * 4 + x];
            }
            reduced.rgba[size_t(y) * width * 4 + x] =
                uint8_t(std::clamp(std::lround(sum), 0L, 255L));
        }
    }
    return reduced;
}

double meanAbsoluteDifference(const gfx::Image& a, const gfx::Image& b) {
    if (!consistent(a) || !consistent(b) || a.width != b.width || a.height != b.height) return -1;
    uint64_t total = 0;
    for (size_t i = 0; i < a.rgba.size(); i += 4) {
        for (size_t c = 0; c < 3; ++c) total += uint64_t(std::abs(a.rgba[i + c] - b.rgba[i + c]));
    }
    return double(total) / (double(a.rgba.size()) / 4.0 * 3.0);
}

}  // namespace darts::render
