#include "loops/shown_state_log.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "games/bar_match.h"

namespace darts {

std::string shownState(const GameState& state) {
    if (state.inFrontEnd != 0) {
        switch (state.screen) {
            case ScreenId::Title:
                return "title";
            case ScreenId::CharacterSelect:
                return "character-select";
            case ScreenId::DartsBar:
                return "darts-bar";
            case ScreenId::Tournament:
                return "tournament";
            case ScreenId::NoCharacterNotice:
                return "no-character";
            case ScreenId::GameSelect:
                return "game-select";
        }
        return "front-end";
    }
    if (state.matchPhase == MatchPhase::MatchOver) return "match over";
    if (const auto* bar = dynamic_cast<const games::BarMatch*>(state.rules)) {
        switch (bar->pause()) {
            case games::BarPause::HandOver:
                return "bar hand-over";
            case games::BarPause::LegOver:
                return "bar leg-over";
            case games::BarPause::MatchOver:
                return "bar game-over";
            case games::BarPause::ChooseGame:
                return "bar choose-game";
            case games::BarPause::None:
                break;
        }
    }
    switch (state.throwStage) {
        case ThrowStage::Aiming:
            return "match aiming";
        case ThrowStage::Swinging:
            return "match swinging";
        case ThrowStage::Released:
            return state.hitTimer > 0 ? "match landed" : "match released";
        case ThrowStage::None:
            break;
    }
    return "match";
}

std::unique_ptr<ShownStateLog> ShownStateLog::fromEnvironment() {
    const char* path = std::getenv("DARTS_STATE_LOG");
    if (path == nullptr || *path == 0) return nullptr;
    std::FILE* file = std::fopen(path, "ae");
    if (file == nullptr) {
        std::fprintf(stderr, "darts: cannot write the state log %s: %s\n", path,
                     std::strerror(errno));
        return nullptr;
    }
    return std::unique_ptr<ShownStateLog>(new ShownStateLog(file));
}

ShownStateLog::~ShownStateLog() { std::fclose(file_); }

void ShownStateLog::framePresented(const GameState& state, uint64_t frame) {
    std::fprintf(file_, "%llu %s\n", static_cast<unsigned long long>(frame),
                 shownState(state).c_str());
    std::fflush(file_);
}

}  // namespace darts
