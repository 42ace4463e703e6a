#ifndef KS_EVENT_STEP_H
#define KS_EVENT_STEP_H

#include "Event.h"

namespace ks {

/// Type of EventStep, sent to the objects registered for it.
const std::string STEP_EVENT = "ks::step";

/// Sent once per game loop step to the objects registered for "ks::step".
class EventStep : public Event {
public:
  /// A step event carrying the loop's step number (0 for the first step of a run).
  explicit EventStep(int init_step_count = 0);

  /// Sets the step number carried.
  void setStepCount(int new_step_count);
  /// The game loop's step number when the event was sent.
  int getStepCount() const;

private:
  int step_count; ///< the game loop's step number when the event was sent
};

} // namespace ks

#endif
