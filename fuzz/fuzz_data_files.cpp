// Any bytes as the roster and as the shot table: every record read as the game reads it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "core/fixed_record.h"
#include "core/game_state.h"
#include "frontend/roster.h"
#include "match/shot_table.h"

namespace {

const std::string& scratchPath() {
    static const std::string path = "/tmp/darts-fuzz-" + std::to_string(::getpid()) + ".kpd";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(scratchPath().c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    auto state = std::make_unique<darts::GameState>();
    for (int record = 0; record <= 9; ++record) {
        darts::frontend::readRosterRecordFromFile(*state, record, false, scratchPath());
    }
    for (int count = -2; count <= 22; ++count) darts::readShot(count, scratchPath());
    const char* text = reinterpret_cast<const char*>(data);
    darts::atoiField(text, size);
    darts::atofField(text, size);
    return 0;
}
