// Where the 800 x 600 frame goes on a window's picture of any size, and how it is scaled there.
// Kept apart from the OpenGL code so that the arithmetic can be checked on its own.
#pragma once

namespace darts::render {

struct FramePlacement {
    // The area of the window's picture the frame covers, in pixels from the bottom-left corner
    // (OpenGL's window coordinates); the rest of the picture is black.
    int x = 0, y = 0, width = 0, height = 0;
    // The frame is first enlarged by this whole factor with nearest sampling (1: not at all), then
    // brought to the area's size in one linear step. At a whole factor that step is a plain copy,
    // and otherwise it blurs by less than one source pixel with no uneven columns.
    int prescale = 1;
};

// `stretch` fills the whole picture (as a monitor stretching an 800 x 600 mode would); otherwise
// the frame keeps its shape at the largest size that fits, centred. A picture with no area gives
// an empty placement.
FramePlacement placeFrame(int frameWidth, int frameHeight, int pictureWidth, int pictureHeight,
                          bool stretch);

}  // namespace darts::render
