// Painting the models' textures: a Cairo surface to draw on, direct pixel access for the
// procedural patterns (wood, fibre, plaster), and writers for PNG (libpng) and JPEG (libjpeg).
// Everything random here comes from a hash of the pixel position, so the files come out the same
// on every run.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

namespace darts::content {

struct Colour {
    float r, g, b, a = 1.0f;
};

Colour mix(Colour a, Colour b, float t);
Colour shade(Colour c, float factor);  // multiplies r, g, b

// A repeatable pseudo-random value in [0, 1) for integer coordinates and a seed.
float hash01(int x, int y, uint32_t seed);
// Smooth value noise in [0, 1), repeating every `period` units in x and y (0: no repeat).
float valueNoise(float x, float y, uint32_t seed, int period = 0);
// Several octaves of value noise, in [0, 1).
float fractalNoise(float x, float y, uint32_t seed, int octaves, int period = 0);

class Canvas {
  public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    cairo_t* cr() { return cr_; }

    // Replaces every pixel by f(x, y, its current colour): the procedural patterns.
    void paintPixels(const std::function<Colour(int x, int y, Colour old)>& f);
    Colour pixel(int x, int y);
    void fill(Colour c);

    // Text in UTF-8, drawn with a fontconfig family name ("IPAGothic" for Japanese), centred on
    // (x, baseline y) when `centred`, else starting at x.
    void text(const std::string& utf8, const char* family, bool bold, double size, double x,
              double y, Colour c, bool centred = true);
    double textWidth(const std::string& utf8, const char* family, bool bold, double size);
    void rectangle(double x, double y, double w, double h, Colour c);
    void line(double x0, double y0, double x1, double y1, double width, Colour c);

    bool writePng(const std::string& path);
    bool writeJpeg(const std::string& path, int quality = 90);

  private:
    void setSource(Colour c);
    int width_, height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

}  // namespace darts::content
