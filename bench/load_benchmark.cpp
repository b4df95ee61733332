// Model parsing throughput on a large generated mesh (a grid of 100,000 triangles with normals),
// in the text and the binary encoding.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "gfx/xfile.h"

namespace {

constexpr int kGrid = 224;  // 224 x 224 quads: 100,352 triangles

void appendWord(std::string& out, uint16_t v) { out.append(reinterpret_cast<char*>(&v), 2); }
void appendDword(std::string& out, uint32_t v) { out.append(reinterpret_cast<char*>(&v), 4); }
void appendFloat(std::string& out, float v) { out.append(reinterpret_cast<char*>(&v), 4); }

uint32_t vertexIndex(int x, int y) { return static_cast<uint32_t>(y * (kGrid + 1) + x); }

std::string textModel() {
    std::string out = "xof 0303txt 0032\nMesh Grid {\n";
    const int vertices = (kGrid + 1) * (kGrid + 1);
    out += std::to_string(vertices) + ";\n";
    char line[96];
    for (int y = 0; y <= kGrid; ++y) {
        for (int x = 0; x <= kGrid; ++x) {
            std::snprintf(line, sizeof line, "%.5f;%.5f;%.5f;%c\n", x * 0.01f, y * 0.01f,
                          (x ^ y) * 0.0001f, y == kGrid && x == kGrid ? ';' : ',');
            out += line;
        }
    }
    out += std::to_string(2 * kGrid * kGrid) + ";\n";
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            bool last = y == kGrid - 1 && x == kGrid - 1;
            std::snprintf(line, sizeof line, "3;%u,%u,%u;,\n3;%u,%u,%u;%c\n", vertexIndex(x, y),
                          vertexIndex(x + 1, y), vertexIndex(x + 1, y + 1), vertexIndex(x, y),
                          vertexIndex(x + 1, y + 1), vertexIndex(x, y + 1), last ? ';' : ',');
            out += line;
        }
    }
    out += "MeshNormals {\n1;\n0.0;0.0;-1.0;;\n" + std::to_string(2 * kGrid * kGrid) + ";\n";
    for (int f = 0; f < 2 * kGrid * kGrid; ++f) {
        out += f + 1 == 2 * kGrid * kGrid ? "3;0,0,0;;\n" : "3;0,0,0;,\n";
    }
    out += "}\n}\n";
    return out;
}

std::string binaryModel() {
    enum : uint16_t {
        kName = 1,
        kIntegerList = 6,
        kFloatList = 7,
        kOpenBrace = 10,
        kCloseBrace = 11
    };
    std::string out = "xof 0303bin 0032";
    auto name = [&](const char* text) {
        appendWord(out, kName);
        appendDword(out, static_cast<uint32_t>(std::strlen(text)));
        out += text;
    };
    const uint32_t vertices = (kGrid + 1) * (kGrid + 1);
    const uint32_t faces = 2 * kGrid * kGrid;
    name("Mesh");
    appendWord(out, kOpenBrace);
    appendWord(out, kIntegerList);
    appendDword(out, 1);
    appendDword(out, vertices);
    appendWord(out, kFloatList);
    appendDword(out, vertices * 3);
    for (int y = 0; y <= kGrid; ++y) {
        for (int x = 0; x <= kGrid; ++x) {
            appendFloat(out, x * 0.01f);
            appendFloat(out, y * 0.01f);
            appendFloat(out, (x ^ y) * 0.0001f);
        }
    }
    appendWord(out, kIntegerList);
    appendDword(out, 1 + faces * 4);
    appendDword(out, faces);
    for (int y = 0; y < kGrid; ++y) {
        for (int x = 0; x < kGrid; ++x) {
            for (uint32_t v :
                 {3u, vertexIndex(x, y), vertexIndex(x + 1, y), vertexIndex(x + 1, y + 1), 3u,
                  vertexIndex(x, y), vertexIndex(x + 1, y + 1), vertexIndex(x, y + 1)}) {
                appendDword(out, v);
            }
        }
    }
    name("MeshNormals");
    appendWord(out, kOpenBrace);
    appendWord(out, kIntegerList);
    appendDword(out, 1);
    appendDword(out, 1);
    appendWord(out, kFloatList);
    appendDword(out, 3);
    appendFloat(out, 0);
    appendFloat(out, 0);
    appendFloat(out, -1);
    appendWord(out, kIntegerList);
    appendDword(out, 1 + faces * 4);
    appendDword(out, faces);
    for (uint32_t f = 0; f < faces; ++f) {
        for (uint32_t v : {3u, 0u, 0u, 0u}) appendDword(out, v);
    }
    appendWord(out, kCloseBrace);
    appendWord(out, kCloseBrace);
    return out;
}

void parse(benchmark::State& bench, const std::string& file) {
    for (auto _ : bench) {
        darts::gfx::XFileResult result = darts::gfx::parseXFile(file);
        if (!result.mesh || result.mesh->indices.size() != 3u * 2 * kGrid * kGrid) {
            bench.SkipWithError(("the model did not load: " + result.error).c_str());
            return;
        }
        benchmark::DoNotOptimize(result);
    }
    bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations()) *
                            static_cast<int64_t>(file.size()));
}

void BM_ParseTextModel(benchmark::State& bench) { parse(bench, textModel()); }
void BM_ParseBinaryModel(benchmark::State& bench) { parse(bench, binaryModel()); }
BENCHMARK(BM_ParseTextModel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseBinaryModel)->Unit(benchmark::kMillisecond);

}  // namespace
