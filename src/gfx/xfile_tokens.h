// The token streams of the two .x encodings. Text and binary files are read into the same kinds of
// token, so one parser builds the object tree from either. Internal to the .x loader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace darts::gfx::xfile {

// Thrown inside the loader for any malformed input; the public entry points turn it into an
// error result, so it never leaves the loader.
class FormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class TokenKind {
    End,
    Name,
    String,
    Integer,
    Float,
    Guid,
    OpenBrace,
    CloseBrace,
    Comma,
    Semicolon,
    Template,
    Other,  // punctuation and type keywords that only occur inside template declarations
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;   // Name and String
    double number = 0;  // Integer and Float
};

class TokenSource {
  public:
    virtual ~TokenSource() = default;
    // The next token; TokenKind::End once the input is used up. Throws FormatError.
    virtual Token next() = 0;
};

// `body` is the file after its 16-byte header.
std::unique_ptr<TokenSource> makeTextTokenSource(std::string_view body);
std::unique_ptr<TokenSource> makeBinaryTokenSource(std::string_view body, int floatBits);

}  // namespace darts::gfx::xfile
