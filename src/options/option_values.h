// What one option of the table holds in GameOptions, read and written for each type the table
// knows: as the settings file spells it, as it is typed, and stepped by the settings screen.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "options/option_entry.h"

namespace darts {

// The value as the settings file spells it ("no", "auto", "window"); "" for one the file never
// holds.
std::string optionText(const OptionEntry& option, const GameOptions& options);

// Sets the value from the settings file's spelling: "" when it was set, otherwise one line,
// "bad value 'V' for KEY (what it takes)", and `options` as it was.
std::string setOptionText(const OptionEntry& option, std::string_view text, GameOptions& options);

// Sets a value typed after its flag; false, with `options` as it was, when it is not one.
bool setTypedValue(const OptionEntry& option, std::string_view text, GameOptions& options);

// What a typed value should have been, for the error after a bad one.
std::string typedValueHint(const OptionEntry& option);

// The option as a GameOptions{} has it.
void resetOption(const OptionEntry& option, GameOptions& options);

// A switch's field; nothing for options of other types.
bool GameOptions::*switchField(const OptionEntry& option);

// A number, or nothing for its word (scale's auto) or one not given.
std::optional<uint64_t> numberOf(const OptionEntry& option, const GameOptions& options);
void setNumber(const OptionEntry& option, std::optional<uint64_t> number, GameOptions& options);

// The index of a choice's word that `options` holds, and the choice of another.
size_t chosenWord(const OptionEntry& option, const GameOptions& options);
void chooseWord(const OptionEntry& option, size_t word, GameOptions& options);

}  // namespace darts
