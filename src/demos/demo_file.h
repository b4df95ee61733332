// Input demos: what the game consumed, frame by frame, so that a run can be replayed exactly.
//
// A demo file is little-endian binary:
//   header   "301DEMO" and a 0 byte, u32 format version (2; 1 is still played), u32 seed of the
//            random numbers, u32 options: bit 0, the recording ran in a window (nothing depends
//            on it); bit 1, the game spoke English (else Japanese). The other bits are 0: a demo
//            with any of them set is refused, since it needs an option this game does not know.
//            Version 2 then holds u8 n, n x (u8 length, key, u8 length, value): the settings that
//            change what the state holds (the language, the mouse speed), as the settings file
//            spells them. A demo is played back with its own, whatever the player's settings
//            say; one with a setting this game does not know is refused.
//   then one event per thing the game asked the input for, in the order it asked, each a tag byte:
//   'E' u8 down                 Escape polled: 1 when it was down
//   'K' u8 key, u8 down         a screen key polled (platform::ScreenKey): 1 when it was down;
//                               version 2 only (version 1 games never asked)
//   'M' u8 n, n x (u8 part, i32 value)
//                               the mouse queue read: n records (at most 100), part as in
//                               platform::MouseObject, value the relative move or button state
//   'U' u8 kind, i32 x, i32 y, u16 length, length bytes of UTF-8
//                               the character-select screen took an event (platform::UiEvent)
//   'u'                         the character-select screen found no event waiting
//   'F'                         a frame was presented
//   'C' u64 frame, u64 checksum the state checksum after presented frame `frame` (every 60th)
//   'Z' u64 frames, u64 checksum
//                               the game ended after `frames` frames with this state checksum;
//                               the last event of every finished demo
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/game_texts.h"
#include "options/demo_settings.h"
#include "platform/input.h"
#include "platform/ui_input.h"

namespace darts {

constexpr uint32_t kDemoVersion = 2;
constexpr uint32_t kDemoFirstVersion = 1;  // no settings, no screen keys
constexpr uint64_t kDemoChecksumInterval = 60;  // frames between stored state checksums
constexpr uint32_t kDemoOptionWindowed = 1;
constexpr uint32_t kDemoOptionEnglish = 2;
constexpr uint32_t kDemoKnownOptions = kDemoOptionWindowed | kDemoOptionEnglish;

struct DemoHeader {
    uint32_t version = kDemoVersion;
    uint32_t seed = 0;
    uint32_t options = 0;
    std::vector<DemoSetting> settings;  // version 2
};

// The header's options word for a game recorded in `language`, in a window or not.
uint32_t demoOptions(bool windowed, Language language);
// The language a demo was recorded in, which its playback must use.
Language demoLanguage(const DemoHeader& header);

struct DemoEvent {
    enum class Kind : uint8_t {
        Escape = 'E',
        ScreenKey = 'K',
        Mouse = 'M',
        UiEvent = 'U',
        UiNone = 'u',
        FrameEnd = 'F',
        Checksum = 'C',
        End = 'Z',
    };
    Kind kind = Kind::FrameEnd;
    bool escapeDown = false;  // Escape, ScreenKey: down
    platform::ScreenKey screenKey = platform::ScreenKey::Settings;
    std::vector<platform::MouseRecord> mouse;
    platform::UiEvent ui;
    uint64_t frame = 0;  // Checksum: the frame; End: the number of frames
    uint64_t checksum = 0;
};

// Writes a demo as the game runs. Every write goes straight to the file's buffer; finish() adds
// the end event and closes it. A writer destroyed unfinished removes its file.
class DemoWriter {
  public:
    // Null with error set when the file cannot be created.
    static std::unique_ptr<DemoWriter> create(const std::string& path, const DemoHeader& header,
                                              std::string& error);
    ~DemoWriter();

    void escape(bool down);
    void screenKey(platform::ScreenKey key, bool down);
    void mouse(std::span<const platform::MouseRecord> records);
    void uiEvent(const platform::UiEvent& event);
    void uiNone();
    void frameEnd();
    void checksum(uint64_t frame, uint64_t value);
    // Writes the end event and closes the file; false with error set if anything failed to write.
    bool finish(uint64_t frames, uint64_t finalChecksum, std::string& error);

  private:
    DemoWriter(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
    void bytes(const void* data, size_t size);
    void shortText(const std::string& text);  // u8 length, then the bytes (at most 255)
    template <typename T>
    void value(T v);

    std::FILE* file_;
    std::string path_;
};

// A whole demo in memory, checked from end to end when it is read.
class DemoReader {
  public:
    // Null with error set (one line) when the file cannot be read, is not a demo, has a version
    // or an option this game does not play, is damaged anywhere, or does not end with its end
    // event.
    static std::unique_ptr<DemoReader> open(const std::string& path, std::string& error);
    // The same from bytes in memory; `name` only names it in the error.
    static std::unique_ptr<DemoReader> fromBytes(std::vector<uint8_t> bytes,
                                                 const std::string& name, std::string& error);

    const DemoHeader& header() const { return header_; }
    // The next event; false after the end event has been read.
    bool next(DemoEvent& event);
    // The end event's frames and checksum.
    const DemoEvent& end() const { return end_; }

  private:
    DemoReader() = default;
    std::vector<uint8_t> bytes_;
    size_t position_ = 0;
    bool ended_ = false;
    DemoHeader header_;
    DemoEvent end_;
};

}  // namespace darts
