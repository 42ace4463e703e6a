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

  /// Microseconds from `earlier` to `later` (monotonic readings), held to [0, INT_MAX] so that
  /// a stopwatch left running for more than about 35 minutes reads "very long" instead of
  /// wrapping to a negative time.
  static int difference(long long earlier, long long later);

private:
  long long previous_time; ///< monotonic microseconds at the last restart
};

} // namespace ks

#endif
