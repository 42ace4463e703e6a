// Writes the input a run sends to a recording file as it goes.
#ifndef KS_RECORDER_H
#define KS_RECORDER_H

#include <cstdio>
#include <string>

#include "Recording.h"

namespace ks {

/// Writes a recording (see Recording for the form): the header first, then each event as it
/// is sent, then the closing line when the run ends. Lines are flushed as they are written.
class Recorder {
public:
  Recorder();
  ~Recorder();
  Recorder(const Recorder &) = delete;
  Recorder &operator=(const Recorder &) = delete;

  /// Creates (or empties) `filename` for writing. 0, or -1 with one log line.
  int open(const std::string &filename);
  /// True between open() and close().
  bool isOpen() const;
  /// Writes the header; once, before the first event.
  void writeHeader(const RecordingSettings &settings);
  /// Writes one event sent in `step`.
  void write(int step, const InputEvent &event);
  /// Writes the closing line for a run of `steps` steps and closes the file.
  void close(int steps);

private:
  void put(const std::string &text);

  FILE *p_file;        ///< the recording (owned), or null when not recording
  bool header_written; ///< whether the header is in the file
};

} // namespace ks

#endif
