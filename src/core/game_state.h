// The one record that holds the whole game: every subsystem reads and writes it directly.
// Behaviour lives elsewhere; this header only defines the data and the random-number entry.
#pragma once

#include <cstdint>

#include "core/asset_handles.h"
#include "core/game_texts.h"
#include "core/match_rules.h"

namespace darts::audio {
class EffectOutput;
}

namespace darts {

enum class ScreenId : int32_t {
    Title = 0,
    DartsBar = 1,  // the darts-bar match introduction
    Tournament = 2,
    CharacterSelect = 3,
    NoCharacterNotice = 4,  // the title screen with the "no character chosen" notice
    // The bar machine's game select (with bar games on), opened from the title's darts bar or
    // tournament, which menuSelection still names.
    GameSelect = 5,
};

// Whose turn it is. The value doubles as the index of the side in `players`; 2 is never used.
enum class MatchPhase : int32_t {
    HumanTurn = 0,
    ComputerTurn = 1,
    MatchOver = 3,
};

enum class ThrowStage : int32_t {
    None = 0,  // before the first match is prepared
    Aiming = 1,
    Swinging = 2,
    Released = 3,
};

enum class DartState : int32_t {
    None = 0,  // before the assets are loaded
    InHand = 1,
    Thrown = 2,
};

enum class MenuItem : int32_t {
    None = 0,
    DartsBar = 1,
    Tournament = 2,
    CharacterSelect = 3,
};

constexpr int kHuman = 0;
constexpr int kComputer = 1;

// One side of a match; also the scratch record the roster reader copies a character into.
// Texts are Shift-JIS byte strings. Whole records are copied and cleared by value.
struct PlayerSlot {
    int32_t characterNumber;  // roster character 1..8; 0 in players[0]: none chosen yet
    char name[12];
    char portraitResource[4];  // "C1".."C8" followed by NUL bytes
    int32_t scoreLeft;
    int32_t dartScores[3];
    int32_t turnStartScore;
    int32_t dartsThrown;   // darts finished this turn; also the index of the dart in play
    char hitMessage[256];  // ring text of the last hit; in the front end the profile text
    int32_t gaugeRange;    // half-width of the gauge's random targets, in steps of 0.03
    float gaugeTarget;
    int32_t turnCount;
    int32_t gaugeSkill;    // roster statistic: the computer's gauge tolerance (default 7)
    int32_t releaseSkill;  // roster statistic: the computer's release spread (default 5)
    int32_t portraitIndex;
};

// Years of darts experience shown for a character.
inline int experienceYears(const PlayerSlot& p) { return 18 - p.gaugeSkill - p.releaseSkill; }

struct DartBody {
    float x, y, z;
    float vx, vy, vz;
};

struct Vec3f {
    float x, y, z;
};

// What the match loop remembers of the last finished dart. The rules never read it: it exists
// for the tools, the tests and demo checks that watch a match from outside.
struct FinishedDart {
    int32_t side;
    int32_t turn;  // the side's turnCount when the dart was thrown
    int32_t dart;  // 0..2 within the turn
    int32_t score;
    int32_t scoreLeft;  // as it stands once the dart is finished, a bust already undone
    bool bust;
    bool win;
};

struct GameState {
    // Shell and screens.
    uint8_t inFrontEnd = 1;
    uint8_t quitRequested = 0;
    ScreenId screen = ScreenId::Title;
    MenuItem menuSelection = MenuItem::DartsBar;
    int32_t selectedCharacter = 1;
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    char textBuffer[272] = {};

    // The generator behind randomInRange: 1 until asset loading seeds it.
    uint32_t randomState = 1;

    // Tournament.
    int32_t tournamentMatch = 1;
    int32_t tournamentSlots[18] = {};
    uint8_t humanMatchPending = 0;
    uint8_t tournamentOver = 0;

    // Match and throw.
    PlayerSlot players[2] = {};
    MatchPhase matchPhase = MatchPhase::HumanTurn;
    ThrowStage throwStage = ThrowStage::None;
    DartState dartState = DartState::None;
    float gaugeValue = 0;
    float swingAngle = 0;
    int32_t swingDirection = 0;  // 1 backswing (angle rising), 2 forward swing (falling)
    int32_t swingWrapped = 0;    // 1 while the angle sits in its wrapped range below 12.56
    float swingSpeed = 0;
    float aimYaw = 0;
    float handOffsetX = 0;
    float handOffsetZ = 0;
    int32_t buttonHeld = 0;
    DartBody darts[3] = {};
    int32_t hitTimer = 0;
    int32_t scoresShown = 0;

    // Cameras of the match scene.
    Vec3f followEye = {};
    float orbitEyeX = 0;
    float orbitEyeZ = 0;

    // Models of the match scene.
    render::MeshAsset handModel;
    render::MeshAsset roomModel;
    render::MeshAsset boardModel;
    render::MeshAsset dartModel;

    // Presentation: the 2D textures by index (0 where a bitmap failed to load) and the two fonts.
    render::TextureHandle overlayTextures[8] = {};
    render::TextureHandle portraitTextures[9] = {};  // by character number 1..8; slot 0 unused
    render::FontHandle smallFont = 0, largeFont = 0;
    // The bar games' scoreboard fonts (narrower, for four seats), made for the first one played.
    render::FontHandle barBodyFont = 0, barBigFont = 0;
    render::TextureHandle cursorTexture = 0;  // the front end's pointer, drawn at cursorX, cursorY

    // Sound: the board-hit effect's output; null plays nothing.
    audio::EffectOutput* effects = nullptr;

    // The rules of a bar game chosen beside the 301; null plays the 301 as the game was made.
    MatchRules* rules = nullptr;
    // Bar games on: the title's darts bar and tournament open the game select first.
    uint8_t barGamesOn = 0;
    // A bar game's 01 board shows a finishing route (drawn only).
    uint8_t checkoutHintOn = 1;

    // Watching the match from outside (never read by the rules).
    uint64_t framesDrawn = 0;
    uint32_t dartsFinished = 0;
    FinishedDart lastFinishedDart = {};
    uint32_t boardHitsPlayed = 0;

    // Character select.
    char nameBoxText[17] = {};  // the name box: Shift-JIS, at most 16 bytes, NUL-terminated
    int32_t okPressed = 0;      // press latches: a press of the button has been acted on
    int32_t leftPressed = 0;
    int32_t rightPressed = 0;

    // Awards (the --awards option): shown and heard only, never read by the rules or checksums.
    uint8_t awardsOn = 0;
    render::TextureHandle awardTextures[8] = {};  // by Award: the titles 1..6, the card at 7
    // The language of every text and of the roster; set once from the options before play.
    Language language = Language::Japanese;
    // The front-end cursor's pixels per mouse count, a setting; 0 keeps the 3 the game was made
    // with. Read by the front end only, and never part of a demo's checksum.
    int32_t cursorPixelsPerCount = 0;
};

// The side whose turn it is. Only valid while matchPhase is 0 or 1.
inline PlayerSlot& currentSide(GameState& s) { return s.players[static_cast<int>(s.matchPhase)]; }
inline const PlayerSlot& currentSide(const GameState& s) {
    return s.players[static_cast<int>(s.matchPhase)];
}
inline bool sideToThrow(const GameState& s) {
    return s.matchPhase == MatchPhase::HumanTurn || s.matchPhase == MatchPhase::ComputerTurn;
}

// The only source of random numbers: the first draw of the generator that lies in low..high.
int randomInRange(GameState& state, int low, int high);

// Seeds the generator (asset loading seeds it once with the calendar time).
void seedRandom(GameState& state, uint32_t seed);

}  // namespace darts
