#include "Clock.h"

#include <climits>

#include "Platform.h"

namespace ks {

Clock::Clock() : previous_time(monotonicMicroseconds()) {}

int Clock::delta() {
  long long now = monotonicMicroseconds();
  int elapsed = difference(previous_time, now);
  previous_time = now;
  return elapsed;
}

int Clock::split() const {
  return difference(previous_time, monotonicMicroseconds());
}

int Clock::difference(long long earlier, long long later) {
  long long elapsed = later - earlier;
  if (elapsed < 0)
    return 0;
  if (elapsed > INT_MAX)
    return INT_MAX;
  return static_cast<int>(elapsed);
}

} // namespace ks
