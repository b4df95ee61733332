#include "core/state_checksum.h"

#include <cstring>
#include <type_traits>

namespace darts {
namespace {

// FNV-1a over the bytes of each field, fed one field at a time so that padding never counts.
class Fnv1a {
  public:
    template <typename T>
    void add(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char byte : bytes) hash_ = (hash_ ^ byte) * 0x100000001b3ULL;
    }
    uint64_t value() const { return hash_; }

  private:
    uint64_t hash_ = 0xcbf29ce484222325ULL;
};

void addSide(Fnv1a& h, const PlayerSlot& p) {
    h.add(p.characterNumber);
    h.add(p.name);
    h.add(p.portraitResource);
    h.add(p.scoreLeft);
    h.add(p.dartScores);
    h.add(p.turnStartScore);
    h.add(p.dartsThrown);
    h.add(p.hitMessage);
    h.add(p.gaugeRange);
    h.add(p.gaugeTarget);
    h.add(p.turnCount);
    h.add(p.gaugeSkill);
    h.add(p.releaseSkill);
    h.add(p.portraitIndex);
}

}  // namespace

uint64_t stateChecksum(const GameState& s) {
    Fnv1a h;
    h.add(s.inFrontEnd);
    h.add(s.quitRequested);
    h.add(s.screen);
    h.add(s.menuSelection);
    h.add(s.selectedCharacter);
    h.add(s.cursorX);
    h.add(s.cursorY);
    h.add(s.randomState);
    h.add(s.tournamentMatch);
    h.add(s.tournamentSlots);
    h.add(s.humanMatchPending);
    h.add(s.tournamentOver);
    for (const PlayerSlot& side : s.players) addSide(h, side);
    h.add(s.matchPhase);
    h.add(s.throwStage);
    h.add(s.dartState);
    h.add(s.gaugeValue);
    h.add(s.swingAngle);
    h.add(s.swingDirection);
    h.add(s.swingWrapped);
    h.add(s.swingSpeed);
    h.add(s.aimYaw);
    h.add(s.handOffsetX);
    h.add(s.handOffsetZ);
    h.add(s.buttonHeld);
    for (const DartBody& dart : s.darts) {
        h.add(dart.x);
        h.add(dart.y);
        h.add(dart.z);
        h.add(dart.vx);
        h.add(dart.vy);
        h.add(dart.vz);
    }
    h.add(s.hitTimer);
    h.add(s.scoresShown);
    h.add(s.followEye.x);
    h.add(s.followEye.y);
    h.add(s.followEye.z);
    h.add(s.orbitEyeX);
    h.add(s.orbitEyeZ);
    h.add(s.dartsFinished);
    h.add(s.nameBoxText);
    h.add(s.okPressed);
    h.add(s.leftPressed);
    h.add(s.rightPressed);
    // A bar game's own state counts only while one is played, so the 301's sums stay as made.
    if (s.rules != nullptr) h.add(s.rules->checksum());
    return h.value();
}

}  // namespace darts
