// Tokenizer of the binary encoding: little-endian 16-bit token codes, some followed by a record.
// Integer and float lists are handed out one element at a time, so a list costs no memory here
// and a count larger than the bytes left is caught before anything is read.
#include <bit>
#include <cmath>

#include "gfx/xfile_tokens.h"

namespace darts::gfx::xfile {
namespace {

enum BinaryToken : uint16_t {
    kName = 1,
    kString = 2,
    kInteger = 3,
    kGuid = 5,
    kIntegerList = 6,
    kFloatList = 7,
    kOpenBrace = 10,
    kCloseBrace = 11,
    kOpenParen = 12,
    kDot = 18,
    kComma = 19,
    kSemicolon = 20,
    kTemplate = 31,
    kFirstKeyword = 40,  // WORD, DWORD, FLOAT, ... ARRAY: type words of template declarations
    kLastKeyword = 52,
};

constexpr size_t kGuidBytes = 16;

class BinaryTokenSource : public TokenSource {
  public:
    BinaryTokenSource(std::string_view body, int floatBits)
        : data_(body), floatBytes_(floatBits == 64 ? 8 : 4) {}

    Token next() override {
        if (listLeft_ > 0) return nextListElement();
        if (pos_ == data_.size()) return {};
        uint16_t code = readWord();
        switch (code) {
            case kName:
                return {TokenKind::Name, readCountedBytes(), 0};
            case kString:
                return readString();
            case kInteger:
                return {TokenKind::Integer, {}, static_cast<double>(readDword())};
            case kGuid:
                skip(kGuidBytes);
                return {TokenKind::Guid, {}, 0};
            case kIntegerList:
                startList(false, 4);
                return next();
            case kFloatList:
                startList(true, floatBytes_);
                return next();
            case kOpenBrace:
                return {TokenKind::OpenBrace, {}, 0};
            case kCloseBrace:
                return {TokenKind::CloseBrace, {}, 0};
            case kComma:
                return {TokenKind::Comma, {}, 0};
            case kSemicolon:
                return {TokenKind::Semicolon, {}, 0};
            case kTemplate:
                return {TokenKind::Template, {}, 0};
            default:
                if ((code >= kOpenParen && code <= kDot) ||
                    (code >= kFirstKeyword && code <= kLastKeyword)) {
                    return {TokenKind::Other, {}, 0};
                }
                throw FormatError("unknown binary token " + std::to_string(code));
        }
    }

  private:
    void need(size_t bytes) const {
        if (data_.size() - pos_ < bytes) throw FormatError("file ends inside a token");
    }

    void skip(size_t bytes) {
        need(bytes);
        pos_ += bytes;
    }

    uint16_t readWord() {
        need(2);
        auto b = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
        pos_ += 2;
        return static_cast<uint16_t>(b[0] | (b[1] << 8));
    }

    uint32_t readDword() {
        need(4);
        auto b = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
        pos_ += 4;
        return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
               (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    }

    std::string readCountedBytes() {
        uint32_t length = readDword();
        need(length);
        std::string bytes(data_.substr(pos_, length));
        pos_ += length;
        return bytes;
    }

    // The format documents a DWORD terminator (";" or ",") after the characters; writers are
    // known to emit it as a plain 16-bit token too, so the upper half is taken only when it is 0
    // (no token has code 0).
    Token readString() {
        Token token{TokenKind::String, readCountedBytes(), 0};
        if (data_.size() - pos_ >= 2) {
            size_t save = pos_;
            uint16_t terminator = readWord();
            if (terminator != kSemicolon && terminator != kComma) {
                pos_ = save;
            } else if (data_.size() - pos_ >= 2 && data_[pos_] == 0 && data_[pos_ + 1] == 0) {
                pos_ += 2;
            }
        }
        return token;
    }

    void startList(bool floats, size_t elementBytes) {
        uint32_t count = readDword();
        if ((data_.size() - pos_) / elementBytes < count) {
            throw FormatError("list longer than the file");
        }
        listLeft_ = count;
        listFloats_ = floats;
    }

    Token nextListElement() {
        --listLeft_;
        if (!listFloats_) return {TokenKind::Integer, {}, static_cast<double>(readDword())};
        double value;
        if (floatBytes_ == 8) {
            uint64_t low = readDword();
            uint64_t high = readDword();
            value = std::bit_cast<double>(low | (high << 32));
        } else {
            value = std::bit_cast<float>(readDword());
        }
        if (!std::isfinite(value)) throw FormatError("number is not finite");
        return {TokenKind::Float, {}, value};
    }

    std::string_view data_;
    size_t pos_ = 0;
    size_t floatBytes_;
    uint32_t listLeft_ = 0;
    bool listFloats_ = false;
};

}  // namespace

std::unique_ptr<TokenSource> makeBinaryTokenSource(std::string_view body, int floatBits) {
    return std::make_unique<BinaryTokenSource>(body, floatBits);
}

}  // namespace darts::gfx::xfile
