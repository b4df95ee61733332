// Drawing support shared by the painters: a Cairo surface of a given size, colours, gradients,
// rounded shapes, lettering through Pango (Japanese in IPAGothic) and a repeatable random source
// for scattered detail.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "bitmaps_raster.h"

namespace darts::content::bitmaps {

// An ARGB drawing surface with its context; starts fully transparent.
class Canvas {
  public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The finished pixels, alpha straightened.
    Raster raster() const;

  private:
    int width_, height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// A surface holding a copy of a raster, for painting one picture into another; caller destroys.
cairo_surface_t* surfaceFromRaster(const Raster& picture);

// 0xRRGGBB colours.
void setColour(cairo_t* cr, uint32_t rgb, double alpha = 1.0);

struct ColourStop {
    double offset;
    uint32_t rgb;
    double alpha = 1.0;
};
// Sets a gradient as the source; the pattern is owned by the context afterwards.
void setLinearGradient(cairo_t* cr, double x0, double y0, double x1, double y1,
                       std::initializer_list<ColourStop> stops);
void setRadialGradient(cairo_t* cr, double cx, double cy, double r0, double r1,
                       std::initializer_list<ColourStop> stops);
// Same as above with separate inner and outer centres (for off-centre highlights).
void setRadialGradient(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1,
                       double r1, std::initializer_list<ColourStop> stops);

void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius);
void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
// A soft round light: a radial fade from the colour at the centre to nothing at the radius.
void softLight(cairo_t* cr, double cx, double cy, double radius, uint32_t rgb, double alpha);

struct Lettering {
    std::string family = "IPAGothic";
    double pixelSize = 16;
    bool bold = false;
    double letterSpacing = 0;  // extra pixels between characters
};

struct TextSize {
    double width = 0;   // advance width of the line
    double height = 0;  // ink height
    double inkTop = 0;  // from the logical top down to the first inked row
};

TextSize measureText(cairo_t* cr, const std::string& utf8, const Lettering& font);
// Adds the outline of one line of text to the path so that its advance box is centred on cx and
// its ink is centred on cy.
void textPathCentred(cairo_t* cr, const std::string& utf8, const Lettering& font, double cx,
                     double cy);
// The same with the left edge at x and the ink's vertical centre at cy.
void textPathLeft(cairo_t* cr, const std::string& utf8, const Lettering& font, double x, double cy);

// Fills the current path with a dark rim of the given width under it; the path is consumed.
void fillWithOutline(cairo_t* cr, uint32_t fill, uint32_t outline, double outlineWidth,
                     double outlineAlpha = 1.0);
// A glow around the current path (kept): widening strokes of fading colour.
void glowPath(cairo_t* cr, uint32_t rgb, double radius, double alpha);

// A small deterministic generator, so every run paints the same pictures.
class Random {
  public:
    explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    double uniform(double low, double high);
    int below(int n);  // 0 .. n-1

  private:
    uint32_t next();
    uint32_t state_;
};

}  // namespace darts::content::bitmaps
