// Tokenizer of the text encoding: words, numbers, quoted strings, <GUID>s and punctuation, with
// "#" and "//" comments running to the end of the line.
#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>

#include "gfx/xfile_tokens.h"

namespace darts::gfx::xfile {
namespace {

// The C locale's white space, without a library call per character.
bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool isDelimiter(char c) {
    switch (c) {
        case '{':
        case '}':
        case '[':
        case ']':
        case '(':
        case ')':
        case '<':
        case '>':
        case ',':
        case ';':
        case '"':
            return true;
        default:
            return isSpace(c);
    }
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Only words that start like a number are read as one, so names such as "nan" or "inf" stay
// names.
bool looksNumeric(std::string_view word) {
    size_t i = (word[0] == '-' || word[0] == '+') ? 1 : 0;
    if (i < word.size() && word[i] == '.') ++i;
    return i < word.size() && isDigit(word[i]);
}

bool isPlainInteger(std::string_view word) {
    size_t i = (word[0] == '-' || word[0] == '+') ? 1 : 0;
    if (i == word.size()) return false;
    for (; i < word.size(); ++i) {
        if (!isDigit(word[i])) return false;
    }
    return true;
}

// Parses the whole word as a finite number, independent of the C locale.
bool parseNumber(std::string_view word, double& out) {
    if (word[0] == '+') word.remove_prefix(1);
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), end, out);
    return ec == std::errc() && ptr == end && std::isfinite(out);
}

class TextTokenSource : public TokenSource {
  public:
    explicit TextTokenSource(std::string_view body) : text_(body) {}

    Token next() override {
        skipSpaceAndComments();
        if (pos_ >= text_.size()) return {};
        char c = text_[pos_];
        switch (c) {
            case '{':
                ++pos_;
                return {TokenKind::OpenBrace, {}, 0};
            case '}':
                ++pos_;
                return {TokenKind::CloseBrace, {}, 0};
            case ',':
                ++pos_;
                return {TokenKind::Comma, {}, 0};
            case ';':
                ++pos_;
                return {TokenKind::Semicolon, {}, 0};
            case '[':
            case ']':
            case '(':
            case ')':
            case '>':
                ++pos_;
                return {TokenKind::Other, {}, 0};
            case '<':
                return readGuid();
            case '"':
                return readString();
            default:
                return readWord();
        }
    }

  private:
    void skipSpaceAndComments() {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (isSpace(c)) {
                ++pos_;
            } else if (c == '#' || text_.substr(pos_, 2) == "//") {
                size_t lineEnd = text_.find('\n', pos_);
                pos_ = lineEnd == std::string_view::npos ? text_.size() : lineEnd + 1;
            } else {
                return;
            }
        }
    }

    Token readGuid() {
        size_t close = text_.find('>', pos_);
        if (close == std::string_view::npos) throw FormatError("unterminated GUID");
        pos_ = close + 1;
        return {TokenKind::Guid, {}, 0};
    }

    // Strings are taken byte for byte: file names keep their backslashes.
    Token readString() {
        size_t close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos) throw FormatError("unterminated string");
        Token token{TokenKind::String, std::string(text_.substr(pos_ + 1, close - pos_ - 1)), 0};
        pos_ = close + 1;
        return token;
    }

    Token readWord() {
        size_t start = pos_;
        while (pos_ < text_.size() && !isDelimiter(text_[pos_]) && text_.substr(pos_, 2) != "//") {
            ++pos_;
        }
        std::string_view word = text_.substr(start, pos_ - start);
        double value = 0;
        if (looksNumeric(word) && parseNumber(word, value)) {
            return {isPlainInteger(word) ? TokenKind::Integer : TokenKind::Float, {}, value};
        }
        // Anything else is a name, digits first or not ("1st_frame"); a broken number such as
        // "1.#IND" ends up as a name where a value belongs and fails there.
        if (word == "template") return {TokenKind::Template, {}, 0};
        return {TokenKind::Name, std::string(word), 0};
    }

    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace

std::unique_ptr<TokenSource> makeTextTokenSource(std::string_view body) {
    return std::make_unique<TextTokenSource>(body);
}

}  // namespace darts::gfx::xfile
