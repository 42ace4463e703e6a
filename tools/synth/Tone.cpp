#include "Tone.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

const double PI = 3.14159265358979323846;

// Envelope level at `t` seconds for a note whose gate closes at `gate`.
double envelopeAt(const Envelope &env, double gate, double t) {
  auto held = [&env](double u) {
    if (u < env.attack)
      return u / env.attack;
    u -= env.attack;
    if (u < env.decay)
      return 1.0 - (1.0 - env.sustain) * (u / env.decay);
    return env.sustain;
  };
  if (t < gate)
    return held(t);
  if (env.release <= 0.0)
    return 0.0;
  double level = held(gate);
  double r = (t - gate) / env.release;
  return r >= 1.0 ? 0.0 : level * (1.0 - r) * (1.0 - r);
}

// Removes the step discontinuity of a naive pulse at phase 0 (band-limited step).
double polyBlep(double phase, double dt) {
  if (phase < dt) {
    double x = phase / dt;
    return x + x - x * x - 1.0;
  }
  if (phase > 1.0 - dt) {
    double x = (phase - 1.0) / dt;
    return x * x + x + x + 1.0;
  }
  return 0.0;
}

} // namespace

std::vector<float> renderTone(const Tone &tone, int sample_rate) {
  const double length = tone.gate + std::max(0.0, tone.env.release);
  const long count = std::max(0L, std::lround(length * sample_rate));
  std::vector<float> out(static_cast<size_t>(count), 0.0f);
  const double slide_time = tone.slide_time > 0.0 ? tone.slide_time : length;
  const double rc_alpha =
      tone.lowpass > 0.0 ? 1.0 - std::exp(-2.0 * PI * tone.lowpass / sample_rate) : 1.0;

  double phase = 0.0;
  double filtered = 0.0;
  unsigned lfsr = tone.seed != 0 ? (tone.seed & 0x7fffu) | 1u : 1u;
  double noise_value = 1.0;

  for (long i = 0; i < count; i++) {
    const double t = static_cast<double>(i) / sample_rate;
    double freq = tone.freq;
    if (tone.freq_end > 0.0) {
      double s = std::min(1.0, t / slide_time);
      freq = tone.freq * std::pow(tone.freq_end / tone.freq, s);
    }
    if (tone.vibrato_depth > 0.0 && t > tone.vibrato_delay) {
      double fade = std::min(1.0, (t - tone.vibrato_delay) / 0.1);
      double swing = fade * tone.vibrato_depth *
                     std::sin(2.0 * PI * tone.vibrato_rate * (t - tone.vibrato_delay));
      freq *= std::pow(2.0, swing / 12.0);
    }
    const double dt = std::min(0.5, freq / sample_rate);

    double v = 0.0;
    switch (tone.wave) {
    case PULSE: {
      double duty = tone.duty;
      if (tone.duty_end >= 0.0)
        duty += (tone.duty_end - tone.duty) * (t / length);
      duty = std::clamp(duty, 0.05, 0.95);
      v = phase < duty ? 1.0 : -1.0;
      v += polyBlep(phase, dt);
      v -= polyBlep(std::fmod(phase + 1.0 - duty, 1.0), dt);
      // A narrow pulse has a large DC offset; centre it.
      v -= 2.0 * duty - 1.0;
      break;
    }
    case TRIANGLE:
      v = phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
      break;
    case SAW:
      v = 2.0 * phase - 1.0 - polyBlep(phase, dt);
      break;
    case SINE:
      v = std::sin(2.0 * PI * phase);
      break;
    case NOISE:
      v = noise_value;
      break;
    }

    phase += freq / sample_rate;
    while (phase >= 1.0) {
      phase -= 1.0;
      if (tone.wave == NOISE) {
        // 15-bit register with taps 0 and 1, as in old sound chips.
        unsigned bit = (lfsr ^ (lfsr >> 1)) & 1u;
        lfsr = (lfsr >> 1) | (bit << 14);
        noise_value = (lfsr & 1u) ? 1.0 : -1.0;
      }
    }

    filtered += rc_alpha * (v - filtered);
    out[static_cast<size_t>(i)] =
        static_cast<float>(filtered * tone.volume * envelopeAt(tone.env, tone.gate, t));
  }
  return out;
}

} // namespace synth
