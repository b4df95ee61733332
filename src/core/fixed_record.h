// The game's two data files are text files of fixed-size records: a record is read by its byte
// offset, and its numbers are fixed-width text fields read the way the C library's atoi and atof
// read them, except that a field never runs on into the next one.
#pragma once

#include <cstddef>
#include <string>

namespace darts {

// Opens `hostPath`, reads up to `length` bytes from `offset` into `buffer` (which the caller has
// zero-filled, so that a short file leaves empty fields) and closes the file again. Returns the
// number of bytes read. A file that cannot be opened ends the program with status 1 after one
// line on stderr naming `what` and the path.
size_t readFixedRecord(const std::string& hostPath, const char* what, long offset, char* buffer,
                       size_t length);

// atoi over the first `width` bytes of `field`: blanks, a sign, digits; no digits read as 0 and
// values beyond int saturate.
int atoiField(const char* field, size_t width);

// atof over the first `width` bytes of `field`, plain decimal form only (blanks, sign, digits,
// point, digits, exponent): "inf", "nan", hexadecimal forms and values beyond a float read as 0,
// like a field without a number.
double atofField(const char* field, size_t width);

}  // namespace darts
