// Recording the game's input into a demo and playing a demo back as the game's input. Both sit
// between the game's loops and the input they would otherwise read, and both hear of every
// presented frame, which is where the state checksums are written and checked.
#pragma once

#include <cstdint>
#include <string>

#include "core/game_state.h"
#include "demos/demo_file.h"
#include "platform/input.h"
#include "platform/ui_input.h"

namespace darts {

// Passes the input through to the game and writes down every answer the game got.
class DemoRecorder {
  public:
    DemoRecorder(DemoWriter& writer, platform::InputSource& input, platform::UiInput& ui,
                 const GameState& state);

    // What the game's loops read instead of the real input.
    platform::InputSource& input() { return input_; }
    platform::UiInput& ui() { return ui_; }

    // Call after every presented frame (the first is frame 1).
    void framePresented(uint64_t frame);
    // Call once the game has ended; closes the demo.
    bool finish(uint64_t frames, std::string& error);

  private:
    class Input final : public platform::InputSource {
      public:
        Input(DemoWriter& writer, platform::InputSource& inner) : writer_(writer), inner_(inner) {}
        bool escapeDown() override;
        int readMouse(platform::MouseRecord* out, int capacity) override;
        bool screenKeyDown(platform::ScreenKey key) override;
        // Only for the pointer's picture: nothing is recorded until the records are read.
        int peekMouse(platform::MouseRecord* out, int capacity) override {
            return inner_.peekMouse(out, capacity);
        }

      private:
        DemoWriter& writer_;
        platform::InputSource& inner_;
    };
    class Ui final : public platform::UiInput {
      public:
        Ui(DemoWriter& writer, platform::UiInput& inner) : writer_(writer), inner_(inner) {}
        void setTextInput(bool on) override { inner_.setTextInput(on); }
        bool poll(platform::UiEvent& event) override;
        void copyToClipboard(const std::string& utf8) override { inner_.copyToClipboard(utf8); }

      private:
        DemoWriter& writer_;
        platform::UiInput& inner_;
    };

    DemoWriter& writer_;
    const GameState& state_;
    Input input_;
    Ui ui_;
};

// Answers the game's questions from a demo. The first answer the demo cannot give, or the first
// state checksum that differs, ends the playback: failed() turns true and stays true, and from
// then on the input is empty (the caller makes the game quit, see QuitAwareInput).
class DemoPlayer {
  public:
    DemoPlayer(DemoReader& reader, const GameState& state);

    platform::InputSource& input() { return input_; }
    platform::UiInput& ui() { return ui_; }

    void framePresented(uint64_t frame);
    // Call once the game has ended by itself: checks that the demo ended there too, in the same
    // state.
    void gameEnded(uint64_t frames);

    // The game is being stopped from outside (a frame limit, the window closed): from now on
    // nothing is answered and nothing judged.
    void stop() { stopped_ = true; }

    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

  private:
    class Input final : public platform::InputSource {
      public:
        explicit Input(DemoPlayer& player) : player_(player) {}
        bool escapeDown() override;
        int readMouse(platform::MouseRecord* out, int capacity) override;
        // A version 1 demo was made by a game that never asked: every key is up.
        bool screenKeyDown(platform::ScreenKey key) override;

      private:
        DemoPlayer& player_;
    };
    class Ui final : public platform::UiInput {
      public:
        explicit Ui(DemoPlayer& player) : player_(player) {}
        void setTextInput(bool) override {}
        bool poll(platform::UiEvent& event) override;

      private:
        DemoPlayer& player_;
    };

    // The next event if it is of the kind the game asks for; otherwise playback fails.
    bool take(DemoEvent::Kind wanted, const char* what);
    bool take(DemoEvent::Kind wanted, DemoEvent::Kind alsoWanted, const char* what);
    void fail(std::string message);

    DemoReader& reader_;
    const GameState& state_;
    Input input_;
    Ui ui_;
    DemoEvent event_;
    bool peeked_ = false;
    uint64_t frame_ = 0;  // frames presented so far
    bool stopped_ = false;
    std::string error_;
};

}  // namespace darts
