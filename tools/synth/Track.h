// A mono mixing buffer for one sound effect or one music loop.
#ifndef KS_SYNTH_TRACK_H
#define KS_SYNTH_TRACK_H

#include <vector>

#include "Tone.h"

namespace synth {

/// Float samples mixed from tones. A one-shot track grows to hold every tone; a loop track has
/// a fixed length and wraps tone tails around to its start, so that playing it over and over
/// has no seam.
class Track {
public:
  /// An empty one-shot track.
  explicit Track(int sample_rate);

  /// A loop of exactly `sample_count` samples of silence.
  static Track loop(int sample_rate, long sample_count);

  /// Mixes `tone` in, starting `start` seconds into the track.
  void addTone(double start, const Tone &tone);

  /// Scales the mix so that its largest magnitude is `peak` (silence stays silent).
  void normalize(float peak);

  /// The mixed samples.
  const std::vector<float> &getSamples() const { return samples; }

  /// Samples per second.
  int getSampleRate() const { return sample_rate; }

  /// Length in seconds.
  double getDuration() const;

private:
  int sample_rate;            ///< samples per second, > 0
  bool looping;               ///< tone tails wrap to the start instead of growing the track
  std::vector<float> samples; ///< the mix; for a loop its size never changes
};

} // namespace synth

#endif
