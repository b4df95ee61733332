// Counting the frames the game presents, for the options that act at a given frame: pictures of
// chosen frames, and quitting after a number of frames as if the player had pressed Escape.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "options/command_line.h"
#include "platform/input.h"
#include "platform/ui_input.h"
#include "render/device.h"

namespace darts {

// Passes everything on to the device it wraps and counts the frames it presents. After
// presenting a frame that a screenshot asks for, it reads the frame back and writes it as PNG.
class CountingDevice final : public render::Device {
  public:
    CountingDevice(render::Device& inner, std::vector<ScreenshotRequest> screenshots = {});

    uint64_t framesPresented() const { return frames_; }
    // Called after each presented frame (and its screenshots) with the frame's number.
    void setFrameListener(std::function<void(uint64_t)> listener) {
        listener_ = std::move(listener);
    }
    // One line for every screenshot that could not be taken or written, or whose frame has not
    // been presented (yet).
    std::vector<std::string> screenshotErrors() const;

    void beginFrame() override { inner_.beginFrame(); }
    void endFrame() override;
    void setTransform(render::TransformKind kind, const gfx::Matrix& matrix) override {
        inner_.setTransform(kind, matrix);
    }
    void setMaterial(const render::Material& material) override { inner_.setMaterial(material); }
    void setTexture(render::TextureHandle texture) override { inner_.setTexture(texture); }
    void drawSubset(render::MeshHandle mesh, int subset) override {
        inner_.drawSubset(mesh, subset);
    }
    render::TextureHandle createTexture(const gfx::Image& image) override {
        return inner_.createTexture(image);
    }
    render::MeshHandle createMesh(const gfx::MeshData& mesh) override {
        return inner_.createMesh(mesh);
    }
    void drawScreenFan(std::span<const render::ScreenVertex> vertices) override {
        inner_.drawScreenFan(vertices);
    }
    render::FontHandle createFont(int height, int width) override {
        return inner_.createFont(height, width);
    }
    void drawText(render::FontHandle font, std::string_view text, int x, int y,
                  uint32_t argb) override {
        inner_.drawText(font, text, x, y, argb);
    }
    std::optional<gfx::Image> readFrame() override { return inner_.readFrame(); }

  private:
    render::Device& inner_;
    std::vector<ScreenshotRequest> screenshots_;
    std::vector<std::string> errors_;
    uint64_t frames_ = 0;
    std::function<void(uint64_t)> listener_;
};

// Whether the game should stop now although nobody pressed Escape (a frame limit reached, the
// window asked to close).
using QuitCondition = std::function<bool()>;

// The game's loops see Escape held down while the condition holds, besides the real key.
class QuitAwareInput final : public platform::InputSource {
  public:
    QuitAwareInput(platform::InputSource& inner, QuitCondition quitNow)
        : inner_(inner), quitNow_(std::move(quitNow)) {}
    bool escapeDown() override {
        const bool pressed = inner_.escapeDown();  // polled every time, as the loops expect
        return pressed || quitNow_();
    }
    int readMouse(platform::MouseRecord* out, int capacity) override {
        return inner_.readMouse(out, capacity);
    }
    int peekMouse(platform::MouseRecord* out, int capacity) override {
        return inner_.peekMouse(out, capacity);
    }
    bool screenKeyDown(platform::ScreenKey key) override { return inner_.screenKeyDown(key); }

  private:
    platform::InputSource& inner_;
    QuitCondition quitNow_;
};

// The character-select screen, which never looks at Escape, gets a Quit event instead: once,
// before anything else that waits, as soon as the condition holds.
class QuitAwareUi final : public platform::UiInput {
  public:
    QuitAwareUi(platform::UiInput& inner, QuitCondition quitNow)
        : inner_(inner), quitNow_(std::move(quitNow)) {}
    void setTextInput(bool on) override { inner_.setTextInput(on); }
    bool poll(platform::UiEvent& event) override;

  private:
    platform::UiInput& inner_;
    QuitCondition quitNow_;
    bool quitSent_ = false;
};

}  // namespace darts
