// Reads the flat member values of one data object in the order its template lays them out, and
// checks every count against the values actually present before anything is allocated for it.
// Internal to the .x loader.
#pragma once

#include <cfloat>
#include <cstdint>
#include <string>

#include "gfx/xfile.h"
#include "gfx/xfile_tree.h"

namespace darts::gfx::xfile {

class ValueReader {
  public:
    explicit ValueReader(const DataObject& object) : object_(object) {}

    [[noreturn]] void fail(const std::string& what) const {
        throw FormatError(object_.type + " " + what);
    }

    // A DWORD member: a non-negative integer.
    uint32_t count() {
        const Scalar& s = take();
        if (!s.integral || s.value < 0 || s.value > UINT32_MAX) fail("has a bad count or index");
        return static_cast<uint32_t>(s.value);
    }

    // A FLOAT member; integers are accepted (text files often write "0" for 0.0).
    float real() {
        const Scalar& s = take();
        if (s.value > FLT_MAX || s.value < -FLT_MAX) fail("has a number out of range");
        return static_cast<float>(s.value);
    }

    Vec3 vec3() {
        float x = real(), y = real(), z = real();
        return {x, y, z};
    }

    ColorRGBA rgba() {
        float r = real(), g = real(), b = real(), a = real();
        return {r, g, b, a};
    }

    // Fails unless `items` records of `valuesPerItem` values each can still follow.
    void requireItems(uint64_t items, uint64_t valuesPerItem) const {
        if (items * valuesPerItem > object_.values.size() - next_) fail("is truncated");
    }

    void expectEnd() const {
        if (next_ != object_.values.size()) fail("has more values than its counts say");
    }

  private:
    const Scalar& take() {
        if (next_ >= object_.values.size()) fail("is truncated");
        return object_.values[next_++];
    }

    const DataObject& object_;
    size_t next_ = 0;
};

}  // namespace darts::gfx::xfile
