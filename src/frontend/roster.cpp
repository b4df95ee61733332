#include "frontend/roster.h"

#include <cstring>

#include "core/fixed_record.h"
#include "core/game_path.h"

namespace darts::frontend {

namespace {

PortraitLoader* portraitLoader = nullptr;

// Field offsets inside one record.
constexpr size_t kNameOffset = kNameLengthWidth;
constexpr size_t kPortraitOffset = kNameOffset + kNameWidth;
constexpr size_t kGaugeOffset = kPortraitOffset + kPortraitWidth;
constexpr size_t kReleaseOffset = kGaugeOffset + kSkillWidth;
constexpr size_t kProfileOffset = kReleaseOffset + kSkillWidth;
constexpr size_t kFieldsSize = kProfileOffset + kProfileWidth;  // 54: the bytes that are read

static_assert(kFieldsSize == 54);
static_assert(sizeof(PlayerSlot::name) == 12 && kNameWidth < sizeof(PlayerSlot::name));
static_assert(kProfileUsed < sizeof(PlayerSlot::hitMessage));

// strncpy into a zero-filled destination: at most n bytes, ending at the first NUL.
void copyText(char* dest, const char* src, size_t n) {
    const void* nul = std::memchr(src, '\0', n);
    const size_t length =
        nul != nullptr ? static_cast<size_t>(static_cast<const char*>(nul) - src) : n;
    std::memcpy(dest, src, length);
}

void copyRecord(PlayerSlot& slot, const char* record) {
    // A length outside 0..11 would write past the name or leave it unterminated.
    int nameLength = atoiField(record, kNameLengthWidth);
    if (nameLength < 0) nameLength = 0;
    if (nameLength > static_cast<int>(kNameWidth)) nameLength = static_cast<int>(kNameWidth);
    std::memset(slot.name, 0, sizeof slot.name);
    copyText(slot.name, record + kNameOffset, static_cast<size_t>(nameLength));

    // Only the two-letter resource name; the rest stays NUL so the name is a C string.
    std::memset(slot.portraitResource, 0, sizeof slot.portraitResource);
    std::memcpy(slot.portraitResource, record + kPortraitOffset, 2);

    slot.gaugeSkill = atoiField(record + kGaugeOffset, kSkillWidth);
    slot.releaseSkill = atoiField(record + kReleaseOffset, kSkillWidth);

    std::memset(slot.hitMessage, 0, sizeof slot.hitMessage);
    copyText(slot.hitMessage, record + kProfileOffset, kProfileUsed);
}

}  // namespace

void setPortraitLoader(PortraitLoader* loader) { portraitLoader = loader; }

int readRosterRecord(GameState& state, int recordNumber, bool loadPortrait,
                     const std::string& baseDir) {
    std::string path = gamePathToHost(rosterFile(state.language));
    if (!baseDir.empty()) path = baseDir + "/" + path;
    return readRosterRecordFromFile(state, recordNumber, loadPortrait, path);
}

int readRosterRecordFromFile(GameState& state, int recordNumber, bool loadPortrait,
                             const std::string& path) {
    // Any other number would seek outside the roster and index past the eight portraits; the
    // file is still opened, so that a missing roster ends the game whatever the number.
    const bool valid = recordNumber >= 1 && recordNumber <= kRosterCharacters;
    // Zero-filled and one byte longer than the fields, so that a short file reads as empty
    // fields and no string operation runs off the end.
    char record[kFieldsSize + 1] = {};
    const long offset = valid ? (recordNumber - 1) * kRosterRecordSize : 0;
    const size_t got = readFixedRecord(path, "roster", offset, record, valid ? kFieldsSize : 0);
    if (!valid) return 0;

    PlayerSlot& slot = state.players[kComputer];
    slot.characterNumber = recordNumber;
    copyRecord(slot, record);
    if (loadPortrait && portraitLoader != nullptr) {
        portraitLoader->loadPortrait(recordNumber, slot.portraitResource);
    }
    slot.portraitIndex = recordNumber;
    return got == kFieldsSize ? 1 : 0;
}

int readRosterRecord(GameState& state, int recordNumber, bool loadPortrait) {
    return readRosterRecord(state, recordNumber, loadPortrait, std::string());
}

}  // namespace darts::frontend
