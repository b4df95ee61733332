// The game names its files the Windows way ("data\\pcdata.kpd"), relative to the folder that holds
// data/ and sound/. On the host that folder is the working folder, unless start-up found the data
// elsewhere (an installed game keeps it under share/); paths the player gives on the command line
// are never game paths and stay relative to the working folder.
#pragma once

#include <string>
#include <string_view>

namespace darts {

// The folder every game path is read from: "" (the working folder) until start-up sets another.
// Set once, before any game file is opened.
void setDataFolder(std::string folder);
const std::string& dataFolder();

// The host path of a game path inside `folder` ("" is the working folder): every '\' becomes '/'.
std::string gamePathInFolder(std::string_view gamePath, const std::string& folder);

// Turns a game path into a path the host can open: the game path inside the data folder.
std::string gamePathToHost(std::string_view gamePath);

}  // namespace darts
