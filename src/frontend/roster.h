// The character roster "data\pcdata.kpd": eight fixed-size Shift-JIS text records, one per
// computer character. The reader copies one record into players[1], the scratch side that the
// front end, the character-select screen and the tournament show and compare.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/fixed_record.h"
#include "core/game_state.h"

namespace darts::frontend {

constexpr const char* kRosterFile = "data\\pcdata.kpd";
// The same characters with English names and profiles, in the same record format.
constexpr const char* kEnglishRosterFile = "data\\pcdata-en.kpd";
inline const char* rosterFile(Language language) {
    return language == Language::English ? kEnglishRosterFile : kRosterFile;
}
constexpr int kRosterCharacters = 8;
constexpr long kRosterRecordSize = 60;

// Field widths of a record, in file order (the last 6 bytes are blanks and the line end).
constexpr size_t kNameLengthWidth = 3;
constexpr size_t kNameWidth = 11;
constexpr size_t kPortraitWidth = 3;
constexpr size_t kSkillWidth = 3;
constexpr size_t kProfileWidth = 31;
constexpr size_t kProfileUsed = 30;

// Creates the portrait texture of a roster character. The graphics layer installs one once its
// device exists; until then portraits are simply not loaded.
class PortraitLoader {
  public:
    virtual ~PortraitLoader() = default;
    // recordNumber is 1..8; resourceName is the NUL-terminated bitmap name ("C1".."C8").
    virtual void loadPortrait(int recordNumber, const char* resourceName) = 0;
};

// Installs the loader (not owned; nullptr removes it).
void setPortraitLoader(PortraitLoader* loader);

// Copies roster record recordNumber (1..8) into state.players[1] and, when loadPortrait is set,
// has the installed loader create its portrait. A missing roster file ends the process with exit
// status 1. Answers 1 when a whole record was read; 0 for a record number outside 1..8 (nothing
// is touched) or a file too short for the record (the missing bytes read as zero).
int readRosterRecord(GameState& state, int recordNumber, bool loadPortrait);

// The same with the roster looked up below baseDir instead of the working directory.
int readRosterRecord(GameState& state, int recordNumber, bool loadPortrait,
                     const std::string& baseDir);

// The same from a roster file at a path of this system (the developer tools read any file).
int readRosterRecordFromFile(GameState& state, int recordNumber, bool loadPortrait,
                             const std::string& hostPath);

}  // namespace darts::frontend
