// Writes the game's sound content into a folder (the repository's sound/):
//
//     make-sounds SOUND_FOLDER
//
// BOARDHIT.WAV, the board-hit effect, is synthesised; FM_14.MID, the bar's background music, is
// arranged from a lead sheet. Both come out the same on every run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "sounds_award.h"
#include "sounds_bar_tune.h"
#include "sounds_board_hit.h"

namespace {

bool writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make-sounds: cannot write %s\n", path.string().c_str());
        return false;
    }
    std::printf("%s: %zu bytes\n", path.string().c_str(), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sounds SOUND_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    try {
        std::filesystem::create_directories(folder);
        const bool ok = writeFile(folder / "BOARDHIT.WAV", darts::content::boardHitWavFile()) &&
                        writeFile(folder / "FM_14.MID", darts::content::barTuneMidiFile()) &&
                        writeFile(folder / "AWARD.WAV", darts::content::awardWavFile());
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        // A mistake in the lead sheet (a bad chord symbol, a melody that does not fill its
        // section) is reported rather than written out as a broken file.
        std::fprintf(stderr, "make-sounds: %s\n", e.what());
        return 1;
    }
}
