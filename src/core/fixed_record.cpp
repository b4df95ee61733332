#include "core/fixed_record.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace darts {
namespace {

bool isCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

size_t readFixedRecord(const std::string& hostPath, const char* what, long offset, char* buffer,
                       size_t length) {
    // A positioned read keeps a record read to three system calls: the computer reads its shot
    // this way every frame.
    int file = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        std::fprintf(stderr, "darts: cannot open the %s %s: %s\n", what, hostPath.c_str(),
                     std::strerror(errno));
        std::exit(1);
    }
    size_t got = 0;
    while (offset >= 0 && got < length) {
        ssize_t n = ::pread(file, buffer + got, length - got, offset + static_cast<long>(got));
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(file);
    return got;
}

int atoiField(const char* field, size_t width) {
    size_t i = 0;
    while (i < width && isCSpace(field[i])) ++i;
    bool negative = false;
    if (i < width && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    // Accumulated as a negative number, whose range is the larger one.
    long long value = 0;
    for (; i < width && isDigit(field[i]); ++i) {
        value = value * 10 - (field[i] - '0');
        if (value < INT_MIN) return negative ? INT_MIN : INT_MAX;
    }
    if (negative) return static_cast<int>(value);
    return value == INT_MIN ? INT_MAX : static_cast<int>(-value);
}

double atofField(const char* field, size_t width) {
    size_t i = 0;
    while (i < width && isCSpace(field[i])) ++i;
    const size_t start = i;
    if (i < width && (field[i] == '+' || field[i] == '-')) ++i;
    bool digits = false;
    while (i < width && isDigit(field[i])) ++i, digits = true;
    if (i < width && field[i] == '.') {
        ++i;
        while (i < width && isDigit(field[i])) ++i, digits = true;
    }
    if (!digits) return 0.0;
    if (i < width && (field[i] == 'e' || field[i] == 'E')) {
        size_t j = i + 1;
        if (j < width && (field[j] == '+' || field[j] == '-')) ++j;
        if (j < width && isDigit(field[j])) {
            while (j < width && isDigit(field[j])) ++j;
            i = j;
        }
    }
    const std::string number(field + start, field + i);
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(static_cast<float>(value)) ? value : 0.0;
}

}  // namespace darts
