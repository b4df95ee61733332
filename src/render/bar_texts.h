// The texts of the bar games' scoreboard and pauses in both languages, kept beside the drawing
// that alone uses them. Japanese is Shift-JIS as the fonts take it; English is plain ASCII.
#pragma once

#include <array>

#include "core/game_texts.h"

namespace darts::render {

enum class BarText {
    Cricket,  // the games' names in the scoreboard's heading
    CutThroat,
    CountUp,
    Cork,  // the cork that settles a tie at a round limit
    DoubleOut,  // a 01's out rule beside its name
    MasterOut,
    Round,  // before the round and its limit
    Leg,  // a medley: before the leg and the best-of
    Points,  // Cricket's points column
    Total,  // Count-Up's sum column
    NextThrower,  // the pause while the mouse passes to another human
    ClickToThrow,
    LegOver,  // the pauses at the end of a leg and of the game
    GameOver,
    Winner,
    Winners,
    Draw,
    WhyOut,  // why the leg ended
    WhyLimit,
    WhyClosed,
    WhyRounds,
    WhyCork,
    LegsWon,
    CorkDistance,
    CorkNone,  // a cork dart that missed or fell short
    ClickToGoOn,
    ChooseLastLeg,  // a medley's last leg, chosen by the human who won its cork
    PointAndClick,
    Count,
};

namespace bar_texts_detail {
struct Pair {
    const char* japanese;
    const char* english;
};
inline constexpr std::array<Pair, static_cast<size_t>(BarText::Count)> kTexts = {{
    {"\x83\x4e\x83\x8a\x83\x50\x83\x62\x83\x67", "CRICKET"},  // クリケット
    {"\x83\x4a\x83\x62\x83\x67\x83\x58\x83\x8d\x81\x5b\x83\x67", "CUT-THROAT"},  // カットスロート
    {"\x83\x4a\x83\x45\x83\x93\x83\x67\x83\x41\x83\x62\x83\x76", "COUNT-UP"},  // カウントアップ
    {"\x83\x52\x81\x5b\x83\x4e", "CORK"},  // コーク
    {"\x83\x5f\x83\x75\x83\x8b\x83\x41\x83\x45\x83\x67", "DOUBLE OUT"},  // ダブルアウト
    {"\x83\x7d\x83\x58\x83\x5e\x81\x5b\x83\x41\x83\x45\x83\x67", "MASTER OUT"},  // マスターアウト
    {"\x83\x89\x83\x45\x83\x93\x83\x68", "ROUND"},  // ラウンド
    {"\x83\x8c\x83\x4f", "LEG"},  // レグ
    {"\x93\xbe\x93\x5f", "PTS"},  // 得点
    {"\x8d\x87\x8c\x76", "TOTAL"},  // 合計
    {"\x8e\x9f\x82\xcd\x82\xb1\x82\xcc\x90\x6c\x82\xcc\x94\xd4\x82\xc5\x82\xb7", "Next to throw"},  // 次はこの人の番です
    {"\x83\x4e\x83\x8a\x83\x62\x83\x4e\x82\xb5\x82\xc4\x93\x8a\x82\xb0\x82\xe9", "Click to throw"},  // クリックして投げる
    {"\x83\x8c\x83\x4f\x8f\x49\x97\xb9", "Leg over"},  // レグ終了
    {"\x83\x51\x81\x5b\x83\x80\x8f\x49\x97\xb9", "Game over"},  // ゲーム終了
    {"\x8f\x9f\x8e\xd2", "Winner"},  // 勝者
    {"\x8f\x9f\x8e\xd2", "Winners"},  // 勝者
    {"\x88\xf8\x82\xab\x95\xaa\x82\xaf", "No winner"},  // 引き分け
    {"\x8f\xe3\x82\xaa\x82\xe8", "Checked out"},  // 上がり
    {"\x83\x89\x83\x45\x83\x93\x83\x68\x90\xa7\x8c\xc0", "Round limit reached"},  // ラウンド制限
    {"\x91\x53\x83\x69\x83\x93\x83\x6f\x81\x5b\x20\x83\x4e\x83\x8d\x81\x5b\x83\x59", "All numbers closed"},  // 全ナンバー クローズ
    {"\x91\x53\x83\x89\x83\x45\x83\x93\x83\x68\x8f\x49\x97\xb9", "All rounds thrown"},  // 全ラウンド終了
    {"\x83\x52\x81\x5b\x83\x4e\x82\xc5\x8c\x88\x92\x85", "Decided by the cork"},  // コークで決着
    {"\x8a\x6c\x93\xbe\x83\x8c\x83\x4f", "Legs won"},  // 獲得レグ
    {"\x83\x52\x81\x5b\x83\x4e\x20\x28\x92\x86\x90\x53\x82\xa9\x82\xe7\x29", "Cork (from the centre)"},  // コーク (中心から)
    {"\x82\xc8\x82\xb5", "none"},  // なし
    {"\x83\x4e\x83\x8a\x83\x62\x83\x4e\x82\xc5\x8e\x9f\x82\xd6", "Click to go on"},  // クリックで次へ
    {"\x8d\xc5\x8f\x49\x83\x8c\x83\x4f\x82\xf0\x91\x49\x82\xf1\x82\xc5\x82\xad\x82\xbe\x82\xb3\x82\xa2", "Choose the last leg"},  // 最終レグを選んでください
    {"\x83\x7d\x83\x45\x83\x58\x82\xc5\x91\x49\x82\xf1\x82\xc5\x83\x4e\x83\x8a\x83\x62\x83\x4e", "Move the mouse to choose, click to play"},  // マウスで選んでクリック
}};
}  // namespace bar_texts_detail

inline const char* barText(Language language, BarText id) {
    const bar_texts_detail::Pair& pair = bar_texts_detail::kTexts[static_cast<size_t>(id)];
    return language == Language::English ? pair.english : pair.japanese;
}

}  // namespace darts::render
