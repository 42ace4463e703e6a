#include "Clock.h"

#include "Platform.h"

namespace ks {

Clock::Clock() : previous_time(monotonicMicroseconds()) {}

int Clock::delta() {
  long long now = monotonicMicroseconds();
  int elapsed = static_cast<int>(now - previous_time);
  previous_time = now;
  return elapsed;
}

int Clock::split() const {
  return static_cast<int>(monotonicMicroseconds() - previous_time);
}

} // namespace ks
