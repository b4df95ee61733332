// Any bytes as a settings file: every line applied or warned about, and what the settings screen
// would then write must read back to the same options without a single warning.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "options/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace darts;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    GameOptions options;
    std::vector<std::string> warnings;
    applySettingsText(text, "fuzz.conf", options, warnings);

    const std::string written = settingsText(options);
    GameOptions reread;
    std::vector<std::string> rereadWarnings;
    applySettingsText(written, "fuzz.conf", reread, rereadWarnings);
    if (!rereadWarnings.empty() || settingsText(reread) != written) std::abort();
    return 0;
}
