// The player's settings file: `key = value` lines, read once at start-up into the same options the
// command line gives, so that an option given on the command line wins for that run. Without the
// file every option keeps its default and the game is as it always was.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "options/command_line.h"

namespace darts {

// $XDG_CONFIG_HOME/darts301/darts301.conf, or ~/.config/darts301/darts301.conf; nothing when
// neither variable is an absolute folder (the same rule as the records').
std::optional<std::string> settingsFilePath();

// A settings file is a few hundred bytes; a larger one than this is not read into memory whole.
constexpr size_t kLargestSettingsFile = 64 * 1024;

// Applies every understood line of `text` to `options`. Each line that is damaged, unknown or has
// a bad value is left out and gets one warning, "FILE:LINE: why", in `warnings`.
void applySettingsText(std::string_view text, std::string_view fileName, GameOptions& options,
                       std::vector<std::string>& warnings);

// Reads the file at `path` into `options`. A missing file is no warning: it means the defaults.
void applySettingsFile(const std::string& path, GameOptions& options,
                       std::vector<std::string>& warnings);

// The file's text for `options`, every key written, with a comment saying what it does.
std::string settingsText(const GameOptions& options);

// The value `key` has in `options` as the file spells it ("" for a key the file does not know).
std::string settingValue(std::string_view key, const GameOptions& options);

// `existing` (a settings file's text) with the lines of `keys` set to their values in `options`;
// every other line, comments and lines the reader refuses included, stays as it was, and a key
// the text lacks is added at its end.
std::string updatedSettingsText(std::string_view existing, const GameOptions& options,
                                std::span<const std::string_view> keys);

// Writes `text` to `path` as every player file is written (see writePlayerFile): through a
// symbolic link, atomically, and never over something that is not a regular file. False, with one
// line in `error`, on failure.
bool writeSettingsFile(const std::string& path, std::string_view text, std::string& error);

// Sets `keys` in the file at `path` to their values in `options`: read again and written back
// under the file's lock, so that two games writing at once each keep their own changes, and never
// written when a file is there that cannot be read. "" on success, else one line.
std::string updateSettingsFile(const std::string& path, const GameOptions& options,
                               std::span<const std::string_view> keys);

}  // namespace darts
