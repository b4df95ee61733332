// Whole characters of Shift-JIS (code page 932) text: a lead byte and the byte after it are one
// character, every other byte is one. Trail bytes share values with lead bytes and with ASCII, so
// character boundaries are only known by reading from the start.
#pragma once

#include <cstddef>
#include <string_view>

namespace darts::frontend {

bool isShiftJisLeadByte(unsigned char byte);

// Bytes of the character that starts at `pos` (a lead byte at the very end counts alone).
size_t shiftJisCharLength(std::string_view text, size_t pos);

// The longest start of `text` made of whole characters and at most maxBytes long.
std::string_view shiftJisPrefix(std::string_view text, size_t maxBytes);

// Where the longest end of `text` made of whole characters and at most maxBytes long begins.
size_t shiftJisTailStart(std::string_view text, size_t maxBytes);

// Where the last character of `text` begins (0 for empty text).
size_t shiftJisLastCharStart(std::string_view text);

}  // namespace darts::frontend
