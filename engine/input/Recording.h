// A recorded run: the settings a replay depends on and every input event, step by step.
#ifndef KS_RECORDING_H
#define KS_RECORDING_H

#include <string>
#include <vector>

#include "InputEvent.h"

namespace ks {

/// What a run depends on besides its input; a replay puts these in place before it starts.
struct RecordingSettings {
  int horizontal = 0;  ///< view width in cells
  int vertical = 0;    ///< view height in cells
  int frame_time = 0;  ///< milliseconds per step when recorded
  int random_seed = 0; ///< the seed the run's random numbers came from
  int path_plies = 0;  ///< path search plies per step
};

/// One input event and the step it was sent in (input steps count from the engine's start,
/// over every run of the game loop).
struct RecordedEvent {
  int step;         ///< >= 0, never less than the step of the event before
  InputEvent event; ///< the event as sent
};

/// A recorded run in its plain-text form, one line each:
///
///     kestle-recording 1
///     view <columns> <rows>
///     frame_time <milliseconds>
///     random_seed <seed>
///     path_plies <plies per step>
///     <step> key <pressed|released|down> <key>
///     <step> mouse <clicked|pressed|moved> <left|right|middle|none> <x> <y>
///     <step> close
///     end <steps>
///
/// Keys are named as the engine names them (A, NUM1, LEFTARROW, SPACE...), or given by number
/// where it has no name for them; mouse positions are window cells, with enough digits to
/// read back exactly. The events come in sending order; "end" gives the number of steps the
/// run took and is the last line. Lines starting with '#' are comments.
class Recording {
public:
  /// The format's first line.
  static const char *const FORMAT_LINE;

  /// The settings line block that starts a file.
  static std::string headerText(const RecordingSettings &settings);
  /// The line of one event (with its line end).
  static std::string eventLine(int step, const InputEvent &event);
  /// The closing line of a run of `steps` steps.
  static std::string endLine(int steps);

  /// Reads a recording. 0, or -1 with one log line naming the line at fault; the recording is
  /// unchanged then.
  int readFile(const std::string &filename);
  /// Reads a recording from its text; `name` is what the log line calls it.
  int readText(const std::string &text, const std::string &name);

  /// The settings of the header.
  const RecordingSettings &getSettings() const;
  /// Every event in sending order.
  const std::vector<RecordedEvent> &getEvents() const;
  /// Number of steps of the recorded run.
  int getSteps() const;

private:
  RecordingSettings settings;        ///< from the header
  std::vector<RecordedEvent> events; ///< in sending order
  int steps = 0;                     ///< from the "end" line, after the last event's step
};

} // namespace ks

#endif
