// The game names its files the Windows way ("data\\pcdata.kpd"); the host wants forward slashes.
#pragma once

#include <string>
#include <string_view>

namespace darts {

// Turns a game path into a path the host can open: every '\' becomes '/'.
std::string gamePathToHost(std::string_view gamePath);

}  // namespace darts
