// The records file on disk: $XDG_DATA_HOME/darts301/records (~/.local/share when XDG_DATA_HOME is
// unset or not absolute). Written whole and atomically, so a crash at any moment leaves either
// the old file or the new one.
#pragma once

#include <string>

#include "match/player_records.h"

namespace darts {

// Where the records live; "" when neither XDG_DATA_HOME nor HOME gives a folder.
std::string recordsPath();

struct LoadedRecords {
    PlayerRecords records;
    // One line for stderr when the file could not be used (it was damaged or newer and has been
    // moved aside, or could not be read); "" otherwise. A missing file is no problem.
    std::string message;
};

// Reads the file at path. A damaged or newer-version file is renamed to "<path>.damaged" or
// "<path>.newer" (with ".2", ".3"... when that name is taken) and the records start empty.
LoadedRecords loadRecords(const std::string& path);

// Writes the records to a temporary file beside path, flushes it to the disk, renames it over
// path and flushes the folder. Creates the folder when missing. "" on success, else one line.
std::string saveRecords(const std::string& path, const PlayerRecords& records);

}  // namespace darts
