// One synthesized note: an oscillator shaped by an envelope, with optional pitch slide,
// vibrato and low-pass filtering.
#ifndef KS_SYNTH_TONE_H
#define KS_SYNTH_TONE_H

#include <vector>

namespace synth {

/// Oscillator shapes of the retro voices.
enum Waveform {
  PULSE,    ///< square wave with a variable duty cycle
  TRIANGLE, ///< soft, flute-like; used for bass lines
  SAW,      ///< bright and buzzy
  SINE,     ///< pure; used for drum thumps
  NOISE,    ///< a shift-register noise clocked at the tone's frequency (low = crunchy)
};

/// Attack-decay-sustain-release envelope. Times in seconds, sustain as a level in [0, 1].
struct Envelope {
  double attack = 0.005; ///< rise from 0 to full level
  double decay = 0.05;   ///< fall from full level to the sustain level
  double sustain = 0.7;  ///< level held until the gate closes
  double release = 0.05; ///< fall to 0 after the gate closes
};

/// Everything that describes one note. The note lasts gate + release seconds.
struct Tone {
  Waveform wave = PULSE;      ///< oscillator shape
  double freq = 440.0;        ///< frequency in Hz at the start
  double freq_end = 0.0;      ///< frequency reached by the slide; 0 means no slide
  double slide_time = 0.0;    ///< length of the (exponential) slide; 0: the whole note
  double duty = 0.5;          ///< pulse duty cycle at the start, in (0, 1)
  double duty_end = -1.0;     ///< duty at the end of the note; negative: constant duty
  double vibrato_depth = 0.0; ///< vibrato swing in semitones (0: none)
  double vibrato_rate = 5.5;  ///< vibrato cycles per second
  double vibrato_delay = 0.1; ///< seconds before the vibrato fades in
  double gate = 0.2;          ///< seconds before the release starts
  Envelope env;               ///< loudness shape
  double volume = 0.5;        ///< peak amplitude before mixing
  double lowpass = 0.0;       ///< one-pole low-pass cut-off in Hz; 0 means unfiltered
  unsigned seed = 1;          ///< start state of the noise register (never 0)
};

/// The samples of `tone` at `sample_rate`, gate + release seconds long.
std::vector<float> renderTone(const Tone &tone, int sample_rate);

} // namespace synth

#endif
