// Bringing a picture drawn larger back to the 800 x 600 frame's size, and how far two pictures
// differ: the sharp picture is judged against the ordinary frame this way.
#pragma once

#include "gfx/image.h"

namespace darts::render {

// The picture averaged down to width x height: every target pixel is the mean of the source area
// it covers, fractions of source pixels weighted by how much of them it covers (a box filter that
// works at factors that are not whole numbers). Empty when either size is empty, the source is
// inconsistent or the target is larger than the source.
gfx::Image reduceByArea(const gfx::Image& source, int width, int height);

// The mean absolute difference of the red, green and blue channels, 0..255; negative when the
// pictures differ in size or are inconsistent.
double meanAbsoluteDifference(const gfx::Image& a, const gfx::Image& b);

}  // namespace darts::render
