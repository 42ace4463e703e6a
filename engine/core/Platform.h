// The engine's only calls into the operating system for time.
#ifndef KS_PLATFORM_H
#define KS_PLATFORM_H

namespace ks {

/// Answer of the timer-resolution calls when the system refuses the request.
const int TIMER_RESOLUTION_REFUSED = 97;

/// Microseconds on a monotonic clock: never jumps, not even when the wall clock is set.
long long monotonicMicroseconds();

/// Blocks the calling thread for at least `milliseconds` (nothing for 0 or less).
void sleepMilliseconds(int milliseconds);

/// Asks for 1 ms timer resolution. 0, or TIMER_RESOLUTION_REFUSED. POSIX sleeps are already
/// that fine, so this is a no-op there.
int beginTimerResolution();

/// Releases the 1 ms timer resolution. 0, or TIMER_RESOLUTION_REFUSED.
int endTimerResolution();

} // namespace ks

#endif
