// The model generator's building blocks: shapes keep outward unit normals however they are placed,
// the .x writer's output reads back through the game's loader unchanged, and the board layout
// the generator cuts along is the one the scoring uses.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "gfx/xfile.h"
#include "match/scoring.h"
#include "models_board_layout.h"
#include "models_mesh.h"
#include "models_xwriter.h"

namespace darts::content {
namespace {

float normLength(Vec3 v) { return std::sqrt(dot(v, v)); }

// ---- Shapes ----

TEST(ModelShapes, EllipsoidNormalsStayPerpendicularUnderUnevenScaling) {
    Part part;
    ShapeWriter w(part, 0, chain({scaling(1.0f, 3.0f, 0.5f), translation({1, 2, 3})}));
    w.ellipsoid({0.2f, 0.1f, 0.4f}, 12, 8);
    // The surface is x^2/a^2 + ... = 1 with a = 0.2, b = 0.3, c = 0.2 about (1, 2, 3): its normal
    // is along the gradient (x/a^2, y/b^2, z/c^2).
    for (const MeshVertex& v : part.vertices) {
        Vec3 p = v.position - Vec3{1, 2, 3};
        Vec3 gradient = normalized({p.x / 0.04f, p.y / 0.09f, p.z / 0.04f});
        if (normLength(gradient) == 0) continue;
        EXPECT_NEAR(normLength(v.normal), 1.0f, 1e-4f);
        EXPECT_GT(dot(v.normal, gradient), 0.995f);
    }
}

TEST(ModelShapes, LatheAndTubeNormalsPointAwayFromTheirAxis) {
    Part part;
    ShapeWriter w(part, 0);
    w.lathe({0.0f, 0.5f, 0.3f, 0.0f}, {0.0f, 0.2f, 1.0f, 1.2f}, 10);
    const size_t latheVertices = part.vertices.size();
    w.tube({{0, 0, 2}, {0, 1, 2}, {1, 2, 2}}, {0.1f, 0.1f, 0.1f}, 8);
    for (size_t i = 0; i < part.vertices.size(); ++i) {
        const MeshVertex& v = part.vertices[i];
        EXPECT_NEAR(normLength(v.normal), 1.0f, 1e-4f);
        if (i < latheVertices) {
            Vec3 radial{v.position.x, v.position.y, 0};
            if (normLength(radial) > 1e-3f) {
                EXPECT_GE(dot(v.normal, radial), 0.0f);
            }
        }
    }
    for (const MeshTriangle& t : part.triangles)
        for (uint32_t c : t.corner) ASSERT_LT(c, part.vertices.size());
}

TEST(ModelShapes, BoxFacesFaceOutwardAndCanBeLeftOut) {
    Part part;
    ShapeWriter w(part, 0);
    w.box({-1, -1, -1}, {1, 1, 1}, 1.0f, "+y-z");
    EXPECT_EQ(part.triangles.size(), 8u);  // four faces of two triangles
    for (const MeshVertex& v : part.vertices) {
        EXPECT_GT(dot(v.normal, v.position), 0.0f);
        EXPECT_LT(v.normal.y, 0.5f);   // the top was left out
        EXPECT_GT(v.normal.z, -0.5f);  // and the front
    }
}

// ---- Writing .x text ----

TEST(ModelXWriter, WhatIsWrittenReadsBackThroughTheGamesLoader) {
    Model model;
    int plain = model.addMaterial(
        {"Plain", {0.2f, 0.4f, 0.6f}, 0.5f, 8, {0.1f, 0.1f, 0.1f}, {0.3f, 0.2f, 0.1f}, ""});
    int textured =
        model.addMaterial({"Textured", {1, 1, 1}, 1.0f, 0, {0, 0, 0}, {0, 0, 0}, "data\\wood.jpg"});
    Part& flat = model.addPart("Flat");
    ShapeWriter a(flat, textured);
    a.quad({0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {0, 0, 0}, {0, 0, -1}, 0, 0, 1, 1);
    Part& moved = model.addPart("Moved");
    moved.hasFrame = true;
    moved.frame = chain({rotationY(std::numbers::pi_v<float> / 2), translation({5, 0, 0})});
    ShapeWriter b(moved, plain);
    b.quad({0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {0, 0, 0}, {0, 0, -1}, 0, 0, 1, 1);
    b.setMaterial(textured);
    b.quad({0, 3, 0}, {1, 3, 0}, {1, 2, 0}, {0, 2, 0}, {0, 0, -1}, 0, 0, 1, 1);

    gfx::XFileResult parsed = gfx::parseXFile(xFileText(model, "a test"));
    ASSERT_TRUE(parsed.mesh) << parsed.error;
    const gfx::MeshData& mesh = *parsed.mesh;
    EXPECT_TRUE(mesh.hasNormals);
    EXPECT_TRUE(mesh.hasTexCoords);
    EXPECT_EQ(mesh.indices.size(), 3u * model.triangleCount());
    // Each part lists the materials it uses, so the loader's subsets follow the parts.
    ASSERT_EQ(mesh.materials.size(), 3u);
    EXPECT_EQ(mesh.materials[0].textureFile, "data\\wood.jpg");
    EXPECT_FLOAT_EQ(mesh.materials[1].diffuse.a, 0.5f);
    EXPECT_FLOAT_EQ(mesh.materials[1].power, 8.0f);
    EXPECT_FLOAT_EQ(mesh.materials[1].emissive.r, 0.3f);
    EXPECT_EQ(mesh.materials[2].textureFile, "data\\wood.jpg");
    // The frame turned the second part a quarter turn about y and moved it: its normals now
    // point along -x and its corners lie on the plane x = 5.
    const gfx::Subset& second = mesh.subsets[1];
    for (uint32_t i = second.firstIndex; i < second.firstIndex + second.indexCount; ++i) {
        const gfx::Vertex& v = mesh.vertices[mesh.indices[i]];
        EXPECT_NEAR(v.position.x, 5.0f, 1e-5f);
        EXPECT_NEAR(v.normal.x, -1.0f, 1e-5f);
    }
}

TEST(ModelXWriter, EmptyPartsAreLeftOut) {
    Model model;
    model.addMaterial({"Only", {1, 1, 1}, 1.0f, 0, {0, 0, 0}, {0, 0, 0}, ""});
    model.addPart("Nothing");
    ShapeWriter w(model.addPart("Something"), 0);
    w.disc(1.0f, 0.0f, 6, -1);
    std::string text = xFileText(model, "empty parts");
    EXPECT_EQ(text.find("Frame Nothing"), std::string::npos);
    gfx::XFileResult parsed = gfx::parseXFile(text);
    ASSERT_TRUE(parsed.mesh) << parsed.error;
    EXPECT_EQ(parsed.mesh->indices.size(), 18u);
}

// ---- The board layout against the scoring ----

TEST(ModelBoardLayout, EverySectorSpanScoresItsOwnNumberRightUpToItsEdges) {
    for (int position = 0; position < 20; ++position) {
        SectorSpan span = sectorSpan(position);
        // Landing points are single-precision: a few micro-radians is as close as they resolve.
        for (double angle : {span.from + 2e-5, (span.from + span.to) / 2, span.to - 2e-5}) {
            float x = static_cast<float>(kBoardCentreX + 0.3 * std::sin(angle));
            float y = static_cast<float>(kBoardCentreY + 0.3 * std::cos(angle));
            EXPECT_EQ(sectorNumber(landingGeometry(x, y).sectorIndex), kSectorNumbers[position])
                << "position " << position << " angle " << angle;
        }
    }
}

TEST(ModelBoardLayout, SectorSpansTileTheWholeCircle) {
    double covered = 0;
    for (int position = 0; position < 20; ++position) {
        SectorSpan span = sectorSpan(position);
        EXPECT_LT(span.from, span.to);
        covered += span.to - span.from;
        SectorSpan next = sectorSpan((position + 1) % 20);
        double gap = std::remainder(next.from - span.to, 2 * std::numbers::pi);
        EXPECT_NEAR(gap, 0.0, 1e-12) << "after position " << position;
    }
    EXPECT_NEAR(covered, 2 * std::numbers::pi, 1e-12);
}

TEST(ModelBoardLayout, RingEdgesAreTheScoringLimits) {
    const double limits[6] = {kInnerBullEdge, kOuterBullEdge, kTripleInner,
                              kTripleOuter,   kDoubleInner,   kBoardEdge};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(kRingEdges[i], limits[i]);
}

}  // namespace
}  // namespace darts::content
