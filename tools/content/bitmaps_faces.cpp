#include "bitmaps_faces.h"

#include <cmath>

#include "bitmaps_canvas.h"

namespace darts::content::bitmaps {

void facePath(cairo_t* cr, const Head& h) {
    const double w = h.halfWidth, l = h.length, cx = h.cx, cy = h.cy;
    const double chinHalf = w * (0.18 + 0.32 * h.jaw);
    cairo_new_path(cr);
    cairo_move_to(cr, cx - w, cy - l * 0.1);
    // Forehead and crown.
    cairo_curve_to(cr, cx - w, cy - l * 1.05, cx + w, cy - l * 1.05, cx + w, cy - l * 0.1);
    // Cheek, jaw and chin.
    cairo_curve_to(cr, cx + w * 1.02, cy + l * 0.45, cx + chinHalf + w * 0.25, cy + l * 0.92,
                   cx + chinHalf * 0.5, cy + l);
    cairo_curve_to(cr, cx + chinHalf * 0.2, cy + l * 1.02, cx - chinHalf * 0.2, cy + l * 1.02,
                   cx - chinHalf * 0.5, cy + l);
    cairo_curve_to(cr, cx - chinHalf - w * 0.25, cy + l * 0.92, cx - w * 1.02, cy + l * 0.45,
                   cx - w, cy - l * 0.1);
    cairo_close_path(cr);
}

void drawNeck(cairo_t* cr, const Head& h, const Features& f, double width) {
    const double top = h.cy + h.length * 0.5, bottom = h.cy + h.length * 1.55;
    setLinearGradient(cr, h.cx - width, 0, h.cx + width, 0,
                      {{0, f.skinShadow}, {0.5, f.skin}, {1, f.skinShadow}});
    cairo_rectangle(cr, h.cx - width, top, 2 * width, bottom - top);
    cairo_fill(cr);
    // The chin's shadow on the neck.
    setLinearGradient(cr, 0, h.cy + h.length * 0.9, 0, h.cy + h.length * 1.25,
                      {{0, f.skinShadow, 0.9}, {1, f.skinShadow, 0}});
    cairo_rectangle(cr, h.cx - width, h.cy + h.length * 0.9, 2 * width, h.length * 0.35);
    cairo_fill(cr);
}

void drawEars(cairo_t* cr, const Head& h, const Features& f) {
    for (double side : {-1.0, 1.0}) {
        const double x = h.cx + side * (h.halfWidth + 1), y = h.cy + h.length * 0.12;
        ellipse(cr, x, y, h.halfWidth * 0.16, h.length * 0.2);
        setColour(cr, f.skin);
        cairo_fill_preserve(cr);
        setColour(cr, f.skinShadow);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        ellipse(cr, x + side * 1, y, h.halfWidth * 0.07, h.length * 0.11);
        setColour(cr, f.skinShadow, 0.7);
        cairo_fill(cr);
    }
}

namespace {

void drawEye(cairo_t* cr, double x, double y, double side, const Head& h, const Features& f) {
    const double w = h.halfWidth * 0.25, ht = h.length * 0.085;
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (f.eyes == EyeStyle::Smiling) {
        // Closed in a laugh: an upturned arc.
        cairo_set_line_width(cr, 3);
        setColour(cr, 0x2A1810);
        cairo_move_to(cr, x - w, y + 1);
        cairo_curve_to(cr, x - w * 0.5, y - ht * 1.4, x + w * 0.5, y - ht * 1.4, x + w, y + 1);
        cairo_stroke(cr);
        cairo_restore(cr);
        return;
    }
    const double open = f.eyes == EyeStyle::Narrow ? 0.55 : (f.eyes == EyeStyle::Wide ? 1.25 : 1.0);
    // The white of the eye.
    cairo_new_path(cr);
    cairo_move_to(cr, x - w, y);
    cairo_curve_to(cr, x - w * 0.5, y - ht * 1.5 * open, x + w * 0.5, y - ht * 1.5 * open, x + w,
                   y - side * 0 - 1);
    cairo_curve_to(cr, x + w * 0.5, y + ht * 1.1 * open, x - w * 0.5, y + ht * 1.1 * open, x - w,
                   y);
    cairo_close_path(cr);
    setColour(cr, 0xFBF8F4);
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    // Iris, pupil and a catch light.
    const double r = ht * 1.25 * std::max(open, 0.8);
    setRadialGradient(cr, x, y - ht * 0.1, r * 0.2, r,
                      {{0, f.iris, 1}, {0.75, f.iris, 1}, {1, 0x101010, 1}});
    cairo_arc(cr, x, y - ht * 0.1, r, 0, 2 * M_PI);
    cairo_fill(cr);
    setColour(cr, 0x080808);
    cairo_arc(cr, x, y - ht * 0.1, r * 0.45, 0, 2 * M_PI);
    cairo_fill(cr);
    setColour(cr, 0xFFFFFF, 0.95);
    cairo_arc(cr, x - r * 0.35, y - r * 0.45, r * 0.28, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_reset_clip(cr);
    // Upper lid.
    cairo_set_line_width(cr, f.lashes ? 3.2 : 2.6);
    setColour(cr, 0x1E120C);
    cairo_move_to(cr, x - w * 1.05, y + 0.5);
    cairo_curve_to(cr, x - w * 0.5, y - ht * 1.55 * open, x + w * 0.5, y - ht * 1.55 * open,
                   x + w * 1.05, y - 1);
    cairo_stroke(cr);
    if (f.lashes) {
        const double outer = x + side * w * 1.05;
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, outer, y - 1);
        cairo_line_to(cr, outer + side * 4, y - 4);
        cairo_move_to(cr, outer - side * 3, y - ht * 0.9 * open);
        cairo_line_to(cr, outer + side * 1, y - ht * 1.2 * open - 3);
        cairo_stroke(cr);
    }
    // Lower lid, faint.
    cairo_set_line_width(cr, 1);
    setColour(cr, f.skinShadow);
    cairo_move_to(cr, x - w * 0.8, y + ht * 0.6 * open);
    cairo_curve_to(cr, x - w * 0.3, y + ht * 1.2 * open, x + w * 0.3, y + ht * 1.2 * open,
                   x + w * 0.8, y + ht * 0.6 * open);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawBrow(cairo_t* cr, double x, double y, double side, const Head& h, const Features& f) {
    const double w = h.halfWidth * 0.3;
    const double inner = x - side * w, outer = x + side * w;
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, f.browThickness);
    setColour(cr, f.brow);
    cairo_move_to(cr, inner, y + 1);
    cairo_curve_to(cr, inner + side * w * 0.6, y - 3, outer - side * w * 0.4, y - 4 - f.browTilt,
                   outer, y - f.browTilt + 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawMouth(cairo_t* cr, const Head& h, const Features& f) {
    const double x = h.cx, y = h.cy + h.length * 0.62, w = h.halfWidth * 0.36;
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const uint32_t line = 0x5A2A20;
    switch (f.mouth) {
        case MouthStyle::Neutral:
            cairo_set_line_width(cr, 2.4);
            setColour(cr, line);
            cairo_move_to(cr, x - w * 0.75, y);
            cairo_curve_to(cr, x - w * 0.2, y + 1.5, x + w * 0.2, y + 1.5, x + w * 0.75, y);
            cairo_stroke(cr);
            break;
        case MouthStyle::Smile:
            cairo_set_line_width(cr, 2.6);
            setColour(cr, line);
            cairo_move_to(cr, x - w, y - 3);
            cairo_curve_to(cr, x - w * 0.4, y + 5, x + w * 0.4, y + 5, x + w, y - 3);
            cairo_stroke(cr);
            setColour(cr, f.lips, 0.8);
            ellipse(cr, x, y + 6, w * 0.45, 2.2);
            cairo_fill(cr);
            break;
        case MouthStyle::Smirk:
            cairo_set_line_width(cr, 2.6);
            setColour(cr, line);
            cairo_move_to(cr, x - w * 0.8, y + 1);
            cairo_curve_to(cr, x - w * 0.2, y + 3, x + w * 0.5, y + 2, x + w * 0.95, y - 4);
            cairo_stroke(cr);
            break;
        case MouthStyle::Grin:
        case MouthStyle::Laugh: {
            const double depth = f.mouth == MouthStyle::Laugh ? 15 : 10;
            cairo_new_path(cr);
            cairo_move_to(cr, x - w, y - 3);
            cairo_curve_to(cr, x - w * 0.4, y + 1, x + w * 0.4, y + 1, x + w, y - 3);
            cairo_curve_to(cr, x + w * 0.6, y + depth, x - w * 0.6, y + depth, x - w, y - 3);
            cairo_close_path(cr);
            setColour(cr, 0x5A1A18);
            cairo_fill_preserve(cr);
            cairo_save(cr);
            cairo_clip(cr);
            setColour(cr, 0xFFFFFF);
            cairo_rectangle(cr, x - w, y - 6, 2 * w, 7.5);
            cairo_fill(cr);
            setColour(cr, 0xD85A60);
            ellipse(cr, x, y + depth, w * 0.5, depth * 0.45);
            cairo_fill(cr);
            cairo_restore(cr);
            cairo_set_line_width(cr, 2);
            setColour(cr, line);
            cairo_stroke(cr);
            break;
        }
    }
    cairo_restore(cr);
}

}  // namespace

void drawFace(cairo_t* cr, const Head& h, const Features& f) {
    const double w = h.halfWidth, l = h.length;
    facePath(cr, h);
    setRadialGradient(cr, h.cx - w * 0.25, h.cy - l * 0.3, w * 0.2, h.cx, h.cy, w * 1.35,
                      {{0, f.skin}, {0.65, f.skin}, {1, f.skinShadow}});
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    // Cheeks.
    if (f.blush > 0) {
        for (double side : {-1.0, 1.0}) {
            setRadialGradient(cr, h.cx + side * w * 0.55, h.cy + l * 0.3, 0, w * 0.32,
                              {{0, 0xF05050, f.blush}, {1, 0xF05050, 0}});
            cairo_arc(cr, h.cx + side * w * 0.55, h.cy + l * 0.3, w * 0.32, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
    cairo_set_line_width(cr, 1.5);
    setColour(cr, f.skinShadow);
    cairo_stroke(cr);

    const double eyeDx = w * 0.42;
    for (double side : {-1.0, 1.0}) {
        drawEye(cr, h.cx + side * eyeDx, h.cy, side, h, f);
        drawBrow(cr, h.cx + side * eyeDx, h.cy - l * 0.23, side, h, f);
    }
    // Nose: a shadow down one side and the tip.
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 2);
    setColour(cr, f.skinShadow);
    cairo_move_to(cr, h.cx + w * 0.06, h.cy + l * 0.05);
    cairo_curve_to(cr, h.cx + w * 0.1, h.cy + l * 0.2, h.cx + w * 0.16, h.cy + l * 0.3,
                   h.cx + w * 0.1, h.cy + l * 0.36);
    cairo_stroke(cr);
    cairo_move_to(cr, h.cx - w * 0.12, h.cy + l * 0.38);
    cairo_curve_to(cr, h.cx - w * 0.04, h.cy + l * 0.42, h.cx + w * 0.04, h.cy + l * 0.42,
                   h.cx + w * 0.12, h.cy + l * 0.38);
    cairo_stroke(cr);
    if (f.age > 0) {
        cairo_set_line_width(cr, 1.2);
        setColour(cr, f.skinShadow, f.age);
        for (double side : {-1.0, 1.0}) {
            // Smile lines and crow's feet.
            cairo_move_to(cr, h.cx + side * w * 0.3, h.cy + l * 0.35);
            cairo_curve_to(cr, h.cx + side * w * 0.42, h.cy + l * 0.5, h.cx + side * w * 0.42,
                           h.cy + l * 0.6, h.cx + side * w * 0.36, h.cy + l * 0.72);
            for (int i = -1; i <= 1; ++i) {
                cairo_move_to(cr, h.cx + side * w * 0.72, h.cy + i * 3);
                cairo_line_to(cr, h.cx + side * w * 0.84, h.cy + i * 5);
            }
        }
        for (int i = 0; i < 2; ++i) {
            const double y = h.cy - l * (0.42 + 0.1 * i);
            cairo_move_to(cr, h.cx - w * 0.35, y);
            cairo_curve_to(cr, h.cx - w * 0.1, y - 2, h.cx + w * 0.1, y - 2, h.cx + w * 0.35, y);
        }
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    drawMouth(cr, h, f);
}

void drawGlasses(cairo_t* cr, const Head& h, uint32_t frame, bool round) {
    const double dx = h.halfWidth * 0.42, rw = h.halfWidth * 0.33, rh = h.length * 0.16;
    cairo_save(cr);
    cairo_set_line_width(cr, 2.2);
    for (double side : {-1.0, 1.0}) {
        const double x = h.cx + side * dx, y = h.cy + 1;
        if (round) {
            ellipse(cr, x, y, rw, rh * 1.05);
        } else {
            roundedRectangle(cr, x - rw, y - rh, 2 * rw, 2 * rh, 5);
        }
        setColour(cr, 0xBFE0FF, 0.18);
        cairo_fill_preserve(cr);
        setColour(cr, frame);
        cairo_stroke(cr);
        // Glint.
        setColour(cr, 0xFFFFFF, 0.5);
        cairo_move_to(cr, x - rw * 0.5, y - rh * 0.5);
        cairo_line_to(cr, x - rw * 0.1, y - rh * 0.8);
        cairo_stroke(cr);
        // Temple arm towards the ear.
        setColour(cr, frame);
        cairo_move_to(cr, x + side * rw, y - rh * 0.3);
        cairo_line_to(cr, h.cx + side * h.halfWidth * 1.02, y - rh * 0.5);
        cairo_stroke(cr);
    }
    setColour(cr, frame);
    cairo_move_to(cr, h.cx - dx + rw, h.cy - 1);
    cairo_curve_to(cr, h.cx - 3, h.cy - 5, h.cx + 3, h.cy - 5, h.cx + dx - rw, h.cy - 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawMoustache(cairo_t* cr, const Head& h, uint32_t colour) {
    const double x = h.cx, y = h.cy + h.length * 0.5;
    cairo_new_path(cr);
    cairo_move_to(cr, x, y - 3);
    cairo_curve_to(cr, x + 8, y - 8, x + 20, y - 5, x + 25, y + 4);
    cairo_curve_to(cr, x + 18, y + 1, x + 8, y + 3, x, y + 1);
    cairo_curve_to(cr, x - 8, y + 3, x - 18, y + 1, x - 25, y + 4);
    cairo_curve_to(cr, x - 20, y - 5, x - 8, y - 8, x, y - 3);
    cairo_close_path(cr);
    setColour(cr, colour);
    cairo_fill(cr);
}

void drawStubble(cairo_t* cr, const Head& h, uint32_t colour, double alpha) {
    cairo_save(cr);
    facePath(cr, h);
    cairo_clip(cr);
    setRadialGradient(cr, h.cx, h.cy + h.length * 0.75, h.halfWidth * 0.3, h.halfWidth * 0.95,
                      {{0, colour, alpha}, {0.7, colour, alpha * 0.8}, {1, colour, 0}});
    cairo_rectangle(cr, h.cx - h.halfWidth * 1.1, h.cy + h.length * 0.3, h.halfWidth * 2.2,
                    h.length);
    cairo_fill(cr);
    cairo_restore(cr);
}

void shouldersPath(cairo_t* cr, double cx, double neckY, double neckHalf, double halfWidth,
                   double slope, double bottom) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - neckHalf, neckY);
    cairo_curve_to(cr, cx - neckHalf - 20, neckY + slope * 0.3, cx - halfWidth + 10,
                   neckY + slope * 0.5, cx - halfWidth, neckY + slope + 25);
    cairo_line_to(cr, cx - halfWidth - 8, bottom);
    cairo_line_to(cr, cx + halfWidth + 8, bottom);
    cairo_line_to(cr, cx + halfWidth, neckY + slope + 25);
    cairo_curve_to(cr, cx + halfWidth - 10, neckY + slope * 0.5, cx + neckHalf + 20,
                   neckY + slope * 0.3, cx + neckHalf, neckY);
    cairo_close_path(cr);
}

}  // namespace darts::content::bitmaps
