// The two lights every frame is lit by, as the device sets them up once at start-up: a white spot
// light between the thrower and the board, shining towards the board end of the room and to the
// left, and a grey directional light from the upper right behind the thrower with a faint purple
// ambient part. Positions and directions are in world space.
#pragma once

#include "core/asset_handles.h"
#include "gfx/matrix.h"

namespace darts::render {

enum class LightType { Spot, Directional };

struct FixedLight {
    LightType type;
    ColorValue diffuse;
    ColorValue specular;
    ColorValue ambient;
    gfx::Vec3 position;
    gfx::Vec3 direction;
    float range;
    float falloff;
    float attenuation0, attenuation1, attenuation2;
    float theta;  // inner cone, full angle in radians
    float phi;    // outer cone, full angle in radians
};

inline constexpr FixedLight kSpotLight = {
    LightType::Spot,
    {1.0f, 1.0f, 1.0f, 0.0f},
    {0, 0, 0, 0},
    {0, 0, 0, 0},
    {1.0f, 1.0f, 4.0f},
    {-10.0f, 0.2f, 18.0f},
    100.0f,
    1.5f,
    1.0f,
    0.0f,
    0.0f,
    1.2f,
    1.8f,
};

inline constexpr FixedLight kDirectionalLight = {
    LightType::Directional,
    {0.8f, 0.8f, 0.8f, 0.0f},
    {1.0f, 1.0f, 1.0f, 0.0f},
    {0.1f, 0.0f, 0.1f, 0.0f},
    {0, 0, 0},
    {-1.0f, -1.0f, 1.0f},
    30.0f,
    0.0f,
    1.0f,
    0.0f,
    0.0f,
    0.0f,
    0.0f,
};

inline constexpr FixedLight kSceneLights[2] = {kSpotLight, kDirectionalLight};

}  // namespace darts::render
