// Any bytes as a records file. Whatever parses must write out to a file that parses to the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "match/player_records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace darts;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ParsedRecords parsed = parseRecords(text);
    if (parsed.status == ParsedRecords::Status::Ok) {
        const std::string again = formatRecords(parsed.records);
        const ParsedRecords reparsed = parseRecords(again);
        if (reparsed.status != ParsedRecords::Status::Ok || formatRecords(reparsed.records) != again) {
            std::abort();
        }
    }
    return 0;
}
