#include "platform/sdl/board_hit_log.h"

#include <cstdio>
#include <cstdlib>

namespace darts::platform {

void BoardHitLog::playBoardHit() {
    // Read before the effect is started: the effect begins at this frame or one buffer later.
    const unsigned long long position = device_.framesMixed();
    device_.playBoardHit();
    std::fprintf(stderr, "darts: board hit at audio frame %llu\n", position);
    std::fflush(stderr);
}

bool boardHitLogWanted() {
    const char* wanted = std::getenv("DARTS_BOARD_HIT_LOG");
    return wanted != nullptr && *wanted != 0;
}

}  // namespace darts::platform
