// The computer's prepared shots for a count of 20 or less: "data\pcshotp.kpd", twenty text records
// of 24 bytes (release angle in 11 bytes, aim angle in 11 bytes, line end), record n for count n.
#pragma once

#include <string>

namespace darts {

constexpr const char* kShotTableFile = "data\\pcshotp.kpd";
constexpr int kShotRecordSize = 24;
constexpr int kShotFieldSize = 11;

struct Shot {
    float releaseAngle;  // in the swing's representation: 0..0.18 back, 12.49..12.56 forward
    float aimYaw;
};

// Reads the record for `count` from the shot file, opening and closing the file on every call.
// A count of 0 or less (only seen while a winning or busting dart is displayed) reads the first
// record. A missing file ends the program with status 1 after one line on stderr. Each field is
// read like atof, within its 11 bytes.
Shot readShot(int count, const std::string& hostPath);
Shot readShot(int count);

// Formats one record (24 bytes with its CR LF line end) the way the reader expects it.
std::string formatShotRecord(double releaseAngle, double aimYaw);

}  // namespace darts
