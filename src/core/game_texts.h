// Every text the game shows, in each language it speaks. The texts are Shift-JIS (CP932) byte
// strings as the game keeps them; English is plain ASCII, which is valid CP932, so the fonts, the
// text buffer and the name rules treat both alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace darts {

enum class Language : int32_t {
    Japanese = 0,  // the game as it always was
    English = 1,
};

enum class TextId : int {
    NoCharacterLine1,  // the title's notice when no character has been chosen
    NoCharacterLine2,
    ExperienceLabel,  // character select and darts bar: "years of darts" label
    YearsSuffix,      // after the number of years
    NamePrefix,       // darts bar: before the opponent's name
    YourTurn,         // tournament: the human plays next
    ChampionIs,       // tournament: before the champion's name
    ChampionEnd,      // tournament: after the champion's name
    NoPoint,          // ring texts of a match
    InnerBull,
    OuterBull,
    Triple,
    Double,
    Bust,  // result messages of a match
    YouLose,
    YouWin,
    SettingsHeading,  // the settings screen (F1 on the title): its heading and values; the rows'
                      // labels are the option table's
    ValueFullScreen,
    ValueWindow,
    ValueModeSwitch,
    ValueAuto,
    ValueOn,
    ValueOff,
    ValueJapanese,
    ValueEnglish,
    FromNextStart,  // beside a setting that a running game cannot take over
    CloseButton,
    Count,
};

constexpr int kTextCount = static_cast<int>(TextId::Count);

// The text `id` in `language`; never null.
const char* gameText(Language language, TextId id);

// "ja" or "en"; nothing for any other code.
std::optional<Language> languageFromCode(std::string_view code);

// The code of a language ("ja", "en").
const char* languageCode(Language language);

// The match's Japanese texts (the rings, bust and the match's end), Shift-JIS; the rules' tests
// compare against them.
extern const char kTextNoPoint[];
extern const char kTextInnerBull[];
extern const char kTextOuterBull[];
extern const char kTextTriple[];
extern const char kTextDouble[];
extern const char kTextBust[];
extern const char kTextYouLose[];
extern const char kTextYouWin[];

}  // namespace darts
