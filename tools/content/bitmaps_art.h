// The painters of the game's bitmaps. Each returns the finished picture at its resource size;
// make_bitmaps writes them out in their file formats.
#pragma once

#include <cairo.h>

#include <string>

#include "bitmaps_raster.h"

namespace darts::content::bitmaps {

// --- the dartboard, as the 3D model shows it (shared by the reference picture, the title and
// the icon) ---
struct BoardLook {
    bool numbers = true;   // the number ring around the double ring
    bool wires = true;     // the thin spider wires between the fields
    bool shading = false;  // a soft light from the top left, for artwork rather than reference
};
// Draws the board centred at cx, cy with the double ring's outer edge at `doubleRadius` pixels.
// The black surround with the numbers reaches 1.25 times that radius.
void drawDartboard(cairo_t* cr, double cx, double cy, double doubleRadius, const BoardLook& look);
// Draws a dart stuck in something at tipX, tipY, pointing into the picture along `angle`
// (radians, 0 = straight away from the viewer, turned towards the right), `length` pixels long.
void drawStuckDart(cairo_t* cr, double tipX, double tipY, double length, double angle,
                   uint32_t flightColour);

// Layout of the reference board picture, shared with its test's expectations.
inline constexpr int kBoardPictureWidth = 256;
inline constexpr int kBoardPictureHeight = 255;
inline constexpr double kBoardPictureCentreX = 128.0;
inline constexpr double kBoardPictureCentreY = 127.5;
inline constexpr double kBoardPictureDoubleRadius = 100.0;

Raster paintBoardPicture();  // "compare_board", 256 x 255
// The pictures that carry words come in two languages, with the same sizes and layouts.
enum class Words { Japanese, English };
Raster paintTitle(Words words = Words::Japanese);  // "start", 746 x 562, before palette reduction
Raster paintBarCounter();                          // "IDB_CHSET", 746 x 562
Raster paintNoticePanel();                         // "IDB_BK", 358 x 261
Raster paintScoreTable();                          // "POINTTABLE", 405 x 69
Raster paintGauge();                               // "GAGE", 220 x 98
Raster paintShotLabels(Words words = Words::Japanese);    // "SHOT", 237 x 140
Raster paintNamePlate();                                  // "NAME_BK", 322 x 53
Raster paintOkButton(bool pressed);                       // "UP", "DOWN", 81 x 26
Raster paintArrowButton(bool pointsRight, bool pressed);  // "L_UP" .. "R_DOWN", 40 x 35
Raster paintPortrait(int character);                      // "C1" .. "C8", 242 x 280
Raster paintCursor();        // "IDC_CURSOR1", 32 x 32 with alpha, hot spot 0, 0
Raster paintIcon(int size);  // "IDI_ICON1" at 32 or 16 pixels, with alpha

// The award titles, "AW_1" .. "AW_6" by award (1 the best), and the statistics card's plate.
inline constexpr int kAwardTitleWidth = 512;
inline constexpr int kAwardTitleHeight = 96;
inline constexpr int kStatisticsCardWidth = 600;
inline constexpr int kStatisticsCardHeight = 440;
inline constexpr int kStatisticsCardFirstRule = 128;  // the table's rows lie below the heading
inline constexpr int kStatisticsCardRowHeight = 30;
Raster paintAwardTitle(const std::string& title, int rank);
// The oxblood ground of the card-like plates with the gold-ruled heading band at their top.
void paintPlateWithHeading(cairo_t* cr, int w, int h);
Raster paintStatisticsCard();  // "AW_CARD"

// The settings screen (F1 on the title): its plate, the arrows beside each value and the blank
// face of its Close button. The measures are those the game lays the screen out with.
inline constexpr int kSettingsPlateWidth = 600;
inline constexpr int kSettingsPlateHeight = 480;
inline constexpr int kSettingsFirstRule = 76;  // the first row's top, below the heading band
inline constexpr int kSettingsRowHeight = 28;
inline constexpr int kSettingsRows = 12;
inline constexpr int kSettingsValueLeft = 338;  // the values' well, between the arrows
inline constexpr int kSettingsValueWidth = 192;
inline constexpr int kSettingsArrowWidth = 28;
inline constexpr int kSettingsArrowHeight = 24;
inline constexpr int kSettingsButtonWidth = 120;
inline constexpr int kSettingsButtonHeight = 34;
Raster paintSettingsPlate();             // "SET_PLATE"
Raster paintSettingsArrow(bool more);    // "SET_LESS", "SET_MORE"
Raster paintSettingsButton();            // "SET_BUTTON"

// The game-select screen: one plate over nearly the whole frame, with the heading band and the
// Players band that the seat lines hang from; the arrows and buttons are the settings screen's.
inline constexpr int kGameSelectPlateWidth = 768;
inline constexpr int kGameSelectPlateHeight = 576;
inline constexpr int kGameSelectPlayersTop = 304;  // the Players band, below the option rows
inline constexpr int kGameSelectPlayersHeight = 34;
inline constexpr int kGameSelectButtonsTop = 510;  // the rule above Back and Start
Raster paintGameSelectPlate();  // "GS_PLATE"

}  // namespace darts::content::bitmaps
