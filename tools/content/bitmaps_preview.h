// Proof pictures for whoever paints the bitmaps: a contact sheet of every bitmap and mock-ups of
// the screens that show them, placed and blended the way the game draws them.
#pragma once

#include <map>
#include <string>

#include "bitmaps_raster.h"

namespace darts::content::bitmaps {

// Bitmaps by resource name, as written (the title after its palette reduction).
using PictureSet = std::map<std::string, Raster>;

void writeContactSheet(const PictureSet& pictures, const std::string& pngPath);
// Writes title.png, darts_bar.png, character_select.png, match_hud.png and tournament.png.
void writeScreenMockups(const PictureSet& pictures, const std::string& folder);

}  // namespace darts::content::bitmaps
