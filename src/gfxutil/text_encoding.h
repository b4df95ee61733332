// The game keeps its texts as Shift-JIS (code page 932) bytes; these convert at the edges, where
// text is shown, printed or typed.
#pragma once

#include <string>
#include <string_view>

namespace darts::gfx {

// Undecodable bytes come out as U+FFFD.
std::string cp932ToUtf8(std::string_view text);

// Characters with no Shift-JIS form come out as '?'.
std::string utf8ToCp932(std::string_view text);

}  // namespace darts::gfx
