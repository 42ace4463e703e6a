// Where a step's input comes from: a window, a terminal, a recording.
#ifndef KS_INPUT_SOURCE_H
#define KS_INPUT_SOURCE_H

#include <vector>

#include "InputEvent.h"

namespace ks {

/// One source of input. The input manager asks the active source once per step for the step's
/// events and sends them to the interested objects in the order given.
class InputSource {
public:
  virtual ~InputSource();

  /// Gets ready to deliver input. 0, or -1 with one log line.
  virtual int start() = 0;
  /// Lets go of what start() took.
  virtual void stop() = 0;
  /// Appends the input of `step` (input steps count from the engine's start) to `events` in
  /// sending order; nothing follows a CLOSE.
  virtual void poll(int step, std::vector<InputEvent> &events) = 0;
};

} // namespace ks

#endif
