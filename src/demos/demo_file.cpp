#include "demos/demo_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace darts {
namespace {

constexpr char kMagic[8] = {'3', '0', '1', 'D', 'E', 'M', 'O', '\0'};
constexpr size_t kMaxDemoBytes = size_t{1} << 30;  // hours of play; anything bigger is not ours
constexpr size_t kMaxUiText = 1024;
constexpr int kLastMouseObject = static_cast<int>(platform::MouseObject::Button7);
constexpr int kLastUiKind = static_cast<int>(platform::UiEvent::Kind::Paste);
constexpr int kLastScreenKey = static_cast<int>(platform::ScreenKey::Records);

// Reads little-endian values; any read past the end fails and leaves the cursor failed.
class ByteCursor {
  public:
    ByteCursor(const std::vector<uint8_t>& bytes, size_t position)
        : bytes_(bytes), position_(position) {}
    template <typename T>
    bool read(T& out) {
        if (bytes_.size() - position_ < sizeof(T)) return false;
        std::memcpy(&out, &bytes_[position_], sizeof(T));
        position_ += sizeof(T);
        return true;
    }
    bool readText(std::string& out, size_t length) {
        if (bytes_.size() - position_ < length) return false;
        out.assign(reinterpret_cast<const char*>(&bytes_[position_]), length);
        position_ += length;
        return true;
    }
    size_t position() const { return position_; }

  private:
    const std::vector<uint8_t>& bytes_;
    size_t position_;
};

// A u8 length and that many bytes.
bool readShortText(ByteCursor& in, std::string& out) {
    uint8_t length = 0;
    return in.read(length) && in.readText(out, length);
}

// One event from the cursor of a demo of `version`; false when it is damaged or cut short.
bool parseEvent(ByteCursor& in, uint32_t version, DemoEvent& event) {
    uint8_t tag = 0;
    if (!in.read(tag)) return false;
    event.kind = static_cast<DemoEvent::Kind>(tag);
    switch (event.kind) {
        case DemoEvent::Kind::Escape: {
            uint8_t down = 0;
            if (!in.read(down) || down > 1) return false;
            event.escapeDown = down == 1;
            return true;
        }
        case DemoEvent::Kind::ScreenKey: {
            uint8_t key = 0, down = 0;
            if (version == kDemoFirstVersion || !in.read(key) || key < 1 || key > kLastScreenKey ||
                !in.read(down) || down > 1) {
                return false;
            }
            event.screenKey = static_cast<platform::ScreenKey>(key);
            event.escapeDown = down == 1;
            return true;
        }
        case DemoEvent::Kind::Mouse: {
            uint8_t count = 0;
            if (!in.read(count) || count > platform::kMouseBufferSize) return false;
            event.mouse.clear();
            for (int i = 0; i < count; ++i) {
                uint8_t part = 0;
                int32_t value = 0;
                if (!in.read(part) || !in.read(value) || part > kLastMouseObject) return false;
                event.mouse.push_back({static_cast<platform::MouseObject>(part), value});
            }
            return true;
        }
        case DemoEvent::Kind::UiEvent: {
            uint8_t kind = 0;
            int32_t x = 0, y = 0;
            uint16_t length = 0;
            if (!in.read(kind) || kind > kLastUiKind || !in.read(x) || !in.read(y) ||
                !in.read(length) || length > kMaxUiText) {
                return false;
            }
            event.ui = platform::UiEvent{};
            event.ui.kind = static_cast<platform::UiEvent::Kind>(kind);
            event.ui.x = x;
            event.ui.y = y;
            return in.readText(event.ui.text, length);
        }
        case DemoEvent::Kind::UiNone:
        case DemoEvent::Kind::FrameEnd:
            return true;
        case DemoEvent::Kind::Checksum:
        case DemoEvent::Kind::End:
            return in.read(event.frame) && in.read(event.checksum);
    }
    return false;
}

}  // namespace

uint32_t demoOptions(bool windowed, Language language) {
    return (windowed ? kDemoOptionWindowed : 0) |
           (language == Language::English ? kDemoOptionEnglish : 0);
}

Language demoLanguage(const DemoHeader& header) {
    for (const DemoSetting& setting : header.settings) {
        if (setting.key != "language") continue;
        if (const std::optional<Language> language = languageFromCode(setting.value)) {
            return *language;
        }
    }
    return (header.options & kDemoOptionEnglish) != 0 ? Language::English : Language::Japanese;
}

std::unique_ptr<DemoWriter> DemoWriter::create(const std::string& path, const DemoHeader& header,
                                               std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot create the demo file '" + path + "': " + std::strerror(errno);
        return nullptr;
    }
    std::unique_ptr<DemoWriter> writer(new DemoWriter(file, path));
    writer->bytes(kMagic, sizeof kMagic);
    writer->value(header.version);
    writer->value(header.seed);
    writer->value(header.options);
    if (header.version != kDemoFirstVersion) {
        writer->value(static_cast<uint8_t>(std::min<size_t>(header.settings.size(), 255)));
        for (size_t i = 0; i < std::min<size_t>(header.settings.size(), 255); ++i) {
            writer->shortText(header.settings[i].key);
            writer->shortText(header.settings[i].value);
        }
    }
    return writer;
}

// A demo that was never finished (the game did not get as far as playing) would only be refused
// later: it is not left behind.
DemoWriter::~DemoWriter() {
    if (file_ == nullptr) return;
    std::fclose(file_);
    std::remove(path_.c_str());
}

void DemoWriter::bytes(const void* data, size_t size) {
    if (file_ != nullptr) std::fwrite(data, 1, size, file_);
}

template <typename T>
void DemoWriter::value(T v) {
    bytes(&v, sizeof v);  // the demo format is little-endian, as is every machine we build for
}

void DemoWriter::shortText(const std::string& text) {
    const size_t length = std::min<size_t>(text.size(), 255);
    value(static_cast<uint8_t>(length));
    bytes(text.data(), length);
}

void DemoWriter::escape(bool down) {
    value(static_cast<uint8_t>(DemoEvent::Kind::Escape));
    value(static_cast<uint8_t>(down ? 1 : 0));
}

void DemoWriter::screenKey(platform::ScreenKey key, bool down) {
    value(static_cast<uint8_t>(DemoEvent::Kind::ScreenKey));
    value(static_cast<uint8_t>(key));
    value(static_cast<uint8_t>(down ? 1 : 0));
}

void DemoWriter::mouse(std::span<const platform::MouseRecord> records) {
    value(static_cast<uint8_t>(DemoEvent::Kind::Mouse));
    value(static_cast<uint8_t>(records.size()));
    for (const platform::MouseRecord& record : records) {
        value(static_cast<uint8_t>(record.object));
        value(record.data);
    }
}

void DemoWriter::uiEvent(const platform::UiEvent& event) {
    const size_t length = std::min(event.text.size(), kMaxUiText);
    value(static_cast<uint8_t>(DemoEvent::Kind::UiEvent));
    value(static_cast<uint8_t>(event.kind));
    value(static_cast<int32_t>(event.x));
    value(static_cast<int32_t>(event.y));
    value(static_cast<uint16_t>(length));
    bytes(event.text.data(), length);
}

void DemoWriter::uiNone() { value(static_cast<uint8_t>(DemoEvent::Kind::UiNone)); }

void DemoWriter::frameEnd() { value(static_cast<uint8_t>(DemoEvent::Kind::FrameEnd)); }

void DemoWriter::checksum(uint64_t frame, uint64_t checksumValue) {
    value(static_cast<uint8_t>(DemoEvent::Kind::Checksum));
    value(frame);
    value(checksumValue);
}

bool DemoWriter::finish(uint64_t frames, uint64_t finalChecksum, std::string& error) {
    value(static_cast<uint8_t>(DemoEvent::Kind::End));
    value(frames);
    value(finalChecksum);
    const bool written = std::ferror(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!written || !closed) {
        error = "cannot write the demo file '" + path_ + "'";
        return false;
    }
    return true;
}

std::unique_ptr<DemoReader> DemoReader::open(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open the demo file '" + path + "'";
        return nullptr;
    }
    std::vector<uint8_t> bytes;
    char chunk[65536];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + file.gcount());
        if (bytes.size() > kMaxDemoBytes) {
            error = "the demo file '" + path + "' is too large to be a demo";
            return nullptr;
        }
    }
    if (file.bad()) {
        error = "cannot read the demo file '" + path + "'";
        return nullptr;
    }
    return fromBytes(std::move(bytes), path, error);
}

std::unique_ptr<DemoReader> DemoReader::fromBytes(std::vector<uint8_t> bytes,
                                                  const std::string& name, std::string& error) {
    std::unique_ptr<DemoReader> reader(new DemoReader);
    reader->bytes_ = std::move(bytes);
    const std::string what = "the demo file '" + name + "'";
    if (reader->bytes_.size() < sizeof kMagic ||
        std::memcmp(reader->bytes_.data(), kMagic, sizeof kMagic) != 0) {
        error = what + " is not a demo of this game";
        return nullptr;
    }
    ByteCursor in(reader->bytes_, sizeof kMagic);
    DemoHeader& header = reader->header_;
    if (!in.read(header.version) || !in.read(header.seed) || !in.read(header.options)) {
        error = what + " is cut short in its header";
        return nullptr;
    }
    if (header.version != kDemoVersion && header.version != kDemoFirstVersion) {
        error = what + " has format version " + std::to_string(header.version) +
                "; this game plays versions " + std::to_string(kDemoFirstVersion) + " to " +
                std::to_string(kDemoVersion);
        return nullptr;
    }
    if (header.version != kDemoFirstVersion) {
        uint8_t count = 0;
        bool whole = in.read(count);
        for (int i = 0; whole && i < count; ++i) {
            DemoSetting setting;
            whole = readShortText(in, setting.key) && readShortText(in, setting.value);
            header.settings.push_back(std::move(setting));
        }
        if (!whole) {
            error = what + " is cut short in its header";
            return nullptr;
        }
    }
    if ((header.options & ~kDemoKnownOptions) != 0) {
        error = what + " needs options this game does not know (options word " +
                std::to_string(header.options) + ")";
        return nullptr;
    }
    reader->position_ = in.position();

    // Check every event now, so that a damaged demo is refused before anything is played.
    DemoEvent event;
    while (true) {
        const size_t at = in.position();
        if (at == reader->bytes_.size()) {
            error = what + " ends without its end event (the recording was cut short)";
            return nullptr;
        }
        if (!parseEvent(in, header.version, event)) {
            error = what + " is damaged at byte " + std::to_string(at);
            return nullptr;
        }
        if (event.kind == DemoEvent::Kind::End) break;
    }
    if (in.position() != reader->bytes_.size()) {
        error = what + " has " + std::to_string(reader->bytes_.size() - in.position()) +
                " bytes after its end event";
        return nullptr;
    }
    reader->end_ = event;
    return reader;
}

bool DemoReader::next(DemoEvent& event) {
    if (ended_) return false;
    ByteCursor in(bytes_, position_);
    parseEvent(in, header_.version, event);  // checked when the demo was opened
    position_ = in.position();
    ended_ = event.kind == DemoEvent::Kind::End;
    return true;
}

}  // namespace darts
