#include "match/player_records.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace darts {
namespace {

constexpr std::string_view kMagic = "darts301-records";
constexpr int64_t kMaxCount = 999'999'999;

// The awards in file order, after the counts.
constexpr Award kFileAwards[] = {Award::Ton80,       Award::ThreeInTheBlack, Award::HatTrick,
                                 Award::ThreeInABed, Award::HighTon,         Award::LowTon};

int64_t capped(int64_t value) { return value > kMaxCount ? kMaxCount : value; }

std::optional<int64_t> parseNumber(std::string_view text) {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || text[0] == '-' || text[0] == '+' || error != std::errc() || stop != end ||
        value > kMaxCount) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> splitSpaces(std::string_view line) {
    std::vector<std::string_view> words;
    size_t start = 0;
    while (start <= line.size()) {
        size_t space = line.find(' ', start);
        if (space == std::string_view::npos) space = line.size();
        words.push_back(line.substr(start, space - start));
        start = space + 1;
    }
    return words;
}

ParsedRecords damaged(std::string problem) {
    ParsedRecords parsed;
    parsed.status = ParsedRecords::Status::Damaged;
    parsed.problem = std::move(problem);
    return parsed;
}

// The keys of a character line after "character N", and where each value goes.
struct Field {
    std::string_view key;
    int64_t CharacterRecord::*member;
};
constexpr Field kCountFields[] = {
    {"played", &CharacterRecord::played},       {"won", &CharacterRecord::won},
    {"tournaments", &CharacterRecord::tournaments}, {"darts", &CharacterRecord::darts},
    {"points", &CharacterRecord::points},       {"best_darts", &CharacterRecord::bestDarts},
    {"best_points", &CharacterRecord::bestPoints},
};

// Makes darts/points the best match when it has the more points per dart.
void keepBetterMatch(CharacterRecord& r, int64_t darts, int64_t points) {
    // Compared as fractions, exactly: points/darts > bestPoints/bestDarts.
    if (darts > 0 && (r.bestDarts == 0 || points * r.bestDarts > r.bestPoints * darts)) {
        r.bestDarts = darts;
        r.bestPoints = points;
    }
}

// The rated games' lines, by the key that starts them.
struct GamesField {
    std::string_view key;
    std::vector<int64_t> CharacterRecord::*member;
};
constexpr GamesField kGamesFields[] = {
    {"x01_games", &CharacterRecord::x01Games},
    {"cricket_games", &CharacterRecord::cricketGames},
};

void appendRated(std::vector<int64_t>& games, const std::vector<int64_t>& more) {
    games.insert(games.end(), more.begin(), more.end());
    if (games.size() > kRatedGames) games.erase(games.begin(), games.end() - kRatedGames);
}

}  // namespace

double CharacterRecord::lifetimePointsPerDart() const {
    return darts == 0 ? 0.0 : static_cast<double>(points) / static_cast<double>(darts);
}

double CharacterRecord::bestPointsPerDart() const {
    return bestDarts == 0 ? 0.0 : static_cast<double>(bestPoints) / static_cast<double>(bestDarts);
}

void addMatch(PlayerRecords& records, int character, const SideStatistics& human, bool won) {
    if (character < 1 || character > kRosterCharacters) return;
    CharacterRecord& r = records.characters[character];
    r.played = capped(r.played + 1);
    if (won) r.won = capped(r.won + 1);
    r.darts = capped(r.darts + human.darts);
    r.points = capped(r.points + human.points);
    keepBetterMatch(r, human.darts, human.points);
    for (Award award : kFileAwards) {
        const int i = static_cast<int>(award);
        r.awards[i] = capped(r.awards[i] + human.awards[i]);
    }
}

void addTournamentWin(PlayerRecords& records, int character) {
    if (character < 1 || character > kRosterCharacters) return;
    CharacterRecord& r = records.characters[character];
    r.tournaments = capped(r.tournaments + 1);
}

void addRatedGame(PlayerRecords& records, int character, RatedGame game, double stat) {
    if (character < 1 || character > kRosterCharacters || !(stat >= 0)) return;
    CharacterRecord& r = records.characters[character];
    const int64_t hundredths = capped(std::llround(std::min(stat, 1e7) * 100));
    appendRated(game == RatedGame::X01 ? r.x01Games : r.cricketGames, {hundredths});
}

PlayerRecords mergeRecords(const PlayerRecords& base, const PlayerRecords& additions) {
    PlayerRecords merged = base;
    for (int c = 1; c <= kRosterCharacters; ++c) {
        CharacterRecord& r = merged.characters[c];
        const CharacterRecord& added = additions.characters[c];
        for (int64_t CharacterRecord::*count :
             {&CharacterRecord::played, &CharacterRecord::won, &CharacterRecord::tournaments,
              &CharacterRecord::darts, &CharacterRecord::points}) {
            r.*count = capped(r.*count + added.*count);
        }
        keepBetterMatch(r, added.bestDarts, added.bestPoints);
        for (Award award : kFileAwards) {
            const int i = static_cast<int>(award);
            r.awards[i] = capped(r.awards[i] + added.awards[i]);
        }
        for (const GamesField& field : kGamesFields) appendRated(r.*field.member, added.*field.member);
    }
    return merged;
}

std::string formatRecords(const PlayerRecords& records) {
    std::string text = std::string(kMagic) + " " + std::to_string(kRecordsVersion) + "\n";
    for (int c = 1; c <= kRosterCharacters; ++c) {
        const CharacterRecord& r = records.characters[c];
        if (r.played != 0 || r.tournaments != 0) {
            text += "character " + std::to_string(c);
            for (const Field& field : kCountFields) {
                text += " " + std::string(field.key) + " " + std::to_string(r.*field.member);
            }
            for (Award award : kFileAwards) {
                text += " " + std::string(awardKey(award)) + " " +
                        std::to_string(r.awards[static_cast<int>(award)]);
            }
            text += "\n";
        }
        for (const GamesField& field : kGamesFields) {
            if ((r.*field.member).empty()) continue;
            text += std::string(field.key) + " " + std::to_string(c);
            for (int64_t value : r.*field.member) text += " " + std::to_string(value);
            text += "\n";
        }
    }
    return text;
}

ParsedRecords parseRecords(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t newline = text.find('\n');
        if (newline == std::string_view::npos) return damaged("the last line is cut off");
        lines.push_back(text.substr(0, newline));
        text.remove_prefix(newline + 1);
    }
    if (lines.empty()) return damaged("the file is empty");

    const std::vector<std::string_view> head = splitSpaces(lines[0]);
    if (head.size() != 2 || head[0] != kMagic) return damaged("no version line");
    const auto version = parseNumber(head[1]);
    if (!version || *version < 1) return damaged("a bad version number");
    if (*version > kRecordsVersion) {
        ParsedRecords parsed;
        parsed.status = ParsedRecords::Status::Newer;
        parsed.problem = "version " + std::to_string(*version) + " is newer than this game's";
        return parsed;
    }

    ParsedRecords parsed;
    std::array<bool, kRosterCharacters + 1> seen = {};
    std::array<std::array<bool, std::size(kGamesFields)>, kRosterCharacters + 1> seenGames = {};
    constexpr size_t kWords = 2 + 2 * (std::size(kCountFields) + std::size(kFileAwards));
    for (size_t n = 1; n < lines.size(); ++n) {
        const std::string where = "line " + std::to_string(n + 1);
        const std::vector<std::string_view> words = splitSpaces(lines[n]);
        const GamesField* games = nullptr;
        for (const GamesField& field : kGamesFields) {
            if (*version >= 2 && !words.empty() && words[0] == field.key) games = &field;
        }
        if (games != nullptr) {
            const auto character = words.size() > 1 ? parseNumber(words[1]) : std::nullopt;
            if (!character || *character < 1 || *character > kRosterCharacters) {
                return damaged(where + " names no roster character");
            }
            const size_t kind = static_cast<size_t>(games - kGamesFields);
            if (seenGames[*character][kind]) return damaged(where + " repeats a character");
            seenGames[*character][kind] = true;
            if (words.size() < 3 || words.size() > 2 + kRatedGames) {
                return damaged(where + " is malformed");
            }
            std::vector<int64_t>& values = parsed.records.characters[*character].*games->member;
            for (size_t w = 2; w < words.size(); ++w) {
                const auto value = parseNumber(words[w]);
                if (!value) return damaged(where + " is malformed");
                values.push_back(*value);
            }
            continue;
        }
        if (words.size() != kWords || words[0] != "character") return damaged(where + " is malformed");
        const auto character = parseNumber(words[1]);
        if (!character || *character < 1 || *character > kRosterCharacters) {
            return damaged(where + " names no roster character");
        }
        if (seen[*character]) return damaged(where + " repeats a character");
        seen[*character] = true;
        CharacterRecord& r = parsed.records.characters[*character];
        size_t w = 2;
        for (const Field& field : kCountFields) {
            const auto value = parseNumber(words[w + 1]);
            if (words[w] != field.key || !value) return damaged(where + " is malformed");
            r.*field.member = *value;
            w += 2;
        }
        for (Award award : kFileAwards) {
            const auto value = parseNumber(words[w + 1]);
            if (words[w] != awardKey(award) || !value) return damaged(where + " is malformed");
            r.awards[static_cast<int>(award)] = *value;
            w += 2;
        }
        if (r.won > r.played || r.bestDarts > r.darts || r.bestPoints > r.points) {
            return damaged(where + " does not add up");
        }
    }
    parsed.status = ParsedRecords::Status::Ok;
    return parsed;
}

}  // namespace darts
