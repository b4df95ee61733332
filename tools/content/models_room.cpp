// The darts bar, modelled in world units around the throwing lane and shifted by the room's
// placement (-2, 0, 9) at the end. The thrower stands at the origin facing +z; the board hangs on
// the far wall at (0.05, 2, 14.22). Along the right wall runs the bar counter with its stools,
// shelves of bottles and pendant lamps; on the left, posters, a standing table and a neon sign.
// Every camera of the match stands inside: the aiming camera 7 units behind the thrower, the
// flight camera at (4, 2, 6) and the landing camera gliding towards (1.5, 2, 12).
#include <cmath>
#include <numbers>

#include "models_materials.h"
#include "models_parts.h"
#include "models_room_layout.h"

namespace darts::content {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

struct RoomMaterials {
    int floor, brick, panel, ceiling, beam, counterFront, counterTop, brass, chrome, seat, mat,
        oche, shelf, labels, glassGreen, glassAmber, glassClear, lampShade, lampGlow, cord, posters,
        neon, menu, tableTop, sign;
};

RoomMaterials addRoomMaterials(Model& model) {
    RoomMaterials m{};
    m.floor = model.addMaterial(lit("FloorWood", {0.95f, 0.95f, 0.95f}, 0.22f, "floor_wood.jpg"));
    m.brick = model.addMaterial(lit("WallBrick", {0.90f, 0.88f, 0.86f}, 0.30f, "wall_brick.jpg"));
    m.panel = model.addMaterial(lit("WallPanel", {0.85f, 0.85f, 0.85f}, 0.30f, "wall_panel.jpg"));
    m.ceiling = model.addMaterial(lit("Ceiling", {0.16f, 0.13f, 0.12f}, 0.45f));
    m.beam = model.addMaterial(lit("Beam", {0.55f, 0.50f, 0.48f}, 0.30f, "wall_panel.jpg"));
    m.counterFront =
        model.addMaterial(lit("CounterFront", {0.95f, 0.95f, 0.95f}, 0.35f, "wall_panel.jpg"));
    m.counterTop = model.addMaterial(metal("CounterTop", {0.30f, 0.14f, 0.07f}, 0.45f, 0.5f, 18));
    m.brass = model.addMaterial(metal("Brass", {0.80f, 0.62f, 0.28f}, 0.35f, 0.9f, 25));
    m.chrome = model.addMaterial(metal("Chrome", {0.70f, 0.72f, 0.76f}, 0.35f, 1.0f, 40));
    m.seat = model.addMaterial(metal("StoolSeat", {0.62f, 0.07f, 0.08f}, 0.35f, 0.5f, 14));
    m.mat = model.addMaterial(lit("DartMat", {0.95f, 0.95f, 0.95f}, 0.25f, "dart_mat.png"));
    m.oche = model.addMaterial(metal("Oche", {0.85f, 0.70f, 0.35f}, 0.40f, 0.8f, 20));
    m.shelf = model.addMaterial(lit("Shelf", {0.45f, 0.27f, 0.14f}, 0.40f));
    m.labels = model.addMaterial(lit("BottleLabels", {1, 1, 1}, 0.45f, "bottle_labels.png"));
    m.glassGreen = model.addMaterial(glass("GlassGreen", {0.10f, 0.40f, 0.16f}, 0.85f, 0.55f));
    m.glassAmber = model.addMaterial(glass("GlassAmber", {0.55f, 0.28f, 0.05f}, 0.85f, 0.55f));
    m.glassClear = model.addMaterial(glass("GlassClear", {0.70f, 0.78f, 0.80f}, 0.55f, 0.35f));
    m.lampShade = model.addMaterial(metal("LampShade", {0.10f, 0.22f, 0.16f}, 0.40f, 0.6f, 20));
    m.lampGlow = model.addMaterial(glowing("LampGlow", {1.0f, 0.86f, 0.55f}, 1.0f));
    m.cord = model.addMaterial(matte("LampCord", {0.05f, 0.05f, 0.05f}));
    m.posters = model.addMaterial(lit("Posters", {1, 1, 1}, 0.40f, "posters.png"));
    m.neon = model.addMaterial(glowing("NeonSign", {1, 1, 1}, 1.0f, "sign_neon.png"));
    m.menu = model.addMaterial(lit("MenuBoard", {1, 1, 1}, 0.45f, "menu_board.jpg"));
    m.tableTop = model.addMaterial(metal("TableTop", {0.12f, 0.12f, 0.13f}, 0.35f, 0.6f, 20));
    m.sign = model.addMaterial(glowing("LaneSign", {1, 1, 1}, 0.95f, "sign_lane.png"));
    return m;
}

// A flat rectangle split into cells, so that per-vertex lighting (the spot light above all) can
// fall across it: corner + s * along + t * up for s, t in 0..1.
void panel(ShapeWriter& w, Vec3 corner, Vec3 along, Vec3 up, int cellsAlong, int cellsUp,
           float texel, bool fitTexture = false) {
    Vec3 normal = normalized(cross(up, along));
    std::vector<uint32_t> ids;
    const float lengthAlong = length(along), lengthUp = length(up);
    for (int j = 0; j <= cellsUp; ++j) {
        for (int i = 0; i <= cellsAlong; ++i) {
            float s = static_cast<float>(i) / cellsAlong, t = static_cast<float>(j) / cellsUp;
            float u = fitTexture ? s : s * lengthAlong / texel;
            float v = fitTexture ? 1 - t : -t * lengthUp / texel;
            ids.push_back(w.vertex(corner + along * s + up * t, normal, u, v));
        }
    }
    const int row = cellsAlong + 1;
    for (int j = 0; j < cellsUp; ++j) {
        for (int i = 0; i < cellsAlong; ++i) {
            uint32_t a = ids[j * row + i], b = ids[j * row + i + 1];
            uint32_t c = ids[(j + 1) * row + i + 1], d = ids[(j + 1) * row + i];
            w.triangle(a, b, c);
            w.triangle(a, c, d);
        }
    }
}

void buildShell(Model& model, const RoomMaterials& m, const Matrix& toRoom) {
    Part& part = model.addPart("Shell");
    ShapeWriter w(part, m.floor, toRoom);
    const float x0 = kRoomLeft, x1 = kRoomRight, z0 = kRoomBack, z1 = kRoomFront;
    const float y0 = kFloorY, y1 = kCeilingY, dado = kFloorY + 3.0f;
    // The floor (v runs along the planks towards the board), then the ceiling.
    panel(w, {x0, y0, z0}, {x1 - x0, 0, 0}, {0, 0, z1 - z0}, 10, 16, 4.0f);
    w.setMaterial(m.ceiling);
    panel(w, {x0, y1, z1}, {x1 - x0, 0, 0}, {0, 0, z0 - z1}, 6, 8, 4.0f);

    // Walls: panelling up to the dado rail, brick above; each wall seen from inside.
    struct Wall {
        Vec3 corner, along;
        int cells;
    };
    const Wall walls[4] = {
        {{x0, y0, z0}, {0, 0, z1 - z0}, 12},  // left
        {{x0, y0, z1}, {x1 - x0, 0, 0}, 10},  // far, behind the board
        {{x1, y0, z1}, {0, 0, z0 - z1}, 12},  // right, behind the bar
        {{x1, y0, z0}, {x0 - x1, 0, 0}, 6},   // near, behind the thrower
    };
    for (const Wall& wall : walls) {
        w.setMaterial(m.panel);
        panel(w, wall.corner, wall.along, {0, dado - y0, 0}, wall.cells, 1, 3.0f);
        w.setMaterial(m.brick);
        panel(w, wall.corner + Vec3{0, dado - y0, 0}, wall.along, {0, y1 - dado, 0}, wall.cells, 4,
              3.0f);
    }
    // Dado rail and skirting along the side and far walls.
    w.setMaterial(m.shelf);
    w.box({x0, dado - 0.05f, z0}, {x0 + 0.08f, dado + 0.1f, z1}, 1.0f);
    w.box({x0, dado - 0.05f, z1 - 0.08f}, {x1, dado + 0.1f, z1}, 1.0f);
    w.box({x1 - 0.08f, dado - 0.05f, z0}, {x1, dado + 0.1f, z1}, 1.0f);

    // Ceiling beams across the room.
    w.setMaterial(m.beam);
    for (float z = z0 + 2.5f; z < z1 - 1.0f; z += 4.5f)
        w.box({x0, y1 - 0.45f, z}, {x1, y1, z + 0.45f}, 2.0f, "+y");
}

void buildLane(Model& model, const RoomMaterials& m, const Matrix& toRoom) {
    Part& part = model.addPart("Lane");
    ShapeWriter w(part, m.mat, toRoom);
    // A rubber mat from behind the line to the wall, with the line and distance marks on it.
    panel(w, {-1.1f, kFloorY + 0.01f, kMatNear}, {2.2f, 0, 0}, {0, 0, kRoomFront - kMatNear}, 2, 6,
          1.0f, true);
    // The oche: a raised brass bar at the thrower's feet.
    w.setMaterial(m.oche);
    w.box({-1.0f, kFloorY, kOcheZ}, {1.0f, kFloorY + 0.09f, kOcheZ + 0.12f}, 1.0f, "-y");
    // A lit sign over the lane, high enough to stay clear of every view of the board.
    w.setMaterial(m.sign);
    w.quad({-2.2f, 5.55f, 14.30f}, {2.3f, 5.55f, 14.30f}, {2.3f, 4.35f, 14.30f},
           {-2.2f, 4.35f, 14.30f}, {0, 0, -1}, 0, 0, 1, 1);
}

void buildBar(Model& model, const RoomMaterials& m, const Matrix& toRoom) {
    Part& part = model.addPart("Bar");
    ShapeWriter w(part, m.counterFront, toRoom);
    const float front = kCounterFrontX, top = kCounterTopY, z0 = kCounterNear, z1 = kCounterFar;
    // The counter's front panel, its top with an overhang, and the foot rail.
    w.box({front, kFloorY, z0}, {front + 1.0f, top - 0.12f, z1}, 2.5f, "+x-y");
    w.setMaterial(m.counterTop);
    w.box({front - 0.25f, top - 0.12f, z0 - 0.25f}, {front + 1.2f, top, z1}, 2.0f, "-y");
    w.setMaterial(m.brass);
    w.setPlacement(chain({translation({front - 0.25f, kFloorY + 0.55f, 0}), toRoom}));
    w.tube({{0, 0, z0}, {0, 0, z1}}, {0.045f, 0.045f}, 8, true, true);

    // The back bar: three shelves on the right wall with bottles.
    w.setPlacement(toRoom);
    w.setMaterial(m.shelf);
    for (int shelf = 0; shelf < 3; ++shelf) {
        float y = 1.4f + 1.15f * static_cast<float>(shelf);
        w.box({kRoomRight - 0.7f, y - 0.08f, -3.5f}, {kRoomRight, y, 8.5f}, 1.0f);
    }
    const int glass[3] = {m.glassGreen, m.glassAmber, m.glassClear};
    for (int shelf = 0; shelf < 3; ++shelf) {
        float y = 1.4f + 1.15f * static_cast<float>(shelf);
        for (int i = 0; i < 9; ++i) {
            int kind = (i * 7 + shelf * 5) % 3;
            float z = -3.0f + 1.3f * static_cast<float>(i) + 0.2f * static_cast<float>(shelf % 2);
            float tall = kind == 2 ? 0.75f : 0.9f + 0.1f * static_cast<float>((i + shelf) % 2);
            float radius = kind == 1 ? 0.13f : 0.11f;
            Matrix standing =
                chain({rotationX(-kPi / 2), translation({kRoomRight - 0.35f, y, z}), toRoom});
            w.setPlacement(standing);
            w.setMaterial(glass[kind]);
            w.lathe({0.0f, radius, radius, radius * 0.92f, 0.04f, 0.04f, 0.048f, 0.0f},
                    {0.0f, 0.0f, tall * 0.62f, tall * 0.70f, tall * 0.84f, tall, tall, tall}, 8);
            // The label faces into the room: local -x stays world -x once the bottle stands up,
            // and local +y becomes the viewer's right.
            w.setMaterial(m.labels);
            const float face = -radius - 0.005f;
            float u0 = static_cast<float>((i + shelf * 3) % 6) / 6.0f;
            w.quad({face, -0.09f, tall * 0.52f}, {face, 0.09f, tall * 0.52f},
                   {face, 0.09f, tall * 0.22f}, {face, -0.09f, tall * 0.22f}, {-1, 0, 0}, u0, 0,
                   u0 + 1.0f / 6.0f, 1);
        }
    }
    // The food menu on the wall beyond the shelves; facing -x, the viewer's right is -z.
    w.setPlacement(toRoom);
    w.setMaterial(m.menu);
    w.quad({kRoomRight - 0.02f, 5.3f, 12.8f}, {kRoomRight - 0.02f, 5.3f, 9.6f},
           {kRoomRight - 0.02f, 2.9f, 9.6f}, {kRoomRight - 0.02f, 2.9f, 12.8f}, {-1, 0, 0}, 0, 0, 1,
           1);
}

// One bar stool in its own frame (the part's frame places it), built around its foot.
void buildStool(Model& model, const RoomMaterials& m, const std::string& name, Vec3 foot,
                float seatHeight, const Matrix& toRoom) {
    Part& part = model.addPart(name);
    part.hasFrame = true;
    part.frame = chain({translation(foot), toRoom});
    ShapeWriter w(part, m.chrome, rotationX(-kPi / 2));
    // Base plate and post.
    w.lathe({0.0f, 0.42f, 0.40f, 0.06f, 0.055f}, {0.0f, 0.0f, 0.06f, 0.10f, seatHeight - 0.15f},
            12);
    // Foot ring.
    w.setPlacement(chain({rotationX(-kPi / 2), translation({0, 1.0f, 0})}));
    std::vector<Vec3> ring;
    std::vector<float> radii;
    for (int i = 0; i <= 12; ++i) {
        float a = 2 * kPi * static_cast<float>(i) / 12;
        ring.push_back({0.38f * std::cos(a), 0.38f * std::sin(a), 0});
        radii.push_back(0.025f);
    }
    w.tube(ring, radii, 6, false, false);
    // Padded seat.
    w.setMaterial(m.seat);
    w.setPlacement(rotationX(-kPi / 2));
    w.lathe({0.0f, 0.46f, 0.52f, 0.54f, 0.50f, 0.0f},
            {seatHeight - 0.16f, seatHeight - 0.15f, seatHeight - 0.08f, seatHeight + 0.02f,
             seatHeight + 0.10f, seatHeight + 0.13f},
            14);
}

void buildPendants(Model& model, const RoomMaterials& m, const Matrix& toRoom) {
    Part& part = model.addPart("Lamps");
    ShapeWriter w(part, m.lampShade, toRoom);
    const Vec3 lamps[] = {{5.0f, 4.3f, -2.5f}, {5.0f, 4.3f, 1.5f},  {5.0f, 4.3f, 5.5f},
                          {-4.6f, 4.6f, 5.0f}, {-1.6f, 5.0f, 3.0f}, {1.6f, 5.0f, 8.5f}};
    for (Vec3 lamp : lamps) {
        Matrix hanging = chain({rotationX(-kPi / 2), translation(lamp), toRoom});
        w.setPlacement(hanging);
        // A cone shade open at the bottom, the bulb glowing inside it.
        w.setMaterial(m.lampShade);
        w.lathe({0.42f, 0.40f, 0.20f, 0.07f, 0.06f}, {0.0f, 0.05f, 0.30f, 0.42f, 0.50f}, 14);
        w.setMaterial(m.lampGlow);
        w.disc(0.38f, 0.04f, 14, -1);
        w.setMaterial(m.cord);
        w.setPlacement(toRoom);
        w.tube({lamp + Vec3{0, 0.5f, 0}, {lamp.x, kCeilingY, lamp.z}}, {0.015f, 0.015f}, 4, false,
               false);
    }
}

void buildLeftSide(Model& model, const RoomMaterials& m, const Matrix& toRoom) {
    Part& part = model.addPart("LeftWall");
    ShapeWriter w(part, m.posters, toRoom);
    const float x = kRoomLeft + 0.02f;
    // Two posters: the tournament bill and a drinks promotion.
    w.quad({x, 4.6f, -1.0f}, {x, 4.6f, 1.6f}, {x, 0.9f, 1.6f}, {x, 0.9f, -1.0f}, {1, 0, 0}, 0, 0,
           0.5f, 1);
    w.quad({x, 4.6f, 9.0f}, {x, 4.6f, 11.6f}, {x, 0.9f, 11.6f}, {x, 0.9f, 9.0f}, {1, 0, 0}, 0.5f, 0,
           1, 1);
    // The neon "DARTS" sign between them.
    w.setMaterial(m.neon);
    w.quad({x, 4.9f, 3.0f}, {x, 4.9f, 7.4f}, {x, 2.7f, 7.4f}, {x, 2.7f, 3.0f}, {1, 0, 0}, 0, 0, 1,
           1);
    // A standing table for the players who wait their turn.
    const Vec3 table{-5.2f, kFloorY, 5.2f};
    w.setMaterial(m.tableTop);
    w.setPlacement(chain({rotationX(-kPi / 2), translation(table), toRoom}));
    w.lathe({0.0f, 0.50f, 0.48f, 0.07f, 0.07f, 0.75f, 0.78f, 0.0f},
            {0.0f, 0.0f, 0.05f, 0.10f, 3.50f, 3.52f, 3.62f, 3.63f}, 16);
    // Drinks on it.
    w.setMaterial(m.glassAmber);
    for (int i = 0; i < 2; ++i) {
        w.setPlacement(chain({rotationX(-kPi / 2),
                              translation(table + Vec3{0.25f - 0.45f * static_cast<float>(i), 3.63f,
                                                       0.15f * static_cast<float>(i)}),
                              toRoom}));
        w.lathe({0.0f, 0.09f, 0.11f, 0.0f}, {0.0f, 0.0f, 0.38f, 0.38f}, 8);
    }
}

}  // namespace

Model buildRoom() {
    Model model;
    RoomMaterials m = addRoomMaterials(model);
    const Matrix toRoom = translation({2.0f, 0.0f, -9.0f});  // undoes the room's placement
    buildShell(model, m, toRoom);
    buildLane(model, m, toRoom);
    buildBar(model, m, toRoom);
    for (int i = 0; i < 5; ++i) {
        buildStool(model, m, "BarStool" + std::to_string(i + 1),
                   {kCounterFrontX - 0.9f, kFloorY, -2.0f + 2.4f * static_cast<float>(i)}, 2.75f,
                   toRoom);
    }
    buildStool(model, m, "TableStool", {-5.6f, kFloorY, 3.8f}, 2.6f, toRoom);
    buildPendants(model, m, toRoom);
    buildLeftSide(model, m, toRoom);
    return model;
}

}  // namespace darts::content
