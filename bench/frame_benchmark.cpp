// One drawn frame of the match on the real OpenGL device, unpaced: the game's own models seen
// from the aiming camera, and a synthetic stand-in (about 20,000 lit triangles in four large
// meshes close to the camera), each with ten 2D quads and twenty short texts, against a frame
// that only clears and presents; and the game's frame drawn sharp at the size of a large screen
// against the ordinary frame scaled up to it. Without a display SDL's offscreen driver is used.
// Run from the top of the repository.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "core/game_path.h"
#include "gfx/image.h"
#include "match/flight.h"
#include "match/rules.h"
#include "platform/sdl/sdl_window.h"
#include "render/draw2d.h"
#include "render/gl/gl_device.h"
#include "render/match_scene.h"
#include "render/mesh_loading.h"

namespace {

using namespace darts;
using render::GlDevice;

struct Target {
    std::unique_ptr<platform::SdlGlWindow> window;
    std::unique_ptr<GlDevice> device;
    std::string error;
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    render::MeshHandle meshes[4] = {};
    bool gameModelsLoaded = false;
};

// The game's own four models with their textures, as start-up loads them (run from the top of
// the repository).
bool loadGameModels(GlDevice& device, GameState& state) {
    struct ModelFile {
        const char* gamePath;
        render::TexturePathRule rule;
        render::MeshAsset* asset;
    };
    const ModelFile files[] = {
        {"data\\hand.x", render::TexturePathRule::NameUnchanged, &state.handModel},
        {"data\\room.x", render::TexturePathRule::InDataFolder, &state.roomModel},
        {"data\\Board.x", render::TexturePathRule::InDataFolder, &state.boardModel},
        {"data\\darts.x", render::TexturePathRule::NameUnchanged, &state.dartModel},
    };
    for (const ModelFile& file : files) {
        render::MeshLoadResult loaded = render::loadMeshAsset(file.gamePath, file.rule);
        if (!loaded.model) return false;
        render::MeshAsset asset = loaded.model->asset;
        asset.mesh = device.createMesh(loaded.model->mesh);
        for (size_t i = 0; i < asset.textureFiles.size(); ++i) {
            if (asset.textureFiles[i].empty()) continue;
            auto image = gfx::decodeImageFile(gamePathToHost(asset.textureFiles[i]));
            if (image) asset.textures[i] = device.createTexture(*image);
        }
        *file.asset = std::move(asset);
    }
    return true;
}

// A wavy grid of cells x cells quads centred at (x, y, z), facing the camera.
gfx::MeshData grid(int cells, float size, float x, float y, float z) {
    gfx::MeshData mesh;
    for (int j = 0; j <= cells; ++j) {
        for (int i = 0; i <= cells; ++i) {
            const float u = float(i) / float(cells), v = float(j) / float(cells);
            gfx::Vertex vertex;
            const float bump = 0.2f * std::sin(u * 12.0f) * std::cos(v * 9.0f);
            vertex.position = {x + (u - 0.5f) * size, y + (0.5f - v) * size, z + bump};
            vertex.normal = {0.3f * std::cos(u * 12.0f), 0.2f, -1.0f};
            vertex.u = u * 4;
            vertex.v = v * 4;
            mesh.vertices.push_back(vertex);
        }
    }
    const uint32_t row = uint32_t(cells) + 1;
    for (uint32_t j = 0; j < uint32_t(cells); ++j) {
        for (uint32_t i = 0; i < uint32_t(cells); ++i) {
            const uint32_t a = j * row + i;
            mesh.indices.insert(mesh.indices.end(),
                                {a, a + 1, a + row + 1, a, a + row + 1, a + row});
        }
    }
    mesh.subsets = {{0, uint32_t(mesh.indices.size())}};
    mesh.materials.resize(1);
    mesh.hasNormals = mesh.hasTexCoords = true;
    return mesh;
}

gfx::Image checker(int size) {
    gfx::Image image{size, size, std::vector<uint8_t>(size_t(size) * size * 4)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            uint8_t* p = &image.rgba[(size_t(y) * size + x) * 4];
            const bool dark = ((x / 16) ^ (y / 16)) & 1;
            p[0] = dark ? 60 : 220;
            p[1] = dark ? 40 : 200;
            p[2] = dark ? 30 : 180;
            p[3] = 255;
        }
    }
    return image;
}

// Makes the device on `shown` and loads into it the stand-in meshes, textures and fonts and the
// game's own models.
void equip(Target& made, platform::SdlGlWindow* shown, render::GlPresenter presenter) {
    presenter.present = [shown] { shown->present(); };
    presenter.drawableSize = [shown] {
        const platform::DrawableSize size = shown->drawableSize();
        return render::PixelSize{size.width, size.height};
    };
    render::GlDeviceResult device = GlDevice::create(std::move(presenter));
    if (!device.device) {
        made.error = device.error;
        return;
    }
    made.device = std::move(device.device);
    GlDevice& d = *made.device;
    // Room, board, hand and dart: 9,800 + 5,000 + 3,200 + 1,800 triangles.
    made.meshes[0] = d.createMesh(grid(70, 14, 0, 2, 12));
    made.meshes[1] = d.createMesh(grid(50, 3, 0.05f, 2, 11));
    made.meshes[2] = d.createMesh(grid(40, 1.5f, 0.5f, 1.2f, 2));
    made.meshes[3] = d.createMesh(grid(30, 0.6f, 0.2f, 1.8f, 1.8f));
    GameState& s = *made.state;
    for (int i = 0; i < 8; ++i) s.overlayTextures[i] = d.createTexture(checker(128));
    for (int i = 1; i < 9; ++i) s.portraitTextures[i] = d.createTexture(checker(64));
    s.smallFont = d.createFont(12, 14);
    s.largeFont = d.createFont(42, 44);
    made.gameModelsLoaded = loadGameModels(d, s);
}

Target& target() {
    static Target t = [] {
        Target made;
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        platform::WindowOptions options;
        options.windowed = true;
        options.unpaced = true;
        platform::WindowResult window = platform::SdlGlWindow::create(options);
        if (!window.window) {
            made.error = window.error;
            return made;
        }
        made.window = std::move(window.window);
        equip(made, made.window.get(), {});
        return made;
    }();
    return t;
}

// A second device on the same window drawing the sharp picture, with or without the smooth HUD.
Target& sharpTarget(bool smoothHud) {
    auto make = [smoothHud] {
        Target made;
        Target& ordinary = target();
        if (!ordinary.window) {
            made.error = ordinary.error;
            return made;
        }
        render::GlPresenter presenter;
        presenter.sharp = true;
        presenter.smoothHud = smoothHud;
        equip(made, ordinary.window.get(), std::move(presenter));
        return made;
    };
    if (smoothHud) {
        static Target smooth = make();
        return smooth;
    }
    static Target sharp = make();
    return sharp;
}

// The HUD's load: panels, portrait, board picture, gauge, marker and a few more, and twenty texts.
void drawHudLikeOverlays(GlDevice& d, GameState& s) {
    const float quads[10][4] = {{510, 0, 800, 80},   {600, 100, 750, 200}, {620, 350, 720, 460},
                                {0, 0, 280, 280},    {245, 530, 495, 550}, {370, 530, 420, 550},
                                {20, 300, 120, 400}, {140, 300, 240, 400}, {300, 20, 400, 60},
                                {420, 20, 500, 60}};
    for (int i = 0; i < 10; ++i) {
        render::drawQuad2D(s, d,
                           render::quadCorners(quads[i][0], quads[i][1], quads[i][2], quads[i][3]),
                           i % 2 ? 255 : 120, i % 8, i == 2 ? 1 : 0);
    }
    for (int i = 0; i < 20; ++i) {
        std::snprintf(s.textBuffer, sizeof s.textBuffer, "%d POINT", 60 - i);
        if (i < 16) {
            render::drawText(s, d, 0xFFFFFFFF, 520 + (i % 4) * 60, 10 + (i / 4) * 20, 0);
        } else {
            render::drawTextGrid(s, d, 0xFFFF0000, 6 + (i - 16) * 4, 0, 100);
        }
    }
}

// The match scene as the game draws it (aiming camera, room, board, hand and held dart) with the
// HUD's load on top.
void drawGameFrame(Target& t) {
    GlDevice& d = *t.device;
    GameState& s = *t.state;
    d.beginFrame();
    render::setMatchCamera(s, d);
    const std::pair<PlaceMode, const render::MeshAsset*> objects[] = {
        {PlaceMode::Room, &s.roomModel},
        {PlaceMode::Board, &s.boardModel},
        {PlaceMode::Hand, &s.handModel},
        {PlaceMode::DartInPlay, &s.dartModel}};
    for (const auto& [mode, model] : objects) {
        d.setTransform(render::TransformKind::World, placeObject(s, mode, 0));
        render::drawMeshAsset(d, *model);
    }
    drawHudLikeOverlays(d, s);
    d.endFrame();
}

void drawMatchLikeFrame(Target& t) {
    GlDevice& d = *t.device;
    GameState& s = *t.state;
    d.beginFrame();
    d.setTransform(render::TransformKind::View,
                   gfx::matrixLookAtLH({0, 2, -7}, {0, 2, 0}, {0, 1, 0}));
    d.setTransform(render::TransformKind::Projection,
                   gfx::matrixPerspectiveFovLH(0.7853982f, 1.0f, 1.0f, 100.0f));
    render::Material material{};
    material.diffuse = {0.8f, 0.7f, 0.6f, 1.0f};
    material.specular = {0.3f, 0.3f, 0.3f, 1.0f};
    material.power = 8;
    for (int i = 0; i < 4; ++i) {
        d.setTransform(render::TransformKind::World, gfx::identityMatrix());
        d.setMaterial(material);
        d.setTexture(i < 2 ? s.overlayTextures[i] : 0);
        d.drawSubset(t.meshes[i], 0);
    }
    drawHudLikeOverlays(d, s);
    d.endFrame();
}

void BM_MatchFrame(benchmark::State& state) {
    Target& t = target();
    if (!t.device) {
        state.SkipWithError(t.error.c_str());
        return;
    }
    for (auto _ : state) drawMatchLikeFrame(t);
    // Reading the frame back waits for the frames to finish; without it the queue hides the cost.
    benchmark::DoNotOptimize(t.device->readFrame());
}
BENCHMARK(BM_MatchFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GameModelsFrame(benchmark::State& state) {
    Target& t = target();
    if (!t.device || !t.gameModelsLoaded) {
        state.SkipWithError(t.device ? "cannot load the game's models" : t.error.c_str());
        return;
    }
    GameState& s = *t.state;
    s.dartState = DartState::InHand;
    newMatch(s);
    s.swingDirection = 0;  // hold the arm still: every frame draws the same picture
    for (auto _ : state) drawGameFrame(t);
    benchmark::DoNotOptimize(t.device->readFrame());
}
BENCHMARK(BM_GameModelsFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EmptyFrame(benchmark::State& state) {
    Target& t = target();
    if (!t.device) {
        state.SkipWithError(t.error.c_str());
        return;
    }
    for (auto _ : state) {
        t.device->beginFrame();
        t.device->endFrame();
    }
    benchmark::DoNotOptimize(t.device->readFrame());
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Presenting one empty frame onto a window of 800 x 600, 1920 x 1080 and 3840 x 2160: the bars,
// the whole-factor nearest prescale and the one linear step, against the plain copy. The window
// must really take the size, so run under an X server that large:
//   xvfb-run -a -s "-screen 0 3840x2160x24" env SDL_VIDEODRIVER=x11 darts_frame_bench
void BM_PresentScaled(benchmark::State& state) {
    Target& t = target();
    if (!t.device) {
        state.SkipWithError(t.error.c_str());
        return;
    }
    const int width = int(state.range(0)), height = int(state.range(1));
    SDL_SetWindowSize(t.window->sdlWindow(), width, height);
    for (int i = 0; i < 3; ++i) {  // the window manager's and driver's round trips
        t.device->beginFrame();
        t.device->endFrame();
    }
    const platform::DrawableSize size = t.window->drawableSize();
    if (size.width != width || size.height != height) {
        state.SkipWithError("the window cannot take that size with this video driver");
        return;
    }
    for (auto _ : state) {
        t.device->beginFrame();
        t.device->endFrame();
    }
    benchmark::DoNotOptimize(t.device->readFrame());
    SDL_SetWindowSize(t.window->sdlWindow(), 800, 600);
}
BENCHMARK(BM_PresentScaled)
    ->Args({800, 600})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The game's frame (its models from the aiming camera and the HUD's load) shown on a window of
// 1920 x 1080 and 3840 x 2160: drawn at 800 x 600 and scaled when presented (picture 0), drawn
// sharp at the size shown, 1440 x 1080 or 2880 x 2160 (picture 1), and sharp with the smooth HUD
// (picture 2). Under an X server that large, as BM_PresentScaled.
void BM_FrameShownAt(benchmark::State& state) {
    const int picture = int(state.range(2));
    Target& t = picture == 0 ? target() : sharpTarget(picture == 2);
    if (!t.device || !t.gameModelsLoaded) {
        state.SkipWithError(t.device ? "cannot load the game's models" : t.error.c_str());
        return;
    }
    const int width = int(state.range(0)), height = int(state.range(1));
    SDL_Window* window = target().window->sdlWindow();
    SDL_SetWindowSize(window, width, height);
    GameState& s = *t.state;
    s.dartState = DartState::InHand;
    newMatch(s);
    s.swingDirection = 0;  // hold the arm still: every frame draws the same picture
    for (int i = 0; i < 3; ++i) drawGameFrame(t);  // round trips, and the sharp frame's resizing
    const platform::DrawableSize size = target().window->drawableSize();
    if (size.width != width || size.height != height) {
        state.SkipWithError("the window cannot take that size with this video driver");
        SDL_SetWindowSize(window, 800, 600);
        return;
    }
    for (auto _ : state) drawGameFrame(t);
    const std::optional<gfx::Image> frame = t.device->readFrame();
    state.counters["frame_width"] = frame ? frame->width : 0;
    SDL_SetWindowSize(window, 800, 600);
}
BENCHMARK(BM_FrameShownAt)
    ->ArgNames({"w", "h", "picture"})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Args({3840, 2160, 0})
    ->Args({3840, 2160, 1})
    ->Args({3840, 2160, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
