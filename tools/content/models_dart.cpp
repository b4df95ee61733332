// The dart: steel point, knurled tungsten barrel, shaft and four flights, pointing along +z. Its
// origin is the point where it is held and where it stops in the board; the point reaches
// kDartTipZ ahead of it, so a dart stopped 0.02 in front of the face sinks into the sisal.
#include <cmath>
#include <numbers>

#include "models_canvas.h"
#include "models_materials.h"
#include "models_parts.h"

namespace darts::content {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kSides = 12;

// Profile of the turned parts, back to front: (radius, z).
struct Profile {
    std::vector<float> radii, zs;
    void add(float r, float z) { radii.push_back(r), zs.push_back(z); }
};

void addPoint(Model& model, int steel) {
    Part& part = model.addPart("Point");
    ShapeWriter w(part, steel);
    Profile p;
    p.add(0.0f, -0.047f);
    p.add(0.0052f, -0.046f);
    p.add(0.0046f, -0.040f);
    p.add(0.0040f, 0.020f);
    p.add(0.0022f, 0.042f);
    p.add(0.0f, kDartTipZ);
    w.lathe(p.radii, p.zs, kSides);
}

void addBarrel(Model& model, int tungsten, int ring) {
    Part& part = model.addPart("Barrel");
    ShapeWriter w(part, tungsten);
    // A torpedo shape with a knurled grip: grooves cut every 0.011 between -0.165 and -0.075.
    Profile p;
    p.add(0.0f, -0.208f);
    p.add(0.0085f, -0.207f);
    p.add(0.0105f, -0.195f);
    p.add(0.0125f, -0.175f);
    for (int g = 0; g < 9; ++g) {
        float z = -0.168f + 0.0105f * static_cast<float>(g);
        p.add(0.0138f, z);
        p.add(0.0138f, z + 0.0060f);
        p.add(0.0122f, z + 0.0075f);
        p.add(0.0122f, z + 0.0090f);
        p.add(0.0138f, z + 0.0105f);
    }
    p.add(0.0134f, -0.062f);
    p.add(0.0112f, -0.050f);
    p.add(0.0078f, -0.043f);
    p.add(0.0f, -0.042f);
    w.lathe(p.radii, p.zs, kSides, true, 6.0f);

    // A coloured ring at the back of the grip.
    w.setMaterial(ring);
    Profile band;
    band.add(0.0126f, -0.186f);
    band.add(0.0131f, -0.184f);
    band.add(0.0131f, -0.178f);
    band.add(0.0126f, -0.176f);
    w.lathe(band.radii, band.zs, kSides, true);
}

void addShaft(Model& model, int nylon, int aluminium) {
    Part& part = model.addPart("Shaft");
    ShapeWriter w(part, nylon);
    Profile p;
    p.add(0.0f, -0.445f);
    p.add(0.0060f, -0.444f);
    p.add(0.0064f, -0.300f);
    p.add(0.0072f, -0.235f);
    p.add(0.0080f, -0.212f);
    p.add(0.0f, -0.210f);
    w.lathe(p.radii, p.zs, 10);
    // The aluminium ring that holds the flights.
    w.setMaterial(aluminium);
    Profile ring;
    ring.add(0.0064f, -0.447f);
    ring.add(0.0078f, -0.445f);
    ring.add(0.0078f, -0.425f);
    ring.add(0.0064f, -0.423f);
    w.lathe(ring.radii, ring.zs, 10, true);
}

void addFlights(Model& model, int flight) {
    Part& part = model.addPart("Flights");
    ShapeWriter w(part, flight);
    // The standard shape: narrow at the shaft's front, widest at the back. Each vane is two
    // single-sided faces a hair apart, so both sides are lit.
    const Vec3 outline[4] = {
        {0.006f, -0.290f, 0}, {0.050f, -0.362f, 0}, {0.057f, -0.440f, 0}, {0.006f, -0.440f, 0}};
    const float thickness = 0.0006f;
    for (int vane = 0; vane < 4; ++vane) {
        float angle = kPi / 4 + static_cast<float>(vane) * kPi / 2;
        Vec3 out{std::cos(angle), std::sin(angle), 0};
        Vec3 side{-std::sin(angle), std::cos(angle), 0};
        for (float facing : {-1.0f, 1.0f}) {
            Vec3 offset = side * (facing * thickness);
            Vec3 c[4];
            for (int i = 0; i < 4; ++i)
                c[i] = out * outline[i].x + Vec3{0, 0, outline[i].y} + offset;
            // u across the vane, v along the dart: the art stands upright on the flight.
            uint32_t id[4];
            for (int i = 0; i < 4; ++i) {
                float u = (outline[i].x - 0.006f) / 0.051f;
                float v = (outline[i].y + 0.290f) / -0.150f;
                id[i] = w.vertex(c[i], side * facing, u, v);
            }
            w.triangle(id[0], id[1], id[2]);
            w.triangle(id[0], id[2], id[3]);
        }
    }
}

}  // namespace

Model buildDart() {
    Model model;
    int steel = model.addMaterial(metal("PointSteel", {0.78f, 0.79f, 0.82f}, 0.18f, 1.0f, 40));
    int tungsten = model.addMaterial(
        metal("BarrelTungsten", {0.62f, 0.63f, 0.66f}, 0.20f, 0.9f, 24, "data\\dart_knurl.jpg"));
    int ring = model.addMaterial(metal("BarrelRing", {0.85f, 0.12f, 0.10f}, 0.20f, 0.6f, 20));
    int nylon = model.addMaterial(metal("ShaftNylon", {0.10f, 0.10f, 0.12f}, 0.10f, 0.5f, 16));
    int aluminium = model.addMaterial(metal("ShaftRing", {0.80f, 0.80f, 0.84f}, 0.20f, 0.9f, 30));
    int flight = model.addMaterial(lit("Flight", {1, 1, 1}, 0.30f, "data\\dart_flight.png"));
    addPoint(model, steel);
    addBarrel(model, tungsten, ring);
    addShaft(model, nylon, aluminium);
    addFlights(model, flight);
    return model;
}

bool paintDartTextures(const std::string& folder) {
    // Knurling: a fine diamond cross-hatch, wrapped six times along the barrel.
    Canvas knurl(128, 128);
    knurl.paintPixels([](int x, int y, Colour) {
        float a = std::fabs(std::sin(static_cast<float>(x + y) * kPi / 8.0f));
        float b = std::fabs(std::sin(static_cast<float>(x - y) * kPi / 8.0f));
        float v = 0.55f + 0.45f * std::min(a, b) + 0.05f * hash01(x, y, 41);
        return Colour{v, v, v * 1.02f, 1};
    });
    if (!knurl.writeJpeg(folder + "/dart_knurl.jpg", 90)) return false;

    // Flight art: a deep red flight with a white rising-sun disc and a black edge band.
    Canvas art(256, 256);
    art.paintPixels([](int x, int y, Colour) {
        float fx = static_cast<float>(x) / 255.0f, fy = static_cast<float>(y) / 255.0f;
        Colour base = mix(Colour{0.85f, 0.08f, 0.10f, 1}, Colour{0.45f, 0.02f, 0.05f, 1}, fy);
        float dx = fx - 0.45f, dy = fy - 0.62f;
        float r = std::sqrt(dx * dx + dy * dy);
        if (r < 0.22f) return Colour{0.97f, 0.96f, 0.92f, 1};
        float rays = std::sin(std::atan2(dy, dx) * 8.0f);
        if (rays > 0.55f) base = mix(base, Colour{0.95f, 0.45f, 0.35f, 1}, 0.35f);
        if (fx > 0.9f || fy > 0.94f) return Colour{0.05f, 0.05f, 0.05f, 1};
        return base;
    });
    return art.writePng(folder + "/dart_flight.png");
}

}  // namespace darts::content
