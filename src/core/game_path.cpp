#include "core/game_path.h"

#include <algorithm>
#include <utility>

namespace darts {
namespace {

std::string& dataFolderSetting() {
    static std::string folder;
    return folder;
}

}  // namespace

void setDataFolder(std::string folder) { dataFolderSetting() = std::move(folder); }

const std::string& dataFolder() { return dataFolderSetting(); }

std::string gamePathInFolder(std::string_view gamePath, const std::string& folder) {
    std::string hostPath(gamePath);
    std::replace(hostPath.begin(), hostPath.end(), '\\', '/');
    if (folder.empty()) return hostPath;
    return folder + "/" + hostPath;
}

std::string gamePathToHost(std::string_view gamePath) {
    return gamePathInFolder(gamePath, dataFolder());
}

}  // namespace darts
