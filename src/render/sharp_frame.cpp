#include "render/sharp_frame.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "render/device.h"
#include "render/frame_placement.h"

namespace darts::render {

FrameSize sharpFrameSize(int pictureWidth, int pictureHeight, bool stretch, int maxSide) {
    const FramePlacement at =
        placeFrame(kFrameWidth, kFrameHeight, pictureWidth, pictureHeight, stretch);
    FrameSize size{at.width, at.height};
    if (size.width <= 0 || size.height <= 0 || maxSide <= 0) return {};
    const int largest = std::max(size.width, size.height);
    if (largest > maxSide) {
        size.width = std::max(1, int(int64_t(size.width) * maxSide / largest));
        size.height = std::max(1, int(int64_t(size.height) * maxSide / largest));
    }
    return size;
}

FrameScale frameScaleOf(FrameSize size) {
    return {double(size.width) / kFrameWidth, double(size.height) / kFrameHeight};
}

int scaledEdge(int framePixel, double scale) { return int(std::lround(framePixel * scale)); }

float shaderCoordinateOf(double scaledPixel, double scale) {
    constexpr double kShaderShift = 63.0 / 128.0;
    return float(scaledPixel / scale - kShaderShift);
}

int scaledFontSize(int size, double scale) {
    if (size <= 0) return size;
    return std::max(1, int(std::lround(size * scale)));
}

}  // namespace darts::render
