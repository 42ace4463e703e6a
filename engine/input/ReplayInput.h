// Input read back from a recording.
#ifndef KS_REPLAY_INPUT_H
#define KS_REPLAY_INPUT_H

#include <string>

#include "InputSource.h"
#include "Recording.h"

namespace ks {

/// Sends the events of a recording, each in its recorded step and order.
class ReplayInput : public InputSource {
public:
  ReplayInput();

  /// Reads the recording to replay. 0, or -1 with one log line (nothing is replayed then).
  int load(const std::string &filename);
  /// True once a recording has been loaded (until stop()).
  bool isLoaded() const;
  /// The loaded recording's settings.
  const RecordingSettings &getSettings() const;
  /// True from the step after the recorded run's last step on.
  bool isOver(int step) const;

  /// Starts from the recording's first event. Always 0.
  int start() override;
  /// Forgets the recording.
  void stop() override;
  /// The recorded events of `step`.
  void poll(int step, std::vector<InputEvent> &events) override;

private:
  Recording recording; ///< what is replayed
  size_t next;         ///< index of the next event to send
  bool loaded;         ///< a recording is there to replay
};

} // namespace ks

#endif
