// A headless device that keeps what one frame drew: fans with their texture and texts, in order.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/device.h"

namespace darts::frontend {

class RecordingDevice : public render::HeadlessDevice {
  public:
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
    void beginFrame() override {
        fans.clear();
        texts.clear();
        ++begun;
    }
    void endFrame() override { ++ended; }
    void setTexture(render::TextureHandle texture) override { bound_ = texture; }
    void drawScreenFan(std::span<const render::ScreenVertex> v) override {
        fans.push_back({order_++, bound_, {v.begin(), v.end()}});
    }
    void drawText(render::FontHandle font, std::string_view text, int x, int y,
                  uint32_t color) override {
        texts.push_back({order_++, font, std::string(text), x, y, color});
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

    std::vector<Fan> fans;
    std::vector<Text> texts;
    int begun = 0, ended = 0, texturesMade = 0;

  private:
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

}  // namespace darts::frontend
