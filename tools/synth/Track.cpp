#include "Track.h"

#include <algorithm>
#include <cmath>

namespace synth {

Track::Track(int init_sample_rate) : sample_rate(init_sample_rate), looping(false) {}

Track Track::loop(int init_sample_rate, long sample_count) {
  Track t(init_sample_rate);
  t.looping = true;
  t.samples.assign(static_cast<size_t>(std::max(1L, sample_count)), 0.0f);
  return t;
}

void Track::addTone(double start, const Tone &tone) {
  std::vector<float> notes = renderTone(tone, sample_rate);
  size_t first = static_cast<size_t>(std::max(0L, std::lround(start * sample_rate)));
  if (!looping) {
    if (samples.size() < first + notes.size())
      samples.resize(first + notes.size(), 0.0f);
    for (size_t i = 0; i < notes.size(); i++)
      samples[first + i] += notes[i];
    return;
  }
  for (size_t i = 0; i < notes.size(); i++)
    samples[(first + i) % samples.size()] += notes[i];
}

void Track::normalize(float peak) {
  float largest = 0.0f;
  for (float s : samples)
    largest = std::max(largest, std::fabs(s));
  if (largest <= 0.0f)
    return;
  float gain = peak / largest;
  for (float &s : samples)
    s *= gain;
}

double Track::getDuration() const {
  return static_cast<double>(samples.size()) / sample_rate;
}

} // namespace synth
