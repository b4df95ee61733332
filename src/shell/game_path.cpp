#include "shell/game_path.h"

#include <algorithm>

namespace darts {

std::string gamePathToHost(std::string_view gamePath) {
    std::string hostPath(gamePath);
    std::replace(hostPath.begin(), hostPath.end(), '\\', '/');
    return hostPath;
}

}  // namespace darts
