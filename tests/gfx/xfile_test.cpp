#include "gfx/xfile.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace darts::gfx {
namespace {

// ---- Writing the same model as text and as binary ----

// Receives a model as nested objects and runs of values, so one description yields both
// encodings.
class ModelWriter {
  public:
    virtual ~ModelWriter() = default;
    virtual void templateDecl() = 0;  // declares "template Vector" as exporters do
    virtual void begin(const std::string& type, const std::string& name) = 0;
    virtual void end() = 0;
    virtual void ints(const std::vector<uint32_t>& values) = 0;
    virtual void floats(const std::vector<double>& values) = 0;
    virtual void string(const std::string& value) = 0;
    virtual void reference(const std::string& name) = 0;
};

class TextWriter : public ModelWriter {
  public:
    std::string text = "xof 0303txt 0032\n";

    void templateDecl() override {
        text +=
            "template Vector {\n <3D82AB5E-62DA-11cf-AB39-0020AF71E433>\n"
            " FLOAT x;\n FLOAT y;\n FLOAT z;\n}\n";
    }
    void begin(const std::string& type, const std::string& name) override {
        text += type + (name.empty() ? "" : " " + name) + " {\n";
    }
    void end() override { text += "}\n"; }
    void ints(const std::vector<uint32_t>& values) override {
        for (uint32_t v : values) text += std::to_string(v) + ";";
        text += "\n";
    }
    void floats(const std::vector<double>& values) override {
        for (double v : values) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.6f;", v);
            text += buffer;
        }
        text += ",\n";
    }
    void string(const std::string& value) override { text += "\"" + value + "\";\n"; }
    void reference(const std::string& name) override { text += "{ " + name + " }\n"; }
};

class BinaryWriter : public ModelWriter {
  public:
    // splitLists: every value in its own list, as a writer may choose; the reader must not care.
    explicit BinaryWriter(int floatBits, bool splitLists = false, bool wordStringEnd = false)
        : floatBits_(floatBits), splitLists_(splitLists), wordStringEnd_(wordStringEnd) {
        bytes = floatBits == 64 ? "xof 0303bin 0064" : "xof 0303bin 0032";
    }
    std::string bytes;

    void word(uint16_t v) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8);
    }
    void dword(uint32_t v) {
        word(static_cast<uint16_t>(v & 0xFFFF));
        word(static_cast<uint16_t>(v >> 16));
    }
    void name(const std::string& n) {
        word(1);
        dword(static_cast<uint32_t>(n.size()));
        bytes += n;
    }
    void guid() {
        word(5);
        bytes.append(16, '\x11');
    }

    void templateDecl() override {
        word(31);
        name("Vector");
        word(10);
        guid();
        for (const char* member : {"x", "y", "z"}) {
            word(42);  // FLOAT
            name(member);
            word(20);
        }
        word(11);
    }
    void begin(const std::string& type, const std::string& objectName) override {
        name(type);
        if (!objectName.empty()) name(objectName);
        word(10);
    }
    void end() override { word(11); }
    void ints(const std::vector<uint32_t>& values) override {
        for (size_t start = 0; start < values.size();) {
            size_t count = splitLists_ ? 1 : values.size();
            word(6);
            dword(static_cast<uint32_t>(count));
            for (size_t i = 0; i < count; ++i) dword(values[start + i]);
            start += count;
        }
    }
    void floats(const std::vector<double>& values) override {
        for (size_t start = 0; start < values.size();) {
            size_t count = splitLists_ ? 1 : values.size();
            word(7);
            dword(static_cast<uint32_t>(count));
            for (size_t i = 0; i < count; ++i) {
                double v = values[start + i];
                if (floatBits_ == 64) {
                    uint64_t bits = std::bit_cast<uint64_t>(v);
                    dword(static_cast<uint32_t>(bits));
                    dword(static_cast<uint32_t>(bits >> 32));
                } else {
                    dword(std::bit_cast<uint32_t>(static_cast<float>(v)));
                }
            }
            start += count;
        }
    }
    void string(const std::string& value) override {
        word(2);
        dword(static_cast<uint32_t>(value.size()));
        bytes += value;
        if (wordStringEnd_) {
            word(20);
        } else {
            dword(20);
        }
    }
    void reference(const std::string& refName) override {
        word(10);
        name(refName);
        word(11);
    }

  private:
    int floatBits_;
    bool splitLists_;
    bool wordStringEnd_;
};

std::vector<double> translation(double x, double y, double z) {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

// A quad and a triangle in two nested frames; the quad uses the inline green material, the
// triangle lies past the end of the face index list and takes material 0, the referenced red one.
// Positions 0 and 3 are used with two different normals. An animation set follows that the
// loader does not know.
void writeSampleModel(ModelWriter& w) {
    w.templateDecl();
    w.begin("Material", "Red");
    w.floats({1, 0, 0, 1, 5, 1, 1, 1, 0, 0, 0});
    w.begin("TextureFilename", "");
    w.string("tex\\red.png");
    w.end();
    w.end();
    w.begin("Frame", "Root");
    w.begin("FrameTransformMatrix", "");
    w.floats(translation(1, 2, 3));
    w.end();
    w.begin("Frame", "Child");
    w.begin("FrameTransformMatrix", "");
    w.floats({2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1});
    w.end();
    w.begin("Mesh", "Shape");
    w.ints({5});
    w.floats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, -1, 0, 0});
    w.ints({2, 4, 0, 1, 2, 3, 3, 0, 3, 4});
    w.begin("MeshNormals", "");
    w.ints({2});
    w.floats({0, 0, -1, 0, 0, 1});
    w.ints({2, 4, 0, 0, 0, 0, 3, 1, 1, 1});
    w.end();
    w.begin("MeshTextureCoords", "");
    w.ints({5});
    w.floats({0, 0, 1, 0, 1, 1, 0, 1, 0.5, 0.5});
    w.end();
    w.begin("MeshVertexColors", "");
    w.ints({2, 0});
    w.floats({1, 0, 0, 1});
    w.ints({4});
    w.floats({0, 0, 1, 0.5});
    w.end();
    w.begin("MeshMaterialList", "");
    w.ints({2, 1, 1});
    w.reference("Red");
    w.begin("Material", "");
    w.floats({0, 1, 0, 1, 2, 0.5, 0.5, 0.5, 0.25, 0.25, 0.25});
    w.end();
    w.end();
    w.end();
    w.end();
    w.end();
    w.begin("AnimationSet", "");
    w.begin("Animation", "");
    w.reference("Shape");
    w.begin("AnimationKey", "");
    w.ints({2, 1, 0, 3});
    w.floats({1, 2, 3});
    w.end();
    w.end();
    w.end();
}

MeshData parseOk(std::string_view file) {
    XFileResult result = parseXFile(file);
    EXPECT_TRUE(result.mesh.has_value()) << result.error;
    return result.mesh ? std::move(*result.mesh) : MeshData{};
}

void expectFails(std::string_view file, const char* label = "") {
    XFileResult result = parseXFile(file);
    EXPECT_FALSE(result.mesh.has_value()) << label;
    EXPECT_FALSE(result.error.empty()) << label;
}

void expectVec(Vec3 v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

bool sameColor(ColorRGBA a, ColorRGBA b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

void expectSameMesh(const MeshData& a, const MeshData& b) {
    ASSERT_EQ(a.vertices.size(), b.vertices.size());
    for (size_t i = 0; i < a.vertices.size(); ++i) {
        const Vertex& x = a.vertices[i];
        const Vertex& y = b.vertices[i];
        EXPECT_TRUE(x.position.x == y.position.x && x.position.y == y.position.y &&
                    x.position.z == y.position.z && x.normal.x == y.normal.x &&
                    x.normal.y == y.normal.y && x.normal.z == y.normal.z && x.u == y.u &&
                    x.v == y.v && x.colorArgb == y.colorArgb)
            << "vertex " << i;
    }
    EXPECT_EQ(a.indices, b.indices);
    ASSERT_EQ(a.subsets.size(), b.subsets.size());
    for (size_t i = 0; i < a.subsets.size(); ++i) {
        EXPECT_EQ(a.subsets[i].firstIndex, b.subsets[i].firstIndex);
        EXPECT_EQ(a.subsets[i].indexCount, b.subsets[i].indexCount);
    }
    ASSERT_EQ(a.materials.size(), b.materials.size());
    for (size_t i = 0; i < a.materials.size(); ++i) {
        const XMaterial& x = a.materials[i];
        const XMaterial& y = b.materials[i];
        EXPECT_TRUE(sameColor(x.diffuse, y.diffuse) && sameColor(x.ambient, y.ambient) &&
                    sameColor(x.specular, y.specular) && sameColor(x.emissive, y.emissive) &&
                    x.power == y.power && x.textureFile == y.textureFile)
            << "material " << i;
    }
    EXPECT_EQ(a.hasNormals, b.hasNormals);
    EXPECT_EQ(a.hasTexCoords, b.hasTexCoords);
    EXPECT_EQ(a.hasColors, b.hasColors);
}

std::string sampleText() {
    TextWriter w;
    writeSampleModel(w);
    return w.text;
}

std::string sampleBinary(int floatBits, bool splitLists = false, bool wordStringEnd = false) {
    BinaryWriter w(floatBits, splitLists, wordStringEnd);
    writeSampleModel(w);
    return w.bytes;
}

// ---- The sample model, both encodings ----

TEST(XFileSample, LoadsFramesNormalsCoordsColoursAndMaterials) {
    MeshData mesh = parseOk(sampleText());
    // Five positions, two of them needing a second normal.
    ASSERT_EQ(mesh.vertices.size(), 7u);
    EXPECT_TRUE(mesh.hasNormals && mesh.hasTexCoords && mesh.hasColors);
    // Scaled by 2 in the child frame, then moved by (1, 2, 3).
    expectVec(mesh.vertices[2].position, 3, 4, 3);
    expectVec(mesh.vertices[4].position, -1, 2, 3);
    EXPECT_EQ(mesh.vertices[4].u, 0.5f);
    EXPECT_EQ(mesh.vertices[0].colorArgb, 0xFFFF0000u);
    EXPECT_EQ(mesh.vertices[4].colorArgb, 0x800000FFu);
    EXPECT_EQ(mesh.vertices[1].colorArgb, 0xFFFFFFFFu);

    ASSERT_EQ(mesh.materials.size(), 2u);
    EXPECT_EQ(mesh.materials[0].textureFile, "tex\\red.png");
    EXPECT_EQ(mesh.materials[1].diffuse.g, 1.0f);
    EXPECT_EQ(mesh.materials[1].textureFile, "");
    // The triangle (past the end of the face indexes) is subset 0, the quad's two are subset 1.
    ASSERT_EQ(mesh.subsets.size(), 2u);
    EXPECT_EQ(mesh.subsets[0].firstIndex, 0u);
    EXPECT_EQ(mesh.subsets[0].indexCount, 3u);
    EXPECT_EQ(mesh.subsets[1].firstIndex, 3u);
    EXPECT_EQ(mesh.subsets[1].indexCount, 6u);
    ASSERT_EQ(mesh.indices.size(), 9u);
    // The triangle's corners 0 and 3 carry the second normal: copies appended after the five.
    EXPECT_EQ(mesh.indices[0], 5u);
    EXPECT_EQ(mesh.indices[1], 6u);
    EXPECT_EQ(mesh.indices[2], 4u);
    expectVec(mesh.vertices[5].position, 1, 2, 3);
    expectVec(mesh.vertices[5].normal, 0, 0, 1);
    expectVec(mesh.vertices[0].normal, 0, 0, -1);
    EXPECT_EQ(mesh.vertices[5].colorArgb, mesh.vertices[0].colorArgb);
}

TEST(XFileSample, TextAndBinaryEncodingsGiveTheSameMesh) {
    MeshData text = parseOk(sampleText());
    {
        SCOPED_TRACE("32-bit binary");
        expectSameMesh(text, parseOk(sampleBinary(32)));
    }
    {
        SCOPED_TRACE("64-bit binary");
        expectSameMesh(text, parseOk(sampleBinary(64)));
    }
    {
        SCOPED_TRACE("binary with every value in its own list");
        expectSameMesh(text, parseOk(sampleBinary(32, true)));
    }
    {
        SCOPED_TRACE("binary with 16-bit string terminators");
        expectSameMesh(text, parseOk(sampleBinary(32, false, true)));
    }
}

TEST(XFileSample, EveryTruncationFailsCleanly) {
    // Any cut before the frame holding the mesh is closed must fail.
    std::string text = sampleText();
    size_t frameClose = text.rfind('}', text.find("AnimationSet"));
    for (size_t length = 0; length <= frameClose; ++length) {
        XFileResult result = parseXFile(std::string_view(text).substr(0, length));
        EXPECT_FALSE(result.mesh.has_value()) << "text cut at " << length;
    }
    std::string binary = sampleBinary(32);
    size_t frameEnd = binary.find("AnimationSet") - 6;  // its name token: code and length first
    for (size_t length = 0; length < frameEnd; ++length) {
        XFileResult result = parseXFile(std::string_view(binary).substr(0, length));
        EXPECT_FALSE(result.mesh.has_value()) << "binary cut at " << length;
    }
}

TEST(XFileSample, CorruptedBytesNeverCrash) {
    std::string binary = sampleBinary(32);
    std::string text = sampleText();
    uint32_t state = 12345;
    auto random = [&state] { return state = state * 1664525u + 1013904223u; };
    for (int round = 0; round < 2000; ++round) {
        std::string damaged = (round % 2) ? binary : text;
        for (int hits = 0; hits < 4; ++hits) {
            size_t at = 16 + random() % (damaged.size() - 16);
            damaged[at] = static_cast<char>(random() >> 24);
        }
        XFileResult result = parseXFile(damaged);
        EXPECT_TRUE(result.mesh.has_value() || !result.error.empty());
    }
}

// ---- Text syntax ----

constexpr const char* kTriangleMesh = R"(
Mesh Tri {
  3;
  0.0; 0.0; 0.0;,
  1.0; 0.0; 0.0;,
  0.0; 1.0; 0.0;;
  1;
  3; 0, 1, 2;;
}
)";

TEST(XFileText, SkipsCommentsTemplatesGuidsAndUnknownObjects) {
    std::string file = std::string("xof 0302txt 0064\n") + R"(
# a comment { with braces
// another } comment
template Mesh { <3D82AB44-62DA-11cf-AB39-0020AF71E433> DWORD nVertices; array Vector vertices[nVertices]; [...] }
Header { 1; 0; 1; }
SomethingElse 1st_named { <01234567-89AB-CDEF-0123-456789ABCDEF> 1.5; "text"; Inner { 2; } { Ref } }
Mesh Tri { <3D82AB44-62DA-11cf-AB39-0020AF71E433> // trailing comment
  3;;; 0; 0; 0;, 1e0; 0; 0;, -.0; +1.0; 0;;  # extra separators are harmless
  1; 3; 0, 1, 2;;;
}
)";
    MeshData mesh = parseOk(file);
    ASSERT_EQ(mesh.vertices.size(), 3u);
    expectVec(mesh.vertices[1].position, 1, 0, 0);
    expectVec(mesh.vertices[2].position, 0, 1, 0);
    EXPECT_EQ(mesh.indices, (std::vector<uint32_t>{0, 1, 2}));
}

TEST(XFileText, PolygonsAreFannedFromTheirFirstCorner) {
    MeshData mesh = parseOk(R"(xof 0303txt 0032
Mesh {
  6; 0;0;0;, 1;0;0;, 2;1;0;, 1;2;0;, 0;1;0;, 5;5;5;;
  2;
  5; 0, 1, 2, 3, 4;,
  4; 5, 4, 3, 2;;
})");
    EXPECT_EQ(mesh.indices, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 0, 3, 4, 5, 4, 3, 5, 3, 2}));
}

TEST(XFileNormals, PositionsWithSeveralNormalsAreSplitOncePerPair) {
    MeshData mesh = parseOk(R"(xof 0303txt 0032
Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;
  3; 3;0,1,2;, 3;0,2,3;, 3;0,3,1;;
  MeshNormals { 2; 0;0;1;, 0;1;0;; 3; 3;0,0,0;, 3;1,1,1;, 3;1,1,1;; } })");
    ASSERT_EQ(mesh.vertices.size(), 7u);
    EXPECT_EQ(mesh.indices, (std::vector<uint32_t>{0, 1, 2, 4, 5, 3, 4, 3, 6}));
    expectVec(mesh.vertices[4].position, 0, 0, 0);
    expectVec(mesh.vertices[4].normal, 0, 1, 0);
    expectVec(mesh.vertices[0].normal, 0, 0, 1);
    expectVec(mesh.vertices[6].position, 1, 0, 0);
}

// ---- Frames ----

TEST(XFileFrames, ChildMatrixAppliesBeforeParentMatrix) {
    // Outer frame moves by (10, 0, 0); the inner one turns 90 degrees about z. A point at (1, 0, 0)
    // in the inner frame is turned first, to (0, 1, 0), then moved: (10, 1, 0).
    std::string file = R"(xof 0303txt 0032
Frame Outer {
  FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }
  Frame Inner {
    FrameTransformMatrix { 0,1,0,0, -1,0,0,0, 0,0,1,0, 0,0,0,1;; }
    Mesh { 3; 1;0;0;, 2;0;0;, 1;1;0;; 1; 3;0,1,2;;
      MeshNormals { 1; 1;0;0;; 1; 3;0,0,0;; } }
  }
  Mesh { 3; 1;0;0;, 2;0;0;, 1;1;0;; 1; 3;0,1,2;; }
}
Mesh { 3; 1;0;0;, 2;0;0;, 1;1;0;; 1; 3;0,1,2;; }
)";
    MeshData mesh = parseOk(file);
    ASSERT_EQ(mesh.vertices.size(), 9u);
    expectVec(mesh.vertices[0].position, 10, 1, 0);
    expectVec(mesh.vertices[1].position, 10, 2, 0);
    expectVec(mesh.vertices[0].normal, 0, 1, 0);
    expectVec(mesh.vertices[3].position, 11, 0, 0);  // only the outer frame's move
    expectVec(mesh.vertices[6].position, 1, 0, 0);   // top level: untouched
    // Every mesh went through the default material: one subset holding all three triangles.
    ASSERT_EQ(mesh.subsets.size(), 1u);
    EXPECT_EQ(mesh.subsets[0].indexCount, 9u);
    EXPECT_EQ(mesh.indices[3], 3u);
    EXPECT_EQ(mesh.indices[6], 6u);
}

TEST(XFileFrames, NormalsStayPerpendicularAndUnitUnderScaling) {
    // Stretching x by 2 tilts a 45-degree slope's normal towards y: (1, 1) becomes (1/2, 1).
    MeshData mesh = parseOk(R"(xof 0303txt 0032
Frame { FrameTransformMatrix { 2,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; }
  Mesh { 3; 0;0;0;, 1;-1;0;, 0;0;1;; 1; 3;0,1,2;;
    MeshNormals { 1; 0.70710678;0.70710678;0;; 1; 3;0,0,0;; } } })");
    ASSERT_EQ(mesh.vertices.size(), 3u);
    float length = std::sqrt(0.25f + 1.0f);
    expectVec(mesh.vertices[0].normal, 0.5f / length, 1.0f / length, 0);
}

// ---- Materials ----

TEST(XFileMaterials, ConvertedWithFixedAmbientAndOpaqueSpecularAndEmissive) {
    MeshData mesh = parseOk(R"(xof 0303txt 0032
Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;
  MeshMaterialList { 1; 1; 0;;
    Material { 0.1;0.2;0.3;0.4;; 7.5; 0.5;0.6;0.7;; 0.8;0.9;1.0;;
      TextureFileName { "wood\oak.bmp"; } } } })");
    ASSERT_EQ(mesh.materials.size(), 1u);
    const XMaterial& m = mesh.materials[0];
    EXPECT_TRUE(sameColor(m.diffuse, {0.1f, 0.2f, 0.3f, 0.4f}));
    EXPECT_TRUE(sameColor(m.ambient, {0, 0, 0, 1}));
    EXPECT_TRUE(sameColor(m.specular, {0.5f, 0.6f, 0.7f, 1}));
    EXPECT_TRUE(sameColor(m.emissive, {0.8f, 0.9f, 1.0f, 1}));
    EXPECT_EQ(m.power, 7.5f);
    EXPECT_EQ(m.textureFile, "wood\\oak.bmp");
}

TEST(XFileMaterials, MeshWithoutMaterialsGetsTheDefault) {
    MeshData mesh = parseOk(std::string("xof 0303txt 0032") + kTriangleMesh + kTriangleMesh);
    ASSERT_EQ(mesh.materials.size(), 1u);
    const XMaterial& m = mesh.materials[0];
    EXPECT_TRUE(sameColor(m.diffuse, {0.5f, 0.5f, 0.5f, 0}));
    EXPECT_TRUE(sameColor(m.specular, m.diffuse));
    EXPECT_TRUE(sameColor(m.ambient, {0, 0, 0, 0}));
    EXPECT_TRUE(sameColor(m.emissive, {0, 0, 0, 0}));
    EXPECT_EQ(m.power, 0.0f);
    EXPECT_EQ(m.textureFile, "");
    ASSERT_EQ(mesh.subsets.size(), 1u);
    EXPECT_EQ(mesh.subsets[0].indexCount, 6u);
}

TEST(XFileMaterials, ListsOfSeveralMeshesAreAppendedInOrder) {
    // The second mesh's material 0 becomes subset 2, also for its face past the end of its list.
    MeshData mesh = parseOk(R"(xof 0303txt 0032
Material Blue { 0;0;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { "blue.png"; } }
Mesh A { 3; 0;0;0;, 1;0;0;, 0;1;0;; 2; 3;0,1,2;, 3;2,1,0;;
  MeshMaterialList { 2; 2; 1, 0;; { Blue } Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }
Mesh B { 3; 0;0;0;, 1;0;0;, 0;1;0;; 3; 3;0,1,2;, 3;1,2,0;, 3;2,0,1;;
  MeshMaterialList { 2; 2; 1, 0;; Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; } { Blue } } }
)");
    ASSERT_EQ(mesh.materials.size(), 4u);
    EXPECT_EQ(mesh.materials[0].textureFile, "blue.png");
    EXPECT_EQ(mesh.materials[2].diffuse.g, 0.0f);
    EXPECT_EQ(mesh.materials[3].textureFile, "blue.png");
    ASSERT_EQ(mesh.subsets.size(), 4u);
    const uint32_t expectedCounts[] = {3, 3, 6, 3};
    uint32_t next = 0;
    for (size_t s = 0; s < 4; ++s) {
        EXPECT_EQ(mesh.subsets[s].firstIndex, next) << "subset " << s;
        EXPECT_EQ(mesh.subsets[s].indexCount, expectedCounts[s]) << "subset " << s;
        next += mesh.subsets[s].indexCount;
    }
    // Subset 0 is mesh A's second face (2, 1, 0); subset 2 mesh B's second face, moved by 3.
    EXPECT_EQ(std::vector<uint32_t>(mesh.indices.begin(), mesh.indices.begin() + 3),
              (std::vector<uint32_t>{2, 1, 0}));
    EXPECT_EQ(std::vector<uint32_t>(mesh.indices.begin() + 6, mesh.indices.begin() + 9),
              (std::vector<uint32_t>{4, 5, 3}));
}

// ---- Malformed files ----

std::string textFile(const std::string& body) { return "xof 0303txt 0032\n" + body; }

TEST(XFileFailures, StructuralProblemsFail) {
    expectFails(textFile("Frame { FrameTransformMatrix { 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; } }"),
                "no mesh");
    expectFails("", "empty");
    expectFails("xyz 0303txt 0032 Mesh {}", "not a .x header");
    expectFails("xof 0303tzip0032" + std::string(kTriangleMesh), "compressed");
    expectFails("xof 0303txt 0016" + std::string(kTriangleMesh), "unknown float size");
    expectFails(textFile(std::string(kTriangleMesh) + "}"), "unbalanced braces");
    expectFails(textFile("Mesh { 3; 0;0;0;, 1;0;0;, 0;1.#IND;0;; 1; 3;0,1,2;; }"), "bad number");
    expectFails(textFile("Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;"
                         " MeshMaterialList { 1; 1; 0;; { Nowhere } } }"),
                "reference to a missing material");
    std::string deep;
    for (int i = 0; i < 200; ++i) deep += "Frame {";
    deep += kTriangleMesh;
    for (int i = 0; i < 200; ++i) deep += "}";
    expectFails(textFile(deep), "absurd nesting");
}

TEST(XFileFailures, CountsAndIndicesThatDoNotFitFail) {
    const std::string positions = "3; 0;0;0;, 1;0;0;, 0;1;0;;";
    expectFails(textFile("Mesh { " + positions + " 1; 3;0,1,3;; }"), "face index out of range");
    expectFails(textFile("Mesh { " + positions + " 1; 2;0,1;; }"), "face with two corners");
    expectFails(textFile("Mesh { 4; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }"),
                "fewer vertices than counted");
    expectFails(textFile("Mesh { " + positions + " 1; 3;0,1,2;; 7; }"), "more values than counted");
    expectFails(textFile("Mesh { 3.0; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }"), "fractional count");
    expectFails(textFile("Mesh { " + positions +
                         " 1; 3;0,1,2;; MeshMaterialList { 1; 1; 1;;"
                         " Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }"),
                "material index not below the material count");
    expectFails(textFile("Mesh { " + positions +
                         " 1; 3;0,1,2;; MeshMaterialList { 2; 1; 0;;"
                         " Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }"),
                "fewer materials than declared");
    expectFails(textFile("Mesh { " + positions +
                         " 1; 3;0,1,2;;"
                         " MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; } }"),
                "normal faces that do not match the mesh faces");
    expectFails(textFile("Mesh { " + positions +
                         " 1; 3;0,1,2;;"
                         " MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; } }"),
                "normal index out of range");
    expectFails(textFile("Mesh { " + positions +
                         " 1; 3;0,1,2;;"
                         " MeshTextureCoords { 2; 0;0;, 1;1;; } }"),
                "texture coordinates for fewer vertices");
    expectFails(textFile("Mesh { " + positions +
                         " 1; 3;0,1,2;;"
                         " MeshVertexColors { 1; 3; 1;1;1;1;; } }"),
                "vertex colour for a missing vertex");
    expectFails(textFile("Mesh { 4000000000; 0;0;0;; 1; 3;0,0,0;; }"), "huge vertex count");
    expectFails(textFile("Mesh { " + positions + " 4294967295; 3;0,1,2;; }"), "huge face count");
    expectFails(textFile("Mesh { " + positions + " 1; 4294967295;0,1,2;; }"), "huge corner count");
}

TEST(XFileFailures, BinaryListLongerThanTheFileFails) {
    BinaryWriter w(32);
    w.begin("Mesh", "");
    w.word(7);  // a float list claiming four billion values
    w.dword(0xFFFFFFFFu);
    w.dword(0);
    w.end();
    expectFails(w.bytes);

    BinaryWriter unknown(32);
    unknown.begin("Mesh", "");
    unknown.word(99);  // no such token
    unknown.end();
    expectFails(unknown.bytes);
}

}  // namespace
}  // namespace darts::gfx
