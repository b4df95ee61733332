// The game keeps its texts as Shift-JIS (code page 932) bytes; these convert at the edges, where
// text is shown, printed or typed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace darts::gfx {

// Undecodable bytes come out as U+FFFD.
std::string cp932ToUtf8(std::string_view text);

// Characters with no Shift-JIS form come out as '?'.
std::string utf8ToCp932(std::string_view text);

// Bytes of the UTF-8 character that starts at `pos`, as its first byte declares (cut at the end
// of the text); a byte that starts no character counts alone. `pos` must lie inside the text.
size_t utf8CharLength(std::string_view text, size_t pos);

}  // namespace darts::gfx
