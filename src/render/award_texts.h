// Every text of the award screens in one place, Shift-JIS, so that a translation touches this
// file alone. The award titles themselves are English, as darts bars call them, and are
// lettered into their pictures.
#pragma once

#include <array>
#include <cstddef>

#include "core/game_texts.h"

namespace darts::render::award_texts {

// 試合の記録: the card's heading
inline constexpr char kCardHeading[] = "\x8e\x8e\x8d\x87\x82\xcc\x8b\x4c\x98\x5e";
// 勝ち: beside the winner's name
inline constexpr char kCardWinner[] = "\x8f\x9f\x82\xbf";
// 投げたダーツ: darts thrown
inline constexpr char kCardDarts[] = "\x93\x8a\x82\xb0\x82\xbd\x83\x5f\x81\x5b\x83\x63";
// 得点: points scored
inline constexpr char kCardPoints[] = "\x93\xbe\x93\x5f";
// 1投平均: points per dart
inline constexpr char kCardPerDart[] = "\x31\x93\x8a\x95\xbd\x8b\xcf";
// 1ラウンド平均: points per round of three darts
inline constexpr char kCardPerRound[] = "\x31\x83\x89\x83\x45\x83\x93\x83\x68\x95\xbd\x8b\xcf";
// ベストラウンド: the best turn
inline constexpr char kCardBestTurn[] = "\x83\x78\x83\x58\x83\x67\x83\x89\x83\x45\x83\x93\x83\x68";
// アワード: awards won
inline constexpr char kCardAwards[] = "\x83\x41\x83\x8f\x81\x5b\x83\x68";
// クリックで次へ: how to go on
inline constexpr char kCardClick[] = "\x83\x4e\x83\x8a\x83\x62\x83\x4e\x82\xc5\x8e\x9f\x82\xd6";
// キャラクタ別の成績: the records page's heading
inline constexpr char kRecordsHeading[] = "\x83\x4c\x83\x83\x83\x89\x83\x4e\x83\x5e\x95\xca\x82\xcc\x90\xac\x90\xd1";
// 試合: matches played
inline constexpr char kRecordsPlayed[] = "\x8e\x8e\x8d\x87";
// 勝ち: matches won
inline constexpr char kRecordsWon[] = "\x8f\x9f\x82\xbf";
// 優勝: tournaments won
inline constexpr char kRecordsTournaments[] = "\x97\x44\x8f\x9f";
// 最高: best points per dart in a match
inline constexpr char kRecordsBest[] = "\x8d\xc5\x8d\x82";
// 通算: lifetime points per dart
inline constexpr char kRecordsLifetime[] = "\x92\xca\x8e\x5a";
// アワード: awards, all kinds
inline constexpr char kRecordsAwards[] = "\x83\x41\x83\x8f\x81\x5b\x83\x68";
// クリックで戻る: how to leave the page
inline constexpr char kRecordsClick[] = "\x83\x4e\x83\x8a\x83\x62\x83\x4e\x82\xc5\x96\xdf\x82\xe9";
// まだ記録がありません: no match finished yet
inline constexpr char kRecordsNone[] = "\x82\xdc\x82\xbe\x8b\x4c\x98\x5e\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";

// The bar games' screens, the rating page and the card after a game, speak both languages:
// Japanese is Shift-JIS, English plain ASCII.
enum class PageText {
    Heading, Rating, Flight, X01, Cricket, Games, Trend, Note, Next, Back,
    BarCardHeading, BarPpr, BarPpr80, BarMpr, BarMpr80, BarCountUp, BarAwards, BarWinner,
    BarClick, Count
};

namespace page_texts_detail {
struct Pair {
    const char* japanese;
    const char* english;
};
inline constexpr std::array<Pair, static_cast<size_t>(PageText::Count)> kTexts = {{
    {"\x83\x8c\x81\x5b\x83\x65\x83\x42\x83\x93\x83\x4f", "RATING"},  // レーティング: the rating page's heading
    {"Rt", "Rt"},  // Rt: the rating column
    {"\x83\x74\x83\x89\x83\x43\x83\x67", "Flight"},  // フライト: the flight column
    {"01", "01"},  // 01: the 01 stat column: points per round until 80%
    {"\x83\x4e\x83\x8a\x83\x50\x83\x62\x83\x67", "Cricket"},  // クリケット: the Cricket stat column: marks per round until 80%
    {"\x83\x51\x81\x5b\x83\x80", "Games"},  // ゲーム: rated games kept
    {"\x8d\xc5\x8b\xdf\x33\x30\x83\x51\x81\x5b\x83\x80\x82\xcc\x90\x84\x88\xda", "Last 30 games"},  // 最近30ゲームの推移: the chart's column
    {"\x52\x74\x82\xcd\x31\x30\x83\x51\x81\x5b\x83\x80\x96\xda\x82\xa9\x82\xe7\x20\x20\x30\x31\x3a\x20\x38\x30\x25\x83\x58\x83\x5e\x83\x62\x83\x63\x20\x20\x83\x4e\x83\x8a\x83\x50\x83\x62\x83\x67\x3a\x20\x38\x30\x25\x4d\x50\x52", "Rt from the 10th game  01: 80% stats  Cricket: 80% MPR"},  // Rtは10ゲーム目から  01: 80%スタッツ  クリケット: 80%MPR: what the numbers are
    {"\x83\x4e\x83\x8a\x83\x62\x83\x4e\x82\xc5\x8e\x9f\x82\xd6", "Click: ratings"},  // クリックで次へ: page 1's hint when the rating page follows
    {"\x83\x4e\x83\x8a\x83\x62\x83\x4e\x82\xc5\x96\xdf\x82\xe9", "Click to go back"},  // クリックで戻る: the rating page's hint
    {"\x83\x51\x81\x5b\x83\x80\x82\xcc\x8b\x4c\x98\x5e", "GAME STATS"},  // ゲームの記録: the card after a bar game
    {"01 PPR", "01 PPR"},  // 01 PPR: 01: points per round
    {"01 80%", "01 80%"},  // 01 80%: 01: points per round until 80%
    {"\x83\x4e\x83\x8a\x83\x50\x83\x62\x83\x67\x20\x4d\x50\x52", "Cricket MPR"},  // クリケット MPR: Cricket: marks per round
    {"\x83\x4e\x83\x8a\x83\x50\x83\x62\x83\x67\x20\x38\x30\x25", "Cricket 80%"},  // クリケット 80%: Cricket: marks per round until 80%
    {"\x83\x4a\x83\x45\x83\x93\x83\x67\x83\x41\x83\x62\x83\x76", "Count-Up"},  // カウントアップ: Count-Up: the total, per leg
    {"\x83\x41\x83\x8f\x81\x5b\x83\x68", "Awards"},  // アワード: awards won
    {"\x8f\x9f\x82\xbf", "Winner"},  // 勝ち: beside the winner's name
    {"\x83\x4e\x83\x8a\x83\x62\x83\x4e\x82\xc5\x8e\x9f\x82\xd6", "Click to go on"},  // クリックで次へ: how to go on
}};
}  // namespace page_texts_detail

inline const char* pageText(Language language, PageText id) {
    const page_texts_detail::Pair& pair = page_texts_detail::kTexts[static_cast<size_t>(id)];
    return language == Language::English ? pair.english : pair.japanese;
}

}  // namespace darts::render::award_texts
