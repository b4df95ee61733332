// The thrower's right hand. The scene lifts it 30 units, swings it and lowers it again, which at
// rest leaves the hand model's origin 0.2 ahead of the dart's: so the grip is modelled around
// (0, 1.85, -0.2), the barrel running along +z there. A three-finger grip seen from behind: thumb
// on the barrel's left, index and middle fingertips on its right and underside, the other two
// fingers curled, the forearm dropping to the elbow and the upper arm, in a shirt sleeve, running
// back out of the picture.
// Nothing rises far above the barrel, so the hand leaves the board in view.
#include <cmath>

#include "models_canvas.h"
#include "models_materials.h"
#include "models_parts.h"

namespace darts::content {
namespace {

constexpr int kFingerSides = 10;

struct Finger {
    std::vector<Vec3> joints;  // fingertip first, knuckle last
    std::vector<float> radii;
};

void addFinger(ShapeWriter& w, const Finger& f) {
    w.tube(f.joints, f.radii, kFingerSides, true, true);
}

// A smooth path through the joints: each bone split in three, so that bent fingers stay round.
Finger smoothed(const Finger& f) {
    Finger out;
    for (size_t i = 0; i + 1 < f.joints.size(); ++i) {
        for (int s = 0; s < 3; ++s) {
            float t = static_cast<float>(s) / 3.0f;
            out.joints.push_back(lerp(f.joints[i], f.joints[i + 1], t));
            out.radii.push_back(f.radii[i] + (f.radii[i + 1] - f.radii[i]) * t);
        }
    }
    out.joints.push_back(f.joints.back());
    out.radii.push_back(f.radii.back());
    return out;
}

void addHandShape(Model& model, int skin, int nail) {
    Part& part = model.addPart("Hand");
    ShapeWriter w(part, skin);

    // Thumb: its pad presses the barrel's left side.
    addFinger(w, smoothed({{{-0.021f, 1.842f, -0.300f},
                            {-0.040f, 1.815f, -0.360f},
                            {-0.030f, 1.760f, -0.430f},
                            {0.020f, 1.715f, -0.500f}},
                           {0.0185f, 0.021f, 0.025f, 0.032f}}));
    // Index: fingertip on the barrel's right, just ahead of the thumb.
    addFinger(w, smoothed({{{0.021f, 1.858f, -0.262f},
                            {0.055f, 1.868f, -0.300f},
                            {0.088f, 1.845f, -0.365f},
                            {0.092f, 1.790f, -0.445f}},
                           {0.0165f, 0.0185f, 0.021f, 0.025f}}));
    // Middle: under the barrel's front, taking its weight.
    addFinger(w, smoothed({{{0.010f, 1.822f, -0.245f},
                            {0.048f, 1.802f, -0.262f},
                            {0.095f, 1.790f, -0.325f},
                            {0.105f, 1.750f, -0.430f}},
                           {0.0165f, 0.019f, 0.0215f, 0.025f}}));
    // Ring and little fingers curled into the palm.
    addFinger(w, smoothed({{{0.062f, 1.712f, -0.385f},
                            {0.082f, 1.735f, -0.330f},
                            {0.118f, 1.722f, -0.350f},
                            {0.113f, 1.705f, -0.440f}},
                           {0.016f, 0.018f, 0.020f, 0.023f}}));
    addFinger(w, smoothed({{{0.070f, 1.665f, -0.400f},
                            {0.090f, 1.680f, -0.355f},
                            {0.118f, 1.672f, -0.375f},
                            {0.110f, 1.660f, -0.445f}},
                           {0.013f, 0.015f, 0.017f, 0.019f}}));

    // Palm and back of the hand: a flattened ellipsoid, its flat side facing the dart.
    w.setPlacement(
        chain({rotationZ(-0.35f), rotationY(0.25f), translation({0.078f, 1.735f, -0.505f})}));
    w.ellipsoid({0.042f, 0.092f, 0.088f}, 18, 12);
    // The ball of the thumb.
    w.setPlacement(chain({rotationZ(-0.6f), translation({0.035f, 1.700f, -0.520f})}));
    w.ellipsoid({0.040f, 0.050f, 0.070f}, 14, 10);
    w.setPlacement(gfx::identityMatrix());

    // Wrist, forearm and elbow: the forearm drops steeply to an elbow below the hand.
    w.tube({{0.085f, 1.700f, -0.560f},
            {0.120f, 1.600f, -0.680f},
            {0.180f, 1.400f, -0.790f},
            {0.240f, 1.180f, -0.900f}},
           {0.055f, 0.052f, 0.064f, 0.076f}, 14, true, true);
    // The upper arm, back into the sleeve.
    w.tube({{0.240f, 1.180f, -0.900f}, {0.330f, 1.080f, -1.150f}}, {0.080f, 0.100f}, 14, false,
           false);

    // Nails on the thumb and the index finger, the two the camera sees.
    w.setMaterial(nail);
    w.setPlacement(
        chain({rotationZ(0.9f), rotationY(-0.5f), translation({-0.033f, 1.852f, -0.300f})}));
    w.ellipsoid({0.004f, 0.013f, 0.016f}, 10, 6);
    w.setPlacement(
        chain({rotationZ(-0.3f), rotationY(0.3f), translation({0.030f, 1.873f, -0.262f})}));
    w.ellipsoid({0.004f, 0.012f, 0.015f}, 10, 6);
}

void addSleeve(Model& model, int cloth, int cuffBand) {
    Part& part = model.addPart("Sleeve");
    ShapeWriter w(part, cloth);
    // A short shirt sleeve over the upper arm, running back to the shoulder out of the picture.
    w.tube({{0.320f, 1.095f, -1.100f},
            {0.480f, 0.900f, -1.650f},
            {0.720f, 0.500f, -2.500f},
            {1.100f, -0.800f, -3.600f}},
           {0.118f, 0.135f, 0.155f, 0.175f}, 16, true, false);
    w.setMaterial(cuffBand);
    w.tube({{0.310f, 1.107f, -1.065f}, {0.325f, 1.090f, -1.120f}}, {0.121f, 0.124f}, 16, false,
           false);
}

}  // namespace

Model buildHand() {
    Model model;
    int skin = model.addMaterial(lit("Skin", {0.95f, 0.74f, 0.60f}, 0.28f));
    int nail = model.addMaterial(metal("Nail", {0.97f, 0.82f, 0.78f}, 0.30f, 0.3f, 12));
    int cloth =
        model.addMaterial(lit("Sleeve", {0.80f, 0.82f, 0.90f}, 0.25f, "data\\hand_sleeve.jpg"));
    int band = model.addMaterial(lit("SleeveBand", {0.75f, 0.12f, 0.12f}, 0.25f));
    addHandShape(model, skin, nail);
    addSleeve(model, cloth, band);
    return model;
}

bool paintHandTextures(const std::string& folder) {
    // Shirt cloth: a fine twill in deep indigo.
    Canvas c(128, 128);
    c.paintPixels([](int x, int y, Colour) {
        float twill = ((x + y) % 4 < 2) ? 1.0f : 0.86f;
        float v = twill * (0.85f + 0.15f * hash01(x, y, 51));
        return Colour{0.16f * v, 0.21f * v, 0.42f * v, 1};
    });
    return c.writeJpeg(folder + "/hand_sleeve.jpg", 90);
}

}  // namespace darts::content
