// The kinds of surface the models use. Materials carry no ambient colour in a .x file and the
// scene's only ambient light is faint, so surfaces that face away from both lights get a little
// emissive glow instead of going black.
#pragma once

#include <string>

#include "models_mesh.h"

namespace darts::content {

// Plain diffuse, no highlight, no glow.
inline ModelMaterial matte(std::string name, Rgb colour, std::string texture = "") {
    return {std::move(name), colour, 1.0f, 0.0f, {0, 0, 0}, {0, 0, 0}, std::move(texture)};
}

// Diffuse with a glow of `glow` times its own colour.
inline ModelMaterial lit(std::string name, Rgb colour, float glow, std::string texture = "") {
    return {std::move(name),
            colour,
            1.0f,
            0.0f,
            {0, 0, 0},
            {colour.r * glow, colour.g * glow, colour.b * glow},
            std::move(texture)};
}

// Polished: a tight white highlight.
inline ModelMaterial metal(std::string name, Rgb colour, float glow, float shine = 0.8f,
                           float power = 30.0f, std::string texture = "") {
    return {std::move(name),
            colour,
            1.0f,
            power,
            {shine, shine, shine},
            {colour.r * glow, colour.g * glow, colour.b * glow},
            std::move(texture)};
}

// Translucent and shiny: bottles and glasses (drawn blended by their diffuse alpha).
inline ModelMaterial glass(std::string name, Rgb colour, float alpha, float glow) {
    return {std::move(name),
            colour,
            alpha,
            40.0f,
            {0.9f, 0.9f, 0.9f},
            {colour.r * glow, colour.g * glow, colour.b * glow},
            ""};
}

// A light source seen in the room (lamp shades, neon): mostly its own glow.
inline ModelMaterial glowing(std::string name, Rgb colour, float glow, std::string texture = "") {
    return {std::move(name),
            {colour.r * 0.5f, colour.g * 0.5f, colour.b * 0.5f},
            1.0f,
            0.0f,
            {0, 0, 0},
            {colour.r * glow, colour.g * glow, colour.b * glow},
            std::move(texture)};
}

}  // namespace darts::content
