// The records file on disk: $XDG_DATA_HOME/darts301/records (~/.local/share when XDG_DATA_HOME is
// unset or not absolute). Written whole and atomically, so a crash at any moment leaves either
// the old file or the new one; read again and added to under a lock, so two games running at once
// both count; and never written over when it could not be read.
#pragma once

#include <string>

#include "match/player_records.h"

namespace darts {

// Where the records live; "" when neither XDG_DATA_HOME nor HOME is an absolute folder.
std::string recordsPath();

// The line for stderr when --awards has no folder for its records.
std::string noRecordsFolderMessage();

struct LoadedRecords {
    PlayerRecords records;
    // One line for stderr when the file could not be used (it was damaged or newer and has been
    // moved aside, or could not be read); "" otherwise. A missing file is no problem.
    std::string message;
    // False when something is at the path that cannot be read or is not a regular file (a folder,
    // a FIFO): it is left alone and must never be written over, so no records are kept this run.
    bool usable = true;
};

// Reads the file at path (through a symbolic link). A damaged or newer-version regular file is
// renamed to "<file>.damaged" or "<file>.newer" (with ".2", ".3"... when that name is taken) and
// the records start empty.
LoadedRecords loadRecords(const std::string& path);

// Writes the records to a temporary file beside the file path names, flushes it to the disk,
// renames it over the file and flushes the folder. Creates the folder when missing. "" on
// success, else one line.
std::string saveRecords(const std::string& path, const PlayerRecords& records);

struct SavedRecords {
    bool saved = false;     // the additions are in the file
    PlayerRecords records;  // what the file holds now, when saved
    std::string message;    // one line for stderr; "" when there is nothing to say
    bool usable = true;     // as LoadedRecords::usable: false ends the keeping of records
};

// Adds `additions` (the matches recorded since this run last saved) to the records as the file
// holds them now: under a lock, the file is read again, the additions merged in and the result
// written whole, so the matches another game saved meanwhile are kept.
SavedRecords addToRecordsFile(const std::string& path, const PlayerRecords& additions);

}  // namespace darts
