// Any bytes as a demo file: read and checked whole, every event walked, and then played against a
// game that asks its questions in a fixed order until the demo and the game part ways.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "demos/demo_file.h"
#include "demos/demo_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace darts;
    std::string error;
    std::unique_ptr<DemoReader> reader =
        DemoReader::fromBytes(std::vector<uint8_t>(data, data + size), "fuzz", error);
    if (!reader) return 0;
    DemoEvent event;
    while (reader->next(event)) {
    }

    reader = DemoReader::fromBytes(std::vector<uint8_t>(data, data + size), "fuzz", error);
    auto state = std::make_unique<GameState>();
    DemoPlayer player(*reader, *state);
    platform::MouseRecord records[platform::kMouseBufferSize];
    platform::UiEvent uiEvent;
    for (uint64_t frame = 1; frame <= 1000 && !player.failed(); ++frame) {
        player.input().escapeDown();
        player.input().readMouse(records, platform::kMouseBufferSize);
        player.ui().poll(uiEvent);
        player.framePresented(frame);
    }
    player.gameEnded(1000);
    return 0;
}
