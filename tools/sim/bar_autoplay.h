// darts-sim autoplay --game G ...: bar games played by computer sides through the match loop.
#pragma once

namespace darts::sim {

// argv[2..] are autoplay's options; returns the process status.
int runBarAutoplay(int argc, char** argv);

// True when autoplay's options name a bar game (--game).
bool namesBarGame(int argc, char** argv);

}  // namespace darts::sim
