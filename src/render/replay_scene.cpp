#include "render/replay_scene.h"

#include <array>
#include <cmath>

#include "match/flight.h"
#include "render/match_scene.h"

namespace darts::render {
namespace {

constexpr uint32_t kBandColour = 0x99000000;  // the caption's see-through band
constexpr uint32_t kLightColour = 0xFFFF2020;
constexpr uint32_t kCaptionColour = 0xFFFFFFFF;
// The band fits the longer of the two captions in the caption's font, 28 pixels high.
constexpr float kBandLeft = 24, kBandTop = 24, kBandRight = 196, kBandBottom = 64;
constexpr float kLightX = 44, kLightY = 44, kLightRadius = 7;
constexpr int kCaptionX = 60, kCaptionY = 30;
constexpr int kCaptionFontHeight = 28, kCaptionFontWidth = 14;
// On for two thirds of a second, off for a third, as a recording light blinks.
constexpr uint32_t kBlinkPeriod = 60, kBlinkOn = 40;

void place(Device& device, const gfx::Matrix& world) {
    device.setTransform(TransformKind::World, world);
}

// In front of the whole scene, at depth 0 like the gauge marker.
void drawFan(Device& device, std::span<const ScreenVertex> vertices) {
    device.setTexture(0);
    device.drawScreenFan(vertices);
}

void drawCaption(const GameState& state, Device& device, uint32_t frame, FontHandle font) {
    const std::array<ScreenVertex, 4> band = {{
        {kBandLeft, kBandTop, 0.0f, 1.0f, kBandColour, 0.0f, 0.0f},
        {kBandRight, kBandTop, 0.0f, 1.0f, kBandColour, 1.0f, 0.0f},
        {kBandRight, kBandBottom, 0.0f, 1.0f, kBandColour, 1.0f, 1.0f},
        {kBandLeft, kBandBottom, 0.0f, 1.0f, kBandColour, 0.0f, 1.0f},
    }};
    drawFan(device, band);
    if (frame % kBlinkPeriod < kBlinkOn) {
        constexpr int kRim = 16;
        std::array<ScreenVertex, kRim + 2> light;
        light[0] = {kLightX, kLightY, 0.0f, 1.0f, kLightColour, 0.0f, 0.0f};
        for (int i = 0; i <= kRim; ++i) {
            const float angle = 6.2831853f * static_cast<float>(i) / kRim;
            const float x = kLightX + kLightRadius * std::cos(angle);
            const float y = kLightY + kLightRadius * std::sin(angle);
            light[i + 1] = {x, y, 0.0f, 1.0f, kLightColour, 0.0f, 0.0f};
        }
        drawFan(device, light);
    }
    device.drawText(font, replayCaption(state.language), kCaptionX, kCaptionY, kCaptionColour);
}

}  // namespace

FontHandle replayCaptionFont(Device& device) {
    return device.createFont(kCaptionFontHeight, kCaptionFontWidth);
}

const char* replayCaption(Language language) {
    return language == Language::English ? "REPLAY"
                                         : "\x83\x8a\x83\x76\x83\x8c\x83\x43";  // リプレイ
}

void renderReplayFrame(const GameState& state, Device& device, const ReplayShot& shot) {
    device.beginFrame();
    device.setTransform(TransformKind::World, gfx::matrixTranslation(0.0f, 0.0f, 0.0f));
    device.setTransform(TransformKind::View,
                        gfx::matrixLookAtLH(shot.eye, shot.target, {0.0f, 1.0f, 0.0f}));
    device.setTransform(TransformKind::Projection, matchProjection());

    place(device, roomPlacement());
    drawMeshAsset(device, state.roomModel);
    for (const ReplayDart& dart : shot.darts) {
        place(device, dart.inPlay ? flyingDartPlacement(dart.body, dart.aimYaw)
                                  : finishedDartPlacement(dart.body));
        drawMeshAsset(device, state.dartModel);
    }
    place(device, boardPlacement());
    drawMeshAsset(device, state.boardModel);

    drawCaption(state, device, shot.frame, shot.font);
    device.endFrame();
}

}  // namespace darts::render
