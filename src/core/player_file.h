// The files the game keeps for the player (the settings and the records): where they live, how
// they are read without ever blocking on something that is not a file, and how they are replaced
// whole. A player file may be a symbolic link (dotfile managers link them): it is read and written
// through the link, so the link stays and its target holds the new text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace darts {

// The XDG base directory rule for one kind of file: $variable when it is an absolute path (a
// relative one is ignored), else $HOME/underHome when HOME is absolute; nothing otherwise.
std::optional<std::string> xdgFolder(const char* variable, std::string_view underHome);

// The file `path` names after every symbolic link at its end is followed (a chain too; a relative
// link is taken from the link's folder): the path itself when it is no link. Nothing, with one
// line in `error`, when the links loop.
std::optional<std::string> followLinks(const std::string& path, std::string& error);

struct PlayerFileText {
    enum class Status { Missing, Read, NotAFile, Unreadable, TooLarge };
    Status status = Status::Missing;
    std::string text;     // when Read
    std::string problem;  // one line when NotAFile, Unreadable or TooLarge
};

// Reads the regular file at `path` (through links), at most `largest` bytes. Anything else there
// (a folder, a FIFO, a device) is never opened for reading, so it can neither block nor change.
PlayerFileText readPlayerFile(const std::string& path, size_t largest);

// Replaces the file `path` names (through links) with `text`: a temporary file in the same folder
// as the real file, flushed to the disk and renamed over it, then the folder flushed, so a crash or
// a full disk leaves the old file or the new one, never half of one. Missing folders are made; the
// old file's permissions are kept. Something at the path that is not a regular file is left alone.
// False, with one line in `error`, on failure.
bool writePlayerFile(const std::string& path, std::string_view text, std::string& error);

// An advisory lock (flock) on the folder of the file `path` names, held while the object lives, so
// that two games reading a file again and writing it back take turns. The folder is made when
// missing. Without a lock (a file system that has none) the game still goes on.
class PlayerFileLock {
  public:
    explicit PlayerFileLock(const std::string& path);
    ~PlayerFileLock();
    PlayerFileLock(const PlayerFileLock&) = delete;
    PlayerFileLock& operator=(const PlayerFileLock&) = delete;

  private:
    int folder_ = -1;
};

}  // namespace darts
