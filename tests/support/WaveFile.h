// Reading wave files back: recorded output, and known sounds found in it.
#ifndef KS_WAVE_FILE_H
#define KS_WAVE_FILE_H

#include <cstddef>
#include <string>
#include <vector>

namespace kstest {

/// A wave file mixed down to one channel.
struct Wave {
  int rate = 0;            ///< frames per second
  int channels = 0;        ///< channels in the file
  long data_offset = 0;    ///< byte offset of the first sample frame in the file
  int frame_bytes = 0;     ///< bytes per sample frame in the file
  std::vector<float> mono; ///< the sum of the channels per frame, full scale 1 per channel
};

/// Reads a RIFF wave file of 16-bit integer or 32-bit float samples (plain or extensible
/// format). The data runs to the end of the file when the recorder did not get to write its
/// final length. False if the file is missing or of another format.
bool readWave(const std::string &path, Wave &wave);

/// Where a template sound sits best in a signal.
struct Match {
  size_t frame = 0;   ///< first frame of the best-matching stretch
  double score = 0.0; ///< normalized correlation there: 1 for an exact (scaled) copy
};

/// The stretch of `signal` from `first` to `last` (frames, `last` exclusive, clamped) that
/// correlates best with `pattern`. Music mixed over the pattern lowers the score but hardly
/// moves it towards unrelated stretches, whose scores stay near 0.
Match findPattern(const std::vector<float> &signal, size_t first, size_t last,
                  const std::vector<float> &pattern);

/// Root mean square of `signal` over frames [first, last).
double rms(const std::vector<float> &signal, size_t first, size_t last);

} // namespace kstest

#endif
