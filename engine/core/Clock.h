#ifndef KS_CLOCK_H
#define KS_CLOCK_H

namespace ks {

/// A microsecond stopwatch on the monotonic clock, for the game loop and time budgets.
class Clock {
public:
  /// Starts the stopwatch now.
  Clock();

  /// Microseconds since the last delta() (or construction); restarts the stopwatch.
  int delta();

  /// Microseconds since the last delta() (or construction); the stopwatch keeps running.
  int split() const;

private:
  long long previous_time; ///< monotonic microseconds at the last restart
};

} // namespace ks

#endif
