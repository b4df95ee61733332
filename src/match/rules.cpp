#include "match/rules.h"

#include "core/game_texts.h"
#include "match/flight.h"

namespace darts {

namespace {

constexpr Vec3f kFollowEyeStart = {4.0f, 2.0f, 6.0f};
constexpr float kSwingSpeedSlow = 0.007f;

float randomGaugeTarget(GameState& state, int range) {
    return static_cast<float>((randomInRange(state, 0, 2 * range) - range) * 0.03);
}

void prepareSide(PlayerSlot& side) {
    side.scoreLeft = kStartingScore;
    side.turnStartScore = kStartingScore;
    side.dartsThrown = 0;
    side.turnCount = 0;
    // The last match may have ended mid-turn: its dart scores must not linger into this one.
    for (int& score : side.dartScores) score = 0;
}

}  // namespace

void recordTournamentWinner(GameState& state, int character) {
    // Matches 1..7 write their winners into slots 10..16; the bracket has 18 slots.
    int slot = state.tournamentMatch + 9;
    if (slot >= 0 && slot < 18) state.tournamentSlots[slot] = character;
    state.tournamentMatch += 1;
    state.humanMatchPending = 0;
}

void newMatch(GameState& state) {
    for (DartBody& dart : state.darts) dart = {};
    state.handOffsetX = 0;
    state.handOffsetZ = 0;
    state.aimYaw = 0;

    state.inFrontEnd = 1;
    state.swingDirection = 1;
    state.swingAngle = 0.1f;
    state.swingWrapped = 0;
    state.followEye = kFollowEyeStart;
    state.swingSpeed = kSwingSpeedSlow;
    state.throwStage = ThrowStage::Aiming;
    state.matchPhase = MatchPhase::HumanTurn;

    PlayerSlot& human = state.players[kHuman];
    prepareSide(human);
    human.gaugeTarget = randomGaugeTarget(state, human.gaugeRange);

    PlayerSlot& computer = state.players[kComputer];
    prepareSide(computer);
    computer.gaugeRange = 10;
    computer.gaugeTarget = randomGaugeTarget(state, 10);
    computer.gaugeSkill = 7;
    computer.releaseSkill = 5;
}

void readyNextDart(GameState& state) {
    state.dartState = DartState::InHand;
    state.throwStage = ThrowStage::Aiming;
    state.followEye = kFollowEyeStart;
    state.swingSpeed = kSwingSpeedSlow;
    state.hitTimer = 0;
}

void finishDart(GameState& state) {
    if (state.rules) {
        state.rules->dartFinished(state);
        return;
    }
    const int side = static_cast<int>(state.matchPhase);
    PlayerSlot& thrower = state.players[side];
    FinishedDart record = {
        side, thrower.turnCount,     thrower.dartsThrown,   thrower.dartScores[thrower.dartsThrown],
        0,    thrower.scoreLeft < 0, thrower.scoreLeft == 0};
    thrower.dartsThrown += 1;

    if (thrower.scoreLeft == 0) {
        if (state.screen == ScreenId::Tournament) {
            recordTournamentWinner(state, thrower.characterNumber);
        } else {
            state.screen = ScreenId::Title;
        }
        state.scoresShown = 0;
        state.inFrontEnd = 1;
        state.matchPhase = MatchPhase::MatchOver;
    } else if (thrower.scoreLeft < 0) {
        for (int& score : thrower.dartScores) score = 0;
        thrower.scoreLeft = thrower.turnStartScore;
        endTurn(state);
    }

    readyNextDart(state);

    if (sideToThrow(state)) {
        const PlayerSlot& next = currentSide(state);
        if (next.dartsThrown == 3 && next.scoreLeft > 0) endTurn(state);
    }

    record.scoreLeft = thrower.scoreLeft;
    state.lastFinishedDart = record;
    state.dartsFinished += 1;
}

void endTurn(GameState& state) {
    PlayerSlot& side = currentSide(state);
    side.turnStartScore -= side.dartScores[0] + side.dartScores[1] + side.dartScores[2];
    side.turnCount += 1;
    side.dartsThrown = 0;
    for (int& score : side.dartScores) score = 0;
    if (state.matchPhase == MatchPhase::HumanTurn) {
        state.matchPhase = MatchPhase::ComputerTurn;
    } else if (state.matchPhase == MatchPhase::ComputerTurn) {
        state.matchPhase = MatchPhase::HumanTurn;
    }
    state.scoresShown = 0;
}

ResultTexts resultTexts(const GameState& state) {
    ResultTexts texts = {false, "", 0, nullptr};
    if (state.dartState != DartState::Thrown || !sideToThrow(state)) return texts;
    const PlayerSlot& side = currentSide(state);
    if (side.dartsThrown < 0 || side.dartsThrown > 2) return texts;
    const DartBody& dart = state.darts[side.dartsThrown];
    if (!dartHasReachedBoard(dart) && !dartHasStopped(dart)) return texts;
    texts.shown = true;
    texts.ring = side.hitMessage;
    texts.score = side.dartScores[side.dartsThrown];
    if (side.scoreLeft < 0) {
        texts.outcome = gameText(state.language, TextId::Bust);
    } else if (side.scoreLeft == 0) {
        texts.outcome =
            gameText(state.language, state.matchPhase == MatchPhase::ComputerTurn ? TextId::YouLose
                                                                                  : TextId::YouWin);
    }
    return texts;
}

}  // namespace darts
