// Parts of a painted bust portrait: head, features, neck and shoulders. The portraits of the
// eight characters put these together with their own hair, clothes and backgrounds.
#pragma once

#include <cairo.h>

#include <cstdint>

namespace darts::content::bitmaps {

// The head's frame: the eye line at cy, the face `halfWidth` wide either side, the chin `length`
// below the eye line and the crown of the skull `length` above it.
struct Head {
    double cx = 121, cy = 122, halfWidth = 44, length = 60;
    double jaw = 0.5;  // 0 narrow and pointed .. 1 broad and square
};

enum class EyeStyle { Open, Smiling, Narrow, Wide };
enum class MouthStyle { Smile, Grin, Neutral, Smirk, Laugh };

struct Features {
    uint32_t skin = 0xF2C7A5;
    uint32_t skinShadow = 0xD39A78;
    uint32_t iris = 0x3A2414;
    EyeStyle eyes = EyeStyle::Open;
    bool lashes = false;
    uint32_t brow = 0x2A1A10;
    double browThickness = 4;
    double browTilt = 0;  // positive raises the outer ends
    MouthStyle mouth = MouthStyle::Smile;
    uint32_t lips = 0xB86A5A;
    double blush = 0.12;  // cheek colour, 0 .. 0.6 (flushed)
    double age = 0;       // 0 .. 1: lines at the eyes, the mouth and the forehead
};

void drawNeck(cairo_t* cr, const Head& head, const Features& f, double width);
void drawEars(cairo_t* cr, const Head& head, const Features& f);
// The face's outline as a path (not filled).
void facePath(cairo_t* cr, const Head& head);
// Skin, shading, eyes, brows, nose, mouth and cheeks.
void drawFace(cairo_t* cr, const Head& head, const Features& f);
void drawGlasses(cairo_t* cr, const Head& head, uint32_t frame, bool round);
void drawMoustache(cairo_t* cr, const Head& head, uint32_t colour);
void drawStubble(cairo_t* cr, const Head& head, uint32_t colour, double alpha);

// Shoulders and chest from the base of the neck down to the bottom of a 280-pixel portrait, as
// a path; `slope` is how far the shoulders fall.
void shouldersPath(cairo_t* cr, double cx, double neckY, double neckHalf, double halfWidth,
                   double slope, double bottom);

}  // namespace darts::content::bitmaps
