// The sharp picture: the frame drawn directly at the size it is shown on the window instead of at
// 800 x 600 and magnified afterwards. Everything the game places in pixels of the 800 x 600 frame
// (the scene's viewport, 2D quads and lines, text) keeps its place and grows by the same factor;
// these are the few numbers that needs, kept apart from OpenGL so they can be checked on their own.
#pragma once

namespace darts::render {

// Pixels of the drawn frame per pixel of the 800 x 600 frame, across and down (they differ only
// when the picture is stretched).
struct FrameScale {
    double x = 1.0, y = 1.0;
    bool isOne() const { return x == 1.0 && y == 1.0; }
};

struct FrameSize {
    int width = 0, height = 0;
};

// The size the sharp frame is drawn at on a window's picture of the given size: the area the
// 800 x 600 frame would cover there (see placeFrame), so that it is shown by a plain copy. Shrunk
// with its shape kept when a side would pass `maxSide` (the driver's largest buffer); empty when
// the picture has no area.
FrameSize sharpFrameSize(int pictureWidth, int pictureHeight, bool stretch, int maxSide);

// The factor a frame of this size is drawn at.
FrameScale frameScaleOf(FrameSize size);

// A pixel edge of the 800 x 600 frame (a whole pixel coordinate: where a glyph cell or a pen
// starts) on the grid of a frame drawn at `scale`: the nearest whole pixel there, so that bitmaps
// drawn from it meet the frame's pixels one to one.
int scaledEdge(int framePixel, double scale);

// A pixel edge of the frame drawn at `scale`, written as the coordinate of the 800 x 600 frame
// that the screen shaders take (they add 63/128 of a pixel before mapping 800 x 600 onto the
// frame): the shader's result lies exactly on that edge.
float shaderCoordinateOf(double scaledPixel, double scale);

// A font's cell height or character width at `scale`; 0 (the face's own width) stays 0 and any
// other size stays at least one pixel.
int scaledFontSize(int size, double scale);

}  // namespace darts::render
