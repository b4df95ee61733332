#include "match/shot_table.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

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
    // Opened, read and closed on every call, as the computer does every frame at 20 or less; a
    // positioned read keeps that to three system calls.
    int file = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        std::fprintf(stderr, "darts: cannot open the shot table %s: %s\n", hostPath.c_str(),
                     std::strerror(errno));
        std::exit(1);
    }
    // A count of 0 or less would seek before the start: the file stays at its first record.
    long offset = static_cast<long>(count) * kShotRecordSize - kShotRecordSize;
    if (offset < 0) offset = 0;
    char fields[2 * kShotFieldSize] = {};
    size_t got = 0;
    while (got < sizeof fields) {
        ssize_t n =
            ::pread(file, fields + got, sizeof fields - got, offset + static_cast<long>(got));
        if (n <= 0) break;  // a short file leaves the rest zero: those fields read as 0
        got += static_cast<size_t>(n);
    }
    ::close(file);
    char release[kShotFieldSize + 1] = {};
    char aim[kShotFieldSize + 1] = {};
    std::memcpy(release, fields, kShotFieldSize);
    std::memcpy(aim, fields + kShotFieldSize, kShotFieldSize);
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
