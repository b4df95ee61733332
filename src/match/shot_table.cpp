#include "match/shot_table.h"

#include <cstdio>

#include "core/fixed_record.h"
#include "core/game_path.h"

namespace darts {

Shot readShot(int count, const std::string& hostPath) {
    // A count of 0 or less would seek before the start: the file stays at its first record.
    long offset = static_cast<long>(count) * kShotRecordSize - kShotRecordSize;
    if (offset < 0) offset = 0;
    char fields[2 * kShotFieldSize] = {};
    readFixedRecord(hostPath, "shot table", offset, fields, sizeof fields);
    return {static_cast<float>(atofField(fields, kShotFieldSize)),
            static_cast<float>(atofField(fields + kShotFieldSize, kShotFieldSize))};
}

Shot readShot(int count) {
    static const std::string path = gamePathToHost(kShotTableFile);
    return readShot(count, path);
}

std::string formatShotRecord(double releaseAngle, double aimYaw) {
    char record[kShotRecordSize + 1];
    std::snprintf(record, sizeof record, "%11.7f%11.7f\r\n", releaseAngle, aimYaw);
    return std::string(record, kShotRecordSize);
}

}  // namespace darts
