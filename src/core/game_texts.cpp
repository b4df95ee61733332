#include "core/game_texts.h"


namespace darts {

// The match's Japanese texts keep their own names: the rules' tests compare against them.
const char kTextNoPoint[] = "NO POINT !!";
const char kTextInnerBull[] = "\x83\x43\x83\x93\x83\x69\x81\x5b\x83\x75\x83\x8b";  // インナーブル
const char kTextOuterBull[] = "\x83\x41\x83\x45\x83\x5e\x83\x75\x83\x8b";  // アウタブル
const char kTextTriple[] =
    "\x83\x67\x83\x8a\x83\x76\x83\x8b\x83\x8a\x83\x93\x83\x4f";  // トリプルリング
const char kTextDouble[] = "\x83\x5f\x83\x75\x83\x8b\x83\x8a\x83\x93\x83\x4f";  // ダブルリング
const char kTextBust[] = "\x20\x83\x6f\x81\x5b\x83\x58\x83\x67\x20\x21\x21";  // " バースト !!"
const char kTextYouLose[] =
    "\x20\x82\xa0\x82\xc8\x82\xbd\x82\xcc\x95\x89\x82\xaf\x20\x21\x21";  // " あなたの負け !!"
const char kTextYouWin[] =
    "\x20\x82\xa0\x82\xc8\x82\xbd\x82\xcc\x8f\x9f\x97\x98\x20\x21\x21";  // " あなたの勝利 !!"

namespace {

// In TextId order; the sizes are checked below so that a text added to one table only fails the
// build.
const char* const kJapanese[] = {
    "\x83\x4c\x83\x83\x83\x89\x83\x4e\x83\x5e\x82\xaa\x20",  // "キャラクタが "
    "\x91\x49\x91\xf0\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\x81\x42\x20",
    // "選択されていません。 "
    "\x83\x5f\x81\x5b\x83\x63\x97\xf0\x81\x46\x20",  // "ダーツ歴： "
    "\x94\x4e",                                      // "年"
    "NAME: ",
    "\x82\xa0\x82\xc8\x82\xbd\x82\xcc\x8f\x87\x94\xd4\x82\xc5\x82\xb7\x81\x42\x20",
    // "あなたの順番です。 "
    "\x97\x44\x8f\x9f\x82\xcd\x81\x41",  // "優勝は、"
    "!!",
    kTextNoPoint,
    kTextInnerBull,
    kTextOuterBull,
    kTextTriple,
    kTextDouble,
    kTextBust,
    kTextYouLose,
    kTextYouWin,
    "\x90\xdd\x92\xe8",                                      // "設定"
    "\x83\x74\x83\x8b\x83\x58\x83\x4e\x83\x8a\x81\x5b\x83\x93",  // "フルスクリーン"
    "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45",              // "ウィンドウ"
    "\x89\xe6\x96\xca\x83\x82\x81\x5b\x83\x68\x90\xd8\x91\xd6",  // "画面モード切替"
    "\x8e\xa9\x93\xae",                                      // "自動"
    "\x83\x49\x83\x93",                                      // "オン"
    "\x83\x49\x83\x74",                                      // "オフ"
    "\x93\xfa\x96\x7b\x8c\xea",                              // "日本語"
    "English",
    "\x8e\x9f\x89\xf1\x82\xcc\x8b\x4e\x93\xae\x82\xa9\x82\xe7",  // "次回の起動から"
    "\x95\xc2\x82\xb6\x82\xe9",                              // "閉じる"
};

// The same places in English. The notice lines share the notice box with the Japanese ones, and
// the years suffix follows a number with no blank in Japanese, so it brings its own.
const char* const kEnglish[] = {
    "No character has ", "been chosen yet. ", "Career: ",    " years",      "NAME: ",
    "It is your turn. ", "Champion: ",        "!!",          "NO POINT !!", "INNER BULL",
    "OUTER BULL",        "TRIPLE RING",       "DOUBLE RING", " BUST !!",    " YOU LOSE !!",
    " YOU WIN !!",
    // The settings screen.
    "SETTINGS", "Full screen", "Window", "Mode switch", "Auto", "On", "Off", "Japanese", "English", "from the next start", "Close",
};

static_assert(sizeof kJapanese / sizeof kJapanese[0] == kTextCount);
static_assert(sizeof kEnglish / sizeof kEnglish[0] == kTextCount);

}  // namespace

const char* gameText(Language language, TextId id) {
    const int index = static_cast<int>(id);
    if (index < 0 || index >= kTextCount) return "";
    return language == Language::English ? kEnglish[index] : kJapanese[index];
}

std::optional<Language> languageFromCode(std::string_view code) {
    if (code == "ja") return Language::Japanese;
    if (code == "en") return Language::English;
    return std::nullopt;
}

const char* languageCode(Language language) { return language == Language::English ? "en" : "ja"; }

}  // namespace darts
