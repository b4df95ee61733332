// A headless device that keeps what it was asked to draw instead of drawing it, for the tests of
// every layer from render up: each call in order (events), and the same split by kind (texture
// bindings, fans with the texture bound for them, texts, mesh draws with their world matrix).
// A new frame forgets the last one's.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "render/device.h"

namespace darts::testing {

class RecordingDevice : public render::HeadlessDevice {
  public:
    struct Event {
        enum Kind { Texture, Fan, Text, Subset } kind = Texture;
        render::TextureHandle texture = 0;
        std::vector<render::ScreenVertex> vertices;
        render::FontHandle font = 0;
        std::string text;
        int x = 0, y = 0;
        uint32_t color = 0;
        render::MeshHandle mesh = 0;
    };
    // `order` counts the fans and texts together, so that one can be seen drawn over another.
    struct Fan {
        int order;
        render::TextureHandle texture;
        std::vector<render::ScreenVertex> vertices;
        float left() const { return vertices[0].x; }
        float top() const { return vertices[0].y; }
        float right() const { return vertices[2].x; }
        float bottom() const { return vertices[2].y; }
        uint32_t color() const { return vertices[0].color; }
    };
    struct Text {
        int order;
        render::FontHandle font;
        std::string text;
        int x, y;
        uint32_t color;
    };
    struct Draw {
        render::MeshHandle mesh;
        gfx::Matrix world;
    };

    void beginFrame() override {
        events.clear();
        bound.clear();
        fans.clear();
        texts.clear();
        draws.clear();
        ++begun;
    }
    void endFrame() override { ++ended; }
    void setTransform(render::TransformKind kind, const gfx::Matrix& matrix) override {
        if (kind == render::TransformKind::World) world = matrix;
        if (kind == render::TransformKind::View) view = matrix;
        if (kind == render::TransformKind::Projection) projection = matrix;
    }
    void setTexture(render::TextureHandle texture) override {
        add(Event::Texture).texture = texture;
        bound.push_back(texture);
        bound_ = texture;
    }
    void drawScreenFan(std::span<const render::ScreenVertex> v) override {
        add(Event::Fan).vertices.assign(v.begin(), v.end());
        fans.push_back({order_++, bound_, {v.begin(), v.end()}});
    }
    void drawText(render::FontHandle font, std::string_view text, int x, int y,
                  uint32_t color) override {
        Event& e = add(Event::Text);
        e.font = font;
        e.text = text;
        e.x = x;
        e.y = y;
        e.color = color;
        texts.push_back({order_++, font, std::string(text), x, y, color});
    }
    void drawSubset(render::MeshHandle mesh, int) override {
        add(Event::Subset).mesh = mesh;
        draws.push_back({mesh, world});
    }
    render::TextureHandle createTexture(const gfx::Image& image) override {
        ++texturesMade;
        return HeadlessDevice::createTexture(image);
    }

    // The first fan at (left, top), or null.
    const Fan* fanAt(float left, float top) const {
        for (const Fan& fan : fans) {
            if (fan.left() == left && fan.top() == top) return &fan;
        }
        return nullptr;
    }
    // How many times the mesh was drawn.
    int count(render::MeshHandle mesh) const {
        int n = 0;
        for (const Draw& d : draws) n += d.mesh == mesh;
        return n;
    }

    std::vector<Event> events;
    std::vector<render::TextureHandle> bound;
    std::vector<Fan> fans;
    std::vector<Text> texts;
    std::vector<Draw> draws;
    gfx::Matrix world{}, view{}, projection{};
    int begun = 0, ended = 0, texturesMade = 0;

  private:
    Event& add(Event::Kind kind) {
        events.emplace_back();
        events.back().kind = kind;
        return events.back();
    }

    render::TextureHandle bound_ = 0;
    int order_ = 0;
};

// The text, its place and its colour (and its font unless 0 is given).
inline void expectText(const RecordingDevice::Text& t, const std::string& text, int x, int y,
                       uint32_t color, render::FontHandle font = 0) {
    EXPECT_EQ(t.text, text);
    EXPECT_EQ(t.x, x) << text;
    EXPECT_EQ(t.y, y) << text;
    EXPECT_EQ(t.color, color) << text;
    if (font != 0) {
        EXPECT_EQ(t.font, font) << text;
    }
}

}  // namespace darts::testing
