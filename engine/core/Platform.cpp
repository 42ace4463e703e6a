#include "Platform.h"

#include <cerrno>
#include <ctime>

namespace ks {

long long monotonicMicroseconds() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000000LL + ts.tv_nsec / 1000;
}

void sleepMilliseconds(int milliseconds) {
  if (milliseconds <= 0)
    return;
  timespec want{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  timespec left{};
  // A signal may cut the sleep short; sleep for what is left.
  while (nanosleep(&want, &left) == -1 && errno == EINTR)
    want = left;
}

int beginTimerResolution() {
  return 0;
}

int endTimerResolution() {
  return 0;
}

} // namespace ks
