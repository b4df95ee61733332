#include "frontend/roster.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace darts::frontend {
namespace {

using namespace std::string_view_literals;

// One field: the given bytes, blank-padded to the field's width.
std::string field(std::string_view bytes, size_t width) {
    EXPECT_LE(bytes.size(), width);
    std::string f(bytes.substr(0, width));
    f.resize(width, ' ');
    return f;
}

struct Record {
    std::string_view nameLength = "4";
    std::string_view name = "Name";
    std::string_view portrait = "C1";
    std::string_view gauge = "7";
    std::string_view release = "5";
    std::string_view profile = "profile";
};

std::string encode(const Record& r) {
    return field(r.nameLength, 3) + field(r.name, 11) + field(r.portrait, 3) + field(r.gauge, 3) +
           field(r.release, 3) + field(r.profile, 31) + "    \r\n";
}

class RosterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("darts_roster_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_ / "data");
    }
    void TearDown() override {
        setPortraitLoader(nullptr);
        std::filesystem::remove_all(dir_);
    }

    void writeRoster(const std::string& bytes) {
        std::ofstream(dir_ / "data" / "pcdata.kpd", std::ios::binary) << bytes;
    }

    // Eight records; record r has the given one at its place and distinct plain ones elsewhere.
    void writeWith(int r, const Record& special) {
        std::string bytes;
        for (int i = 1; i <= 8; ++i) {
            names_[i] = "Char" + std::to_string(i);
            portraits_[i] = std::string("C").append(std::to_string(i));
            skills_[i] = std::to_string(i);
            Record plain{"5", names_[i], portraits_[i], skills_[i], skills_[i], names_[i]};
            bytes += encode(i == r ? special : plain);
        }
        ASSERT_EQ(bytes.size(), 480u);
        writeRoster(bytes);
    }

    int read(int r, bool portrait = false) {
        return readRosterRecord(state_, r, portrait, dir_.string());
    }

    PlayerSlot& slot() { return state_.players[kComputer]; }

    std::filesystem::path dir_;
    GameState state_;
    std::string names_[9], portraits_[9], skills_[9];
};

TEST(AtoiField, ReadsLikeAtoiButStaysInsideTheField) {
    const std::vector<std::pair<std::string_view, int>> cases = {
        {"7  ", 7},
        {" 12", 12},
        {"  7", 7},
        {"\t\n3x", 3},
        {"   ", 0},  // blanks only
        {"abc", 0},  // no digits
        {"", 0},     // empty field
        {"1 2", 1},  // digits up to the first non-digit
        {"-5 ", -5},
        {"+9 ", 9},
        {"- 5", 0},  // no blanks after the sign
        {"+-1", 0},
        {"1\0"
         "2"sv,
         1},  // a NUL ends the number
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", INT_MAX},  // beyond int: held at the ends
        {"-99999999999999999999", INT_MIN},
        {"000000000000000000042", 42},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(std::string(text));
        EXPECT_EQ(atoiField(text.data(), text.size()), expected);
    }
    // A field filled with digits has no terminator: the digits behind it are another field.
    const char record[] = "1234567";
    EXPECT_EQ(atoiField(record, 3), 123);
    EXPECT_EQ(atoiField(record + 3, 3), 456);
}

TEST_F(RosterTest, CopiesTheFirstAndLastRecordsExactly) {
    writeWith(0, {});
    for (int r : {1, 8}) {
        SCOPED_TRACE(r);
        slot().scoreLeft = 123;
        slot().dartScores[2] = 60;
        slot().turnCount = 4;
        slot().gaugeRange = 9;
        ASSERT_EQ(read(r), 1);
        EXPECT_EQ(slot().characterNumber, r);
        EXPECT_EQ(std::string(slot().name, sizeof slot().name),
                  std::string(names_[r]) + std::string(7, '\0'));
        EXPECT_EQ(std::string(slot().portraitResource, 4), portraits_[r] + std::string(2, '\0'));
        EXPECT_EQ(slot().gaugeSkill, r);
        EXPECT_EQ(slot().releaseSkill, r);
        EXPECT_EQ(std::string(slot().hitMessage), names_[r] + std::string(25, ' '));
        EXPECT_EQ(slot().portraitIndex, r);
        // The match fields of the scratch side are not the reader's.
        EXPECT_EQ(slot().scoreLeft, 123);
        EXPECT_EQ(slot().dartScores[2], 60);
        EXPECT_EQ(slot().turnCount, 4);
        EXPECT_EQ(slot().gaugeRange, 9);
        EXPECT_EQ(state_.players[kHuman].characterNumber, 0);
    }
}

TEST_F(RosterTest, NameLengthDecidesTheName) {
    const std::vector<std::pair<Record, std::string>> cases = {
        {{"0", "Ignored"}, ""},
        {{"9", "Bob"}, "Bob      "},  // blanks covered by the length stay
        {{"3", "Robert"}, "Rob"},
        {{"11", "ABCDEFGHIJK"}, "ABCDEFGHIJK"},  // the whole field
        {{"99", "ABCDEFGHIJK"}, "ABCDEFGHIJK"},  // never beyond the field
        {{"-3", "Negative"}, ""},
        {{"8", "Ab\0cdefg"sv}, "Ab"},       // a NUL ends the copy
        {{"005", "1234567890A"}, "12345"},  // three digits, no terminator
        {{"x", "Bob"}, ""},
    };
    for (const auto& [record, expected] : cases) {
        SCOPED_TRACE(expected);
        writeWith(2, record);
        std::memset(slot().name, 'z', sizeof slot().name);
        read(2);
        EXPECT_EQ(std::string(slot().name), expected);
        EXPECT_EQ(slot().name[11], '\0');
        // Everything behind the name is cleared.
        for (size_t i = expected.size(); i < sizeof slot().name; ++i) EXPECT_EQ(slot().name[i], 0);
        EXPECT_EQ(std::string(slot().portraitResource), "C1");
    }
}

TEST_F(RosterTest, ProfileTakesAtMostThirtyBytes) {
    const std::string full31(31, 'p');
    const std::vector<std::pair<Record, std::string>> cases = {
        {{.profile = full31}, std::string(30, 'p')},
        {{.profile = "short\0hidden text"sv}, "short"},
        {{.profile = ""}, std::string(30, ' ')},
    };
    for (const auto& [record, expected] : cases) {
        SCOPED_TRACE(expected);
        writeWith(4, record);
        std::memset(slot().hitMessage, 'x', sizeof slot().hitMessage);
        read(4);
        EXPECT_EQ(std::string(slot().hitMessage), expected);
        for (size_t i = expected.size(); i < sizeof slot().hitMessage; ++i) {
            ASSERT_EQ(slot().hitMessage[i], 0) << i;
        }
    }
}

TEST_F(RosterTest, SkillsAndPortraitAreReadFromTheirFields) {
    // Three-digit skills touch the next field; only the portrait's first two bytes count.
    writeWith(5, {.portrait = "C5X", .gauge = "123", .release = "045", .profile = "678"});
    read(5);
    EXPECT_EQ(slot().gaugeSkill, 123);
    EXPECT_EQ(slot().releaseSkill, 45);
    EXPECT_EQ(std::string(slot().portraitResource, 4), "C5\0\0"sv);
}

TEST_F(RosterTest, EveryReadRewritesTheWholeCharacter) {
    writeWith(3, {"11", "LongestName", "C9", "12", "4", std::string(30, 'q')});
    read(3);
    read(1);
    EXPECT_EQ(slot().characterNumber, 1);
    EXPECT_EQ(std::string(slot().name), names_[1]);
    EXPECT_EQ(std::string(slot().portraitResource), "C1");
    EXPECT_EQ(slot().gaugeSkill, 1);
    EXPECT_EQ(slot().releaseSkill, 1);
    EXPECT_EQ(std::string(slot().hitMessage), names_[1] + std::string(25, ' '));
    EXPECT_EQ(slot().portraitIndex, 1);
}

TEST_F(RosterTest, RejectsRecordNumbersOutsideTheRoster) {
    writeWith(0, {});
    slot().characterNumber = 6;
    slot().portraitIndex = 6;
    for (int r : {0, 9, -1, INT_MAX, INT_MIN}) {
        EXPECT_EQ(read(r, true), 0);
        EXPECT_EQ(slot().characterNumber, 6);
        EXPECT_EQ(slot().portraitIndex, 6);
    }
}

TEST_F(RosterTest, ShortFileReadsAsEmptyFields) {
    writeWith(0, {});
    std::string bytes(480, '\0');
    std::ifstream(dir_ / "data" / "pcdata.kpd", std::ios::binary).read(bytes.data(), 480);
    writeRoster(bytes.substr(0, 7 * 60 + 10));  // record 8 ends inside its name
    EXPECT_EQ(read(8), 0);
    EXPECT_EQ(slot().characterNumber, 8);
    EXPECT_EQ(std::string(slot().name), "Char8");
    EXPECT_EQ(slot().portraitResource[0], '\0');
    EXPECT_EQ(slot().gaugeSkill, 0);
    EXPECT_EQ(slot().hitMessage[0], '\0');
    writeRoster("");
    EXPECT_EQ(read(1), 0);
    EXPECT_EQ(slot().name[0], '\0');
}

struct RecordingLoader : PortraitLoader {
    void loadPortrait(int recordNumber, const char* resourceName) override {
        calls.emplace_back(recordNumber, resourceName);
    }
    std::vector<std::pair<int, std::string>> calls;
};

TEST_F(RosterTest, PortraitsGoThroughTheInstalledLoader) {
    writeWith(0, {});
    read(3, true);  // no loader yet: nothing happens
    RecordingLoader loader;
    setPortraitLoader(&loader);
    read(6, false);
    EXPECT_TRUE(loader.calls.empty());
    read(7, true);
    read(9, true);
    ASSERT_EQ(loader.calls.size(), 1u);
    EXPECT_EQ(loader.calls[0].first, 7);
    EXPECT_EQ(loader.calls[0].second, "C7");
    setPortraitLoader(nullptr);
    read(8, true);
    EXPECT_EQ(loader.calls.size(), 1u);
}

TEST(RosterDeathTest, MissingFileEndsTheProcessWithOneLine) {
    const std::string empty = (std::filesystem::temp_directory_path() / "darts_no_roster").string();
    std::filesystem::create_directories(empty);
    GameState state;
    EXPECT_EXIT(readRosterRecord(state, 1, false, empty), ::testing::ExitedWithCode(1),
                "^darts: cannot open the roster [^\n]*data/pcdata\\.kpd: "
                "No such file or directory\n$");
    std::filesystem::remove(empty);
}

// The roster the game ships with, read from the working directory as the game reads it.
TEST(ShippedRoster, HoldsEightWellFormedCharacters) {
    std::ifstream in("data/pcdata.kpd", std::ios::binary);
    ASSERT_TRUE(in) << "run from the folder that holds data/";
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(bytes.size(), 480u);

    GameState state;
    int strongest = 0, weakest = 18;
    for (int r = 1; r <= 8; ++r) {
        SCOPED_TRACE(r);
        const std::string_view record = std::string_view(bytes).substr((r - 1) * 60, 60);
        EXPECT_EQ(record.substr(58), "\r\n");
        EXPECT_EQ(record.substr(0, 54).find_first_of("\r\n"sv), std::string_view::npos);
        // Every number ends with a blank inside its field.
        for (size_t at : {0, 17, 20}) EXPECT_EQ(record[at + 2], ' ');

        ASSERT_EQ(readRosterRecord(state, r, false), 1);
        const PlayerSlot& p = state.players[kComputer];
        const int nameLength = atoiField(record.data(), 3);
        EXPECT_GE(nameLength, 1);
        EXPECT_EQ(std::strlen(p.name), static_cast<size_t>(nameLength));
        EXPECT_NE(p.name[nameLength - 1], ' ');
        EXPECT_EQ(std::string(p.portraitResource), std::string("C").append(std::to_string(r)));
        EXPECT_GE(p.gaugeSkill, 1);
        EXPECT_GE(p.releaseSkill, 1);
        EXPECT_GE(experienceYears(p), 1);
        EXPECT_GT(std::strlen(p.hitMessage), 0u);
        strongest = std::max(strongest, experienceYears(p));
        weakest = std::min(weakest, experienceYears(p));
    }
    EXPECT_GE(strongest, 12);
    EXPECT_LE(weakest, 4);
}

}  // namespace
}  // namespace darts::frontend
