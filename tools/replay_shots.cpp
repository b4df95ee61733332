// Pictures of the instant replay (the --replay option), to judge it by eye: a whole match played by
// the computer on both sides through the real match loop, and every few frames of its first
// replay written out, with a match frame from just before it for comparison.
//
//   replay-shots OUTDIR [--language ja|en] [--game 301|countup] [--every N]
//
// Run from the source tree (it loads the game's assets). 301 replays the match-winning dart;
// countup (a strong computer alone) replays its first TON 80. Uses SDL's offscreen driver unless
// SDL_VIDEODRIVER says otherwise.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "assets/asset_loading.h"
#include "gfx/png_writer.h"
#include "loops/autoplay.h"
#include "loops/feature_layer.h"
#include "replay/replay_layer.h"

#include "offscreen_gl.h"

namespace {

using namespace darts;

// Draws only the frames asked for (the match's other frames would take minutes on a software
// renderer) and keeps the last match frame's picture, the scene the replay breaks into.
class ChoosyDevice final : public render::Device {
  public:
    explicit ChoosyDevice(render::Device& inner) : inner_(inner) {}
    void beginFrame() override {
        if (drawing) inner_.beginFrame();
    }
    void endFrame() override {
        if (!drawing) return;
        if (keep) {
            before = std::move(kept);
            kept = inner_.readFrame();
        }
        inner_.endFrame();
    }
    void setTransform(render::TransformKind kind, const gfx::Matrix& m) override {
        if (drawing) inner_.setTransform(kind, m);
    }
    void setMaterial(const render::Material& m) override {
        if (drawing) inner_.setMaterial(m);
    }
    void setTexture(render::TextureHandle t) override {
        if (drawing) inner_.setTexture(t);
    }
    void drawSubset(render::MeshHandle mesh, int subset) override {
        if (drawing) inner_.drawSubset(mesh, subset);
    }
    render::TextureHandle createTexture(const gfx::Image& image) override {
        return inner_.createTexture(image);
    }
    render::MeshHandle createMesh(const gfx::MeshData& mesh) override {
        return inner_.createMesh(mesh);
    }
    void drawScreenFan(std::span<const render::ScreenVertex> v) override {
        if (drawing) inner_.drawScreenFan(v);
    }
    render::FontHandle createFont(int height, int width) override {
        return inner_.createFont(height, width);
    }
    void drawText(render::FontHandle font, std::string_view text, int x, int y,
                  uint32_t argb) override {
        if (drawing) inner_.drawText(font, text, x, y, argb);
    }
    std::optional<gfx::Image> readFrame() override { return inner_.readFrame(); }

    bool drawing = true;
    bool keep = true;
    std::optional<gfx::Image> kept;
    std::optional<gfx::Image> before;  // the frame drawn before the last

  private:
    render::Device& inner_;
};

// Placed before the replay layer: after each match frame it decides whether the frames up to the
// next match frame are drawn. A replay follows a finished dart, so the end of each landing display
// and whatever comes right after a dart is finished are.
class FrameChooser final : public FeatureLayer {
  public:
    explicit FrameChooser(ChoosyDevice& device) : device_(device) {}
    void matchFrameDone(GameState& state, FrameIo&) override {
        const bool finished = state.dartsFinished != dartsSeen_;
        dartsSeen_ = state.dartsFinished;
        device_.drawing = finished || state.hitTimer >= 165;
    }

  private:
    ChoosyDevice& device_;
    uint32_t dartsSeen_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: replay-shots OUTDIR [--language ja|en] [--game 301|countup] "
                     "[--every N]\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    Language language = Language::Japanese;
    std::string game = "301";
    int every = 20;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--language") == 0) {
            language = languageFromCode(argv[i + 1]).value_or(Language::Japanese);
        } else if (std::strcmp(argv[i], "--game") == 0) {
            game = argv[i + 1];
        } else if (std::strcmp(argv[i], "--every") == 0) {
            every = std::max(1, std::atoi(argv[i + 1]));
        }
    }
    std::filesystem::create_directories(out);
    std::string error;
    std::optional<tools::OffscreenGl> gl = tools::openOffscreenGl(1, false, error);
    if (!gl) {
        std::fprintf(stderr, "replay-shots: %s\n", error.c_str());
        return 1;
    }
    ChoosyDevice device(*gl->device);
    auto owned = std::make_unique<GameState>();
    GameState& state = *owned;
    state.language = language;
    render::AssetOptions assetOptions;
    assetOptions.seed = 2;
    const render::AssetLoadResult loaded = render::loadAssets(state, device, assetOptions);
    if (!loaded.ok || !render::createFonts(state, device)) {
        std::fprintf(stderr, "replay-shots: %s\n", loaded.error.c_str());
        return 1;
    }

    const std::string prefix = "replay-" + game + "-" + languageCode(language);
    int failures = 0;
    const auto write = [&](const std::optional<gfx::Image>& frame, const std::string& name) {
        if (!frame || !gfx::writePng(out / (prefix + "-" + name + ".png"), *frame)) {
            std::fprintf(stderr, "replay-shots: could not write %s\n", name.c_str());
            ++failures;
        }
    };
    ReplayLayer layer;
    layer.setFrameWatcher([&](int frame, int frames) {
        if (layer.replaysPlayed() != 1) return;
        if (frame == 0) {
            device.keep = false;
            write(device.before, "before");
        }
        if (frame % every == 0 || frame == frames - 1) {
            char number[16];
            std::snprintf(number, sizeof number, "%04d", frame);
            write(device.readFrame(), number);
        }
    });
    FrameChooser chooser(device);
    AutoMatchExtras extras;
    extras.layers = {&chooser, &layer};
    AutoMatchResult result;
    if (game == "countup") {
        games::MatchSetup setup;
        setup.game = games::MatchGame::CountUp;
        setup.sides = 1;
        games::Seat seat;
        seat.spread = games::levelSpread(18);
        seat.name = "R18";
        games::BarMatch match(setup, {seat});
        result = playAutoBarMatch(state, device, match, 2'000'000, extras);
    } else {
        result = playAutoMatch(state, device, 2'000'000, {}, extras);
    }
    std::printf("replays %d, replay frames %llu, match frames %llu\n", layer.replaysPlayed(),
                static_cast<unsigned long long>(layer.framesPlayed()),
                static_cast<unsigned long long>(result.frames));
    return failures == 0 && layer.replaysPlayed() > 0 ? 0 : 1;
}
