// The four models of the match scene and the textures they name. Each builder returns the model
// in its own space; each painter writes that model's texture files into the data folder.
#pragma once

#include <string>

#include "models_mesh.h"

namespace darts::content {

// data\Board.x: the board face at model z = -0.22 (world 14.0), centred on the model's origin.
Model buildBoard();
bool paintBoardTextures(const std::string& dataFolder);

// data\darts.x: a steel-tip dart pointing along +z, its point reaching past z = 0.
Model buildDart();
bool paintDartTextures(const std::string& dataFolder);

// data\hand.x: a right hand gripping the dart's barrel around (0, 1.85, -0.2).
Model buildHand();
bool paintHandTextures(const std::string& dataFolder);

// data\room.x: the darts bar, modelled in world units and shifted by the room's placement.
Model buildRoom();
bool paintRoomTextures(const std::string& dataFolder);

// Where the board face and the stuck dart sit, shared by the board and the dart.
constexpr float kBoardFaceZ = -0.22f;  // model space; the board stands at world z 14.22
constexpr float kDartTipZ = 0.05f;     // the dart's point, ahead of its origin

}  // namespace darts::content
