// Typed, pasted and composed text where it enters the game: only what the name box can take is
// kept, so that a paste of megabytes costs no more than a name, and a demo stores exactly the text
// the game took.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/game_state.h"

namespace darts::frontend {

// The name box's bytes; every character takes at least one.
constexpr size_t kNameBoxCapacity = sizeof(GameState::nameBoxText) - 1;

// The printable characters of `utf8` (control characters dropped, as the box drops them), no
// more than `most` of them. A byte that is no part of a UTF-8 character counts as one character,
// as the conversion to Shift-JIS turns it into one '?'.
std::string typeableText(std::string_view utf8, size_t most = kNameBoxCapacity);

}  // namespace darts::frontend
