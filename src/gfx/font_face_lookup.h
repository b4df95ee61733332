// Finding a face for the game's Japanese texts through fontconfig.
#pragma once

#include <optional>
#include <string>

namespace darts::gfx {

struct FaceLocation {
    std::string file;
    int index = 0;  // face number inside a collection file
};

// The best scalable gothic face that has both kana and kanji: IPAGothic where installed, else
// whatever Japanese sans-serif face fontconfig prefers; nothing when no installed face qualifies.
std::optional<FaceLocation> findJapaneseGothicFace();

}  // namespace darts::gfx
