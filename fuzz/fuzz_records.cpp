// Any bytes as a records file. Whatever parses must write out to a file that parses to the same,
// and merged with itself to a file that parses.
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
        // Two games' records merged must still be a file the game reads: the counts capped
        // together, the best match never more than the darts and points it came from.
        const PlayerRecords merged = mergeRecords(parsed.records, reparsed.records);
        if (parseRecords(formatRecords(merged)).status != ParsedRecords::Status::Ok) std::abort();
    }
    return 0;
}
