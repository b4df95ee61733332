// A screen that takes over from the front end with its own input (pointer events and typed text,
// not the game's buffered mouse): one drawn frame per turn until the screen says it is finished.
#pragma once

#include <functional>
#include <string>

#include "platform/ui_input.h"
#include "render/device.h"

namespace darts {

// Runs `screen` (handle, draw, finished; takeCopiedText where it has one). The buffered input is
// released first (`releaseInput`, may be empty), so that the first poll after the screen reads
// nothing. Typed text is delivered throughout with `typing`, or else while the screen's
// wantsTextInput() says so, where it has one. False when the window asked to close while the
// screen was up.
template <typename Screen>
bool runModalScreen(Screen& screen, render::Device& device, platform::UiInput& ui,
                    const std::function<void()>& releaseInput, bool typing) {
    if (releaseInput) releaseInput();
    if (typing) ui.setTextInput(true);
    bool typingNow = typing;
    bool quit = false;
    while (!quit && !screen.finished()) {
        platform::UiEvent event;
        while (!quit && ui.poll(event)) {
            screen.handle(event);
            if constexpr (requires { screen.takeCopiedText(); }) {
                if (std::string copied = screen.takeCopiedText(); !copied.empty()) {
                    ui.copyToClipboard(copied);
                }
            }
            quit = event.kind == platform::UiEvent::Kind::Quit;
        }
        if constexpr (requires { screen.wantsTextInput(); }) {
            if (const bool wanted = typing || screen.wantsTextInput(); wanted != typingNow) {
                ui.setTextInput(wanted);
                typingNow = wanted;
            }
        }
        if (!quit && !screen.finished()) screen.draw(device);
    }
    if (typingNow) ui.setTextInput(false);
    return !quit;
}

}  // namespace darts
