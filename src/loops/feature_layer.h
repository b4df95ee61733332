// A feature that plays around the loops without being part of them (the awards and records, the
// settings screen): the loops call every layer they hold, in order, at the few points below, and
// know nothing else of it. A layer only adds frames of its own or watches the state; it must not
// change what the rules, the computer and the checksums use.
#pragma once

#include "core/game_state.h"
#include "loops/frame_io.h"

namespace darts {

class FeatureLayer {
  public:
    virtual ~FeatureLayer() = default;
    // After every front-end frame's input (a screen key may open a screen of the layer's own).
    virtual void frontEndFrame(GameState&, FrameIo&) {}
    // Before the match loop starts (it returns at once when no match is to be played).
    virtual void beforeMatch(const GameState&) {}
    // After every match frame.
    virtual void afterMatchFrame(GameState&) {}
    // After every match frame, once every layer's afterMatchFrame has seen it: a layer may draw
    // frames of its own here (the match waits for them), which are no frames of the match.
    virtual void matchFrameDone(GameState&, FrameIo&) {}
    // After the match loop has returned.
    virtual void afterMatch(GameState&, FrameIo&) {}
};

}  // namespace darts
