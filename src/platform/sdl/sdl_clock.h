// The platform clock: seconds since an arbitrary start, and waiting until a given time.
#pragma once

namespace darts::platform {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual double seconds() = 0;
    // Returns once seconds() has reached `time` (at once when it already has).
    virtual void sleepUntil(double time) = 0;
};

// SDL's high-resolution counter. Needs no SDL subsystem.
class SdlClock final : public Clock {
  public:
    SdlClock();
    double seconds() override;
    void sleepUntil(double time) override;

  private:
    unsigned long long start_;
    double ticksPerSecond_;
};

}  // namespace darts::platform
