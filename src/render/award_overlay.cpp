#include "render/award_overlay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "gfx/resources.h"
#include "match/awards.h"
#include "match/rules.h"
#include "render/draw2d.h"

namespace darts::render {
namespace {

constexpr int kZoomFrames = 12;  // a fifth of a second at 60 frames a second
constexpr int kFadeFrames = 20;
constexpr float kZoomFrom = 2.2f;

TextureHandle textureFromResource(Device& device, const std::string& name) {
    std::optional<gfx::Image> image = gfx::loadBitmapResource(name);
    return image ? device.createTexture(*image) : 0;
}

}  // namespace

void loadAwardArt(GameState& state, Device& device) {
    for (int award = 1; award < kAwardKinds; ++award) {
        state.awardTextures[award] = textureFromResource(device, "AW_" + std::to_string(award));
    }
    state.awardTextures[7] = textureFromResource(device, "AW_CARD");
}

AwardPose awardPose(int hitTimer) {
    if (hitTimer <= 0) return {kZoomFrom, 0};
    if (hitTimer <= kZoomFrames) {
        // Eased in: fast at first, settling onto full size.
        const float t = static_cast<float>(hitTimer) / kZoomFrames;
        const float eased = 1.0f - (1.0f - t) * (1.0f - t);
        return {kZoomFrom + (1.0f - kZoomFrom) * eased, static_cast<int>(255 * t)};
    }
    // A slow swell while it stands, and a fade over the last frames of the landing display.
    const float swell = 1.0f + 0.03f * std::sin(static_cast<float>(hitTimer - kZoomFrames) * 0.12f);
    const int left = kLandingDisplayFrames + 1 - hitTimer;
    const int alpha = left < kFadeFrames ? std::max(0, 255 * left / kFadeFrames) : 255;
    return {swell, alpha};
}

void drawAwardOverlay(const GameState& state, Device& device) {
    const Award award = awardOnDisplay(state);
    if (award == Award::None) return;
    const TextureHandle texture = state.awardTextures[static_cast<int>(award)];
    if (texture == 0) return;
    const AwardPose pose = awardPose(state.hitTimer);
    if (pose.alpha <= 0) return;
    const float halfW = kAwardWidth * pose.scale / 2, halfH = kAwardHeight * pose.scale / 2;
    const uint32_t colour = (static_cast<uint32_t>(pose.alpha) << 24) | 0x00FFFFFFu;
    const float left = kAwardCentreX - halfW, right = kAwardCentreX + halfW;
    const float top = kAwardCentreY - halfH, bottom = kAwardCentreY + halfH;
    // In front of everything of the scene: depth 0, where the gauge marker sits.
    drawOverlayPicture(device, texture, left, top, right, bottom, colour);
}

}  // namespace darts::render
