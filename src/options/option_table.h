// Every option of the game, once: the command line, the settings file, --help, the settings
// screen's rows and the demo rules are all read from this table (option_entry.h says what each
// column means). The settings file's keys and the screen's rows keep the table's order, so a
// player's file reads as it always has.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

#include "options/option_entry.h"

namespace darts {

inline constexpr OptionWord kDisplayWords[] = {
    {.word = "fullscreen", .shown = TextId::ValueFullScreen},
    {.word = "window",
     .shown = TextId::ValueWindow,
     .field = &GameOptions::windowed,
     .flag = "--window",
     .help = "play in a resizable window (Alt+Enter toggles)"},
    {.word = "mode",
     .shown = TextId::ValueModeSwitch,
     .field = &GameOptions::displayMode,
     .flag = "--display-mode",
     .help = "switch the display to 800 x 600 while the game runs",
     .fromNextStart = true},
};
inline constexpr OptionWord kScaleWords[] = {{.word = "auto", .shown = TextId::ValueAuto}};
inline constexpr OptionWord kGameWords[] = {
    {.word = "none"},   {.word = "301"},     {.word = "501"},       {.word = "701"},
    {.word = "901"},    {.word = "1101"},    {.word = "1501"},      {.word = "cricket"},
    {.word = "cutthroat"}, {.word = "countup"}, {.word = "medley"}};
inline constexpr OptionWord kRuleWords[] = {{.word = "open"}, {.word = "double"}, {.word = "master"}};
inline constexpr OptionWord kBullWords[] = {{.word = "separate"}, {.word = "fat"}};
inline constexpr OptionWord kLegsWords[] = {{.word = "3"}, {.word = "5"}};
inline constexpr OptionWord kX01Words[] = {{.word = "301"}, {.word = "501"}, {.word = "701"},
                                           {.word = "901"}, {.word = "1101"}, {.word = "1501"}};
// The bar game a demo was made with is its own; the settings file's remembered choice is not.
inline constexpr DemoRule kBarGameDemo = {.stored = true,
                                         .defaultInDemo = true,
                                         .typed = DemoTyped::RefusedWhilePlaying,
                                         .refusal = "while a demo plays (it keeps its own)"};
inline constexpr OptionWord kLanguageWords[] = {{.word = "ja", .shown = TextId::ValueJapanese},
                                                {.word = "en", .shown = TextId::ValueEnglish}};

inline constexpr OptionEntry kOptionTable[] = {
    {.flag = "--help", .type = OptionType::Help, .help = "show this and end"},
    // A mode switch needs full screen: --window and --display-mode typed together contradict
    // each other, and the one typed replaces the settings file's display.
    {.key = "display",
     .type = OptionType::Choice,
     .words = kDisplayWords,
     .row = {.japanese = "\x95\x5c\x8e\xa6",  // "表示"
             .english = "Display",
             .apply = ScreenApply::LiveWindowing},
     .comment = "fullscreen (the desktop's mode), window, or mode (switch to 800 x 600)"},
    // A demo brings its own random numbers.
    {.flag = "--seed",
     .type = OptionType::Number,
     .field = &GameOptions::seed,
     .valueName = "N",
     .low = 0,
     .high = std::numeric_limits<uint32_t>::max(),
     .once = true,
     .badValue = "a number 0..4294967295",
     .demo = {.typed = DemoTyped::RefusedWhilePlaying, .refusal = "with a demo"},
     .help = "seed the random numbers with N instead of the clock"},
    {.flag = "--frames",
     .type = OptionType::Number,
     .field = &GameOptions::frames,
     .valueName = "N",
     .low = 1,
     .high = std::numeric_limits<uint64_t>::max(),
     .once = true,
     .badValue = "a number of frames, 1 or more",
     .help = "quit after N frames, as if Escape were pressed then"},
    {.flag = "--screenshot",
     .type = OptionType::Repeatable,
     .field = &GameOptions::screenshots,
     .valueName = "FRAME:FILE.png",
     .badValue = "FRAME:FILE.png, frames counted from 1",
     .help = "write the picture of frame FRAME (from 1) to FILE.png"},
    // A demo's input cannot be recorded over again.
    {.flag = "--record",
     .type = OptionType::Text,
     .field = &GameOptions::recordDemo,
     .valueName = "FILE",
     .once = true,
     .demo = {.typed = DemoTyped::RefusedWhilePlaying, .refusal = "while a demo plays"},
     .help = "write everything the game reads from the input to FILE"},
    {.flag = "--playdemo",
     .type = OptionType::Text,
     .field = &GameOptions::playDemo,
     .valueName = "FILE",
     .once = true,
     .twice = "only one demo can be played at a time",
     .help = "play a recorded demo back"},
    {.flag = "--timedemo",
     .type = OptionType::Text,
     .field = &GameOptions::playDemo,
     .valueName = "FILE",
     .once = true,
     .twice = "only one demo can be played at a time",
     .alsoOn = &GameOptions::timeDemo,
     .help = "play a demo as fast as it draws, print the frame rate"},
    {.key = "scale",
     .flag = "--scale",
     .type = OptionType::Number,
     .field = &GameOptions::scale,
     .valueName = "N|auto",
     .low = 1,
     .high = 16,
     .words = kScaleWords,
     .once = true,
     .badValue = "a whole multiple, 1..16, or auto",
     .row = {.japanese = "\x8a\x67\x91\xe5\x97\xa6",  // "拡大率"
             .english = "Scale",
             .prefix = "x"},
     .help = "make the window N times 800 x 600 (auto: largest fit)",
     .comment = "auto, or a whole-number scale of the 800 x 600 picture"},
    {.key = "stretch",
     .flag = "--stretch",
     .field = &GameOptions::stretch,
     .row = {.japanese = "\x88\xf8\x82\xab\x90\x4c\x82\xce\x82\xb5",  // "引き伸ばし"
             .english = "Stretch"},
     .help = "fill the whole screen instead of keeping the 4:3 shape",
     .comment = "yes: fill the screen instead of keeping the picture's shape"},
    // The device is made for one kind of frame, so a running game keeps its own.
    {.key = "sharp",
     .flag = "--sharp",
     .field = &GameOptions::sharp,
     .row = {.japanese = "\x8d\x82\x90\xb8\x8d\xd7\x95\x60\x89\xe6",  // "高精細描画"
             .english = "Sharp picture"},
     .help = "draw the picture at the size it is shown, not magnified",
     .comment = "yes: draw the picture at the size it is shown instead of magnifying 800 x 600"},
    {.key = "smooth_hud",
     .flag = "--smooth-hud",
     .field = &GameOptions::smoothHud,
     .row = {.japanese = "HUD\x89\xe6\x91\x9c\x82\xf0\x8a\x8a\x82\xe7\x82\xa9\x82\xc9",
             // "HUD画像を滑らかに"
             .english = "Smooth HUD"},
     .help = "with --sharp, smooth the magnified HUD pictures instead\n"
             "of keeping their square pixels",
     .comment = "yes: with sharp, the HUD's magnified pictures drawn smooth, not in square pixels"},
    {.key = "music_volume",
     .flag = "--music-volume",
     .type = OptionType::Number,
     .field = &GameOptions::musicVolume,
     .valueName = "N",
     .low = 0,
     .high = kFullVolume,
     .badValue = "a percentage, 0..100",
     .row = {.japanese = "\x89\xb9\x8a\x79\x82\xcc\x89\xb9\x97\xca",  // "音楽の音量"
             .english = "Music volume",
             .apply = ScreenApply::Live,
             .step = 10},
     .help = "play the music at N percent (0..100, default 100)",
     .comment = "volumes in percent, 0..100"},
    {.key = "effect_volume",
     .flag = "--effect-volume",
     .type = OptionType::Number,
     .field = &GameOptions::effectVolume,
     .valueName = "N",
     .low = 0,
     .high = kFullVolume,
     .badValue = "a percentage, 0..100",
     .row = {.japanese = "\x8c\xf8\x89\xca\x89\xb9\x82\xcc\x89\xb9\x97\xca",  // "効果音の音量"
             .english = "Effect volume",
             .apply = ScreenApply::Live,
             .step = 10},
     .help = "play the board hit at N percent (0..100, default 100)"},
    {.key = "mute",
     .flag = "--mute",
     .field = &GameOptions::mute,
     .row = {.japanese = "\x8f\xc1\x89\xb9",  // "消音"
             .english = "Mute",
             .apply = ScreenApply::Live},
     .help = "no sound at all"},
    // A cursor at another speed than the demo's would make another game.
    {.key = "mouse_speed",
     .flag = "--mouse-speed",
     .type = OptionType::Number,
     .field = &GameOptions::mouseSpeed,
     .valueName = "N",
     .low = 1,
     .high = kMaxMouseSpeed,
     .badValue = "pixels per count, 1..20",
     .demo = {.stored = true,
              .defaultInDemo = true,
              .typed = DemoTyped::RefusedWithAnyDemo,
              .refusal = "with a demo"},
     .row = {.japanese = "\x83\x7d\x83\x45\x83\x58\x82\xcc\x91\xac\x82\xb3",  // "マウスの速さ"
             .english = "Mouse speed",
             .apply = ScreenApply::Live},
     .help = "move the menu cursor N pixels per mouse count (1..20,\ndefault 3)",
     .comment = "front-end cursor pixels per mouse count, 1..20 (3 as made)"},
    {.key = "rumble",
     .flag = "--rumble",
     .field = &GameOptions::rumble,
     .row = {.japanese = "\x90\x55\x93\xae",  // "振動"
             .english = "Rumble",
             .apply = ScreenApply::Live},
     .help = "controller rumble when a dart hits the board (on)",
     .comment = "a short rumble of the game controller when a dart hits the board"},
    // The card after each match waits for a click that no demo holds.
    {.key = "awards",
     .flag = "--awards",
     .field = &GameOptions::awards,
     .demo = {.defaultInDemo = true,
              .typed = DemoTyped::RefusedWithAnyDemo,
              .refusal = "with a demo"},
     .row = {.japanese = "\x83\x41\x83\x8f\x81\x5b\x83\x68",  // "アワード"
             .english = "Awards"},
     .help = "award titles, a statistics card after each match, and\n"
             "records per character (F2 on the title shows them)"},
    // The game select sits between the title and the match; a demo holds no screen of it.
    {.key = "bar_games",
     .flag = "--bar-games",
     .field = &GameOptions::barGames,
     .demo = {.defaultInDemo = true,
              .typed = DemoTyped::RefusedWithAnyDemo,
              .refusal = "with a demo"},
     .row = {.japanese = "\x83\x5f\x81\x5b\x83\x63\x83\x6f\x81\x5b\x82\xcc\x91\xe4",  // "ダーツバーの台"
             .english = "Bar games",
             .apply = ScreenApply::Live},
     .help = "\"darts bar\" on the title opens the bar machine's game\n"
             "select: 01, Cricket, Count-Up, Medley, up to four seats"},
    {.key = "checkout_hint",
     .flag = "--checkout-hint",
     .field = &GameOptions::checkoutHint,
     .row = {.japanese = "\x83\x41\x83\x8c\x83\x93\x83\x57\x95\x5c\x8e\xa6",  // "アレンジ表示"
             .english = "Checkout hint",
             .apply = ScreenApply::Live},
     .help = "a bar game's 01 board shows a finishing route with double\n"
             "or master out (on)"},
    // Texts in another language than the demo's would make another game.
    {.key = "language",
     .flag = "--language",
     .type = OptionType::Choice,
     .field = &GameOptions::language,
     .valueName = "ja|en",
     .words = kLanguageWords,
     .demo = {.stored = true,
              .typed = DemoTyped::RefusedWhilePlaying,
              .refusal = "while a demo plays (it keeps its own)"},
     .row = {.japanese = "\x8c\xbe\x8c\xea",  // "言語"
             .english = "Language"},
     .help = "the language of the texts and characters (ja)",
     .comment = "ja or en"},
    // The bar games, as darts-sim names them.
    {.key = "game",
     .flag = "--game",
     .type = OptionType::Choice,
     .field = &GameOptions::game,
     .valueName = "G",
     .words = kGameWords,
     .alsoOn = &GameOptions::startGame,
     .demo = kBarGameDemo,
     .help = "start a bar game at once: 301, 501, 701, 901, 1101, 1501,\n"
             "cricket, cutthroat, countup or medley",
     .comment = "the bar game, its rules and seats last chosen"},
    {.key = "in",
     .flag = "--in",
     .type = OptionType::Choice,
     .field = &GameOptions::inRule,
     .valueName = "open|double|master",
     .words = kRuleWords,
     .demo = kBarGameDemo,
     .help = "the 01 games' in (open)"},
    {.key = "out",
     .flag = "--out",
     .type = OptionType::Choice,
     .field = &GameOptions::outRule,
     .valueName = "open|double|master",
     .words = kRuleWords,
     .demo = kBarGameDemo,
     .help = "the 01 games' out (open)"},
    {.key = "bull",
     .flag = "--bull",
     .type = OptionType::Choice,
     .field = &GameOptions::bull,
     .valueName = "separate|fat",
     .words = kBullWords,
     .demo = kBarGameDemo,
     .help = "the 01 games' outer bull: 25 (separate) or 50 (fat)"},
    {.key = "rounds",
     .flag = "--rounds",
     .type = OptionType::Number,
     .field = &GameOptions::rounds,
     .valueName = "R",
     .low = 0,
     .high = 20,
     .badValue = "a round limit: 0 (none), 10, 15 or 20",
     .demo = kBarGameDemo,
     .help = "a round limit: 01 10, 15 or 20 (0: none); Cricket 15 or 20"},
    {.key = "legs",
     .flag = "--legs",
     .type = OptionType::Choice,
     .field = &GameOptions::legs,
     .valueName = "3|5",
     .words = kLegsWords,
     .demo = kBarGameDemo,
     .help = "a medley's best of 3 or 5 legs"},
    {.key = "x01",
     .flag = "--x01",
     .type = OptionType::Choice,
     .field = &GameOptions::x01,
     .valueName = "N",
     .words = kX01Words,
     .demo = kBarGameDemo,
     .help = "a medley's 01 start (501)"},
    {.key = "sides",
     .flag = "--sides",
     .type = OptionType::Word,
     .field = &GameOptions::sides,
     .valueName = "LIST",
     .accepts = acceptsSides,
     .badValue = "1 to 4 of you, guestK[:NAME], rN, cK, p, comma-separated",
     .demo = kBarGameDemo,
     .help = "the seats of a bar game: you, guestK (character K at\n"
             "the mouse; guestK:NAME under a typed name), rN (a\n"
             "computer at level N), cK (character K at its own\n"
             "skills) or p"},
    // A replay adds frames that no demo holds.
    {.key = "replay",
     .flag = "--replay",
     .field = &GameOptions::replay,
     .demo = {.defaultInDemo = true,
              .typed = DemoTyped::RefusedWithAnyDemo,
              .refusal = "with a demo"},
     .row = {.japanese = "\x83\x8a\x83\x76\x83\x8c\x83\x43",  // "リプレイ"
             .english = "Replays"},
     .help = "replay a leg-winning dart, a TON 80 or a HAT TRICK from\n"
             "beside the board, slowed down (R: the turn so far again)",
     .comment = "yes: replays of the winning dart, a TON 80 and a HAT TRICK (R during a match)"},
};

// The entry with the settings-file key `key`; nothing for a key the file does not know.
constexpr const OptionEntry* optionWithKey(std::string_view key) {
    for (const OptionEntry& option : kOptionTable) {
        if (!key.empty() && option.key == key) return &option;
    }
    return nullptr;
}

constexpr bool hasRow(const OptionEntry& option) { return !option.row.english.empty(); }

// The settings screen's rows are the options with a label, in the table's order.
constexpr int optionRowCount() {
    int rows = 0;
    for (const OptionEntry& option : kOptionTable) rows += hasRow(option) ? 1 : 0;
    return rows;
}

// The option shown in row `row`; nothing outside the rows.
constexpr const OptionEntry* optionOfRow(int row) {
    for (const OptionEntry& option : kOptionTable) {
        if (hasRow(option) && row-- == 0) return &option;
    }
    return nullptr;
}

}  // namespace darts
