#include "match/shot_table.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/game_path.h"

namespace darts {

double parseShotField(const char* field) {
    // Only the plain decimal form counts (blanks, sign, digits, point, digits, exponent): words
    // such as "inf" or "nan" and hexadecimal forms read as no number.
    const char* p = field;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    const char* start = p;
    if (*p == '+' || *p == '-') ++p;
    bool digits = false;
    while (*p >= '0' && *p <= '9') ++p, digits = true;
    if (*p == '.') {
        ++p;
        while (*p >= '0' && *p <= '9') ++p, digits = true;
    }
    if (!digits) return 0.0;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        if (*q == '+' || *q == '-') ++q;
        if (*q >= '0' && *q <= '9') {
            while (*q >= '0' && *q <= '9') ++q;
            p = q;
        }
    }
    std::string number(start, p);
    double value = std::strtod(number.c_str(), nullptr);
    // Beyond any angle a float can hold: no number either.
    return std::isfinite(static_cast<float>(value)) ? value : 0.0;
}

Shot readShot(int count, const std::string& hostPath) {
    std::FILE* file = std::fopen(hostPath.c_str(), "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "darts: cannot open the shot table %s: %s\n", hostPath.c_str(),
                     std::strerror(errno));
        std::exit(1);
    }
    long offset = static_cast<long>(count) * kShotRecordSize - kShotRecordSize;
    // A negative offset is refused by the seek, which leaves the file at its first record.
    if (offset > 0) std::fseek(file, offset, SEEK_SET);
    char release[kShotFieldSize + 1] = {};
    char aim[kShotFieldSize + 1] = {};
    size_t got = std::fread(release, 1, kShotFieldSize, file);
    if (got == kShotFieldSize) got = std::fread(aim, 1, kShotFieldSize, file);
    (void)got;  // a short file leaves the rest of the fields zero: they read as 0
    std::fclose(file);
    return {static_cast<float>(parseShotField(release)), static_cast<float>(parseShotField(aim))};
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
