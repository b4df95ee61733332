#include "render/frame_placement.h"

#include <algorithm>
#include <cstdint>

namespace darts::render {

FramePlacement placeFrame(int frameWidth, int frameHeight, int pictureWidth, int pictureHeight,
                          bool stretch) {
    FramePlacement placement;
    if (frameWidth <= 0 || frameHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        placement.prescale = 1;
        return placement;
    }
    if (stretch) {
        placement.width = pictureWidth;
        placement.height = pictureHeight;
    } else if (int64_t(pictureWidth) * frameHeight <= int64_t(pictureHeight) * frameWidth) {
        // Narrower than 4:3 (or exactly it): full width, bars above and below.
        placement.width = pictureWidth;
        placement.height = int(int64_t(pictureWidth) * frameHeight / frameWidth);
    } else {
        placement.height = pictureHeight;
        placement.width = int(int64_t(pictureHeight) * frameWidth / frameHeight);
    }
    placement.x = (pictureWidth - placement.width) / 2;
    placement.y = (pictureHeight - placement.height) / 2;
    placement.prescale =
        std::max(1, std::min(placement.width / frameWidth, placement.height / frameHeight));
    return placement;
}

}  // namespace darts::render
