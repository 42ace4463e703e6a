#include "Sounds.h"

#include <string>
#include <vector>

#include "Score.h"

namespace synth {

const Piece PIECES[6] = {
    {"fire.wav", makeFire},
    {"dig.wav", makeDig},
    {"monster-death.wav", makeMonsterDeath},
    {"hero-death.wav", makeHeroDeath},
    {"music.wav", makeMusic},
    {"end-music.wav", makeEndMusic},
};

namespace {

Envelope envelope(double attack, double decay, double sustain, double release) {
  Envelope e;
  e.attack = attack;
  e.decay = decay;
  e.sustain = sustain;
  e.release = release;
  return e;
}

// A percussive hit: full level at once, fading out over `decay`.
Envelope hit(double decay) {
  return envelope(0.001, decay, 0.0, 0.01);
}

// Drum pattern characters: k kick, s snare, h closed hat, o open hat, anything else silence.
void playDrums(Track &track, const std::string &pattern, int first_step, double step_seconds,
               double volume) {
  for (size_t i = 0; i < pattern.size(); i++) {
    double at = (first_step + static_cast<int>(i)) * step_seconds;
    char c = pattern[i];
    if (c == 'k') {
      Tone kick;
      kick.wave = SINE;
      kick.freq = 160.0;
      kick.freq_end = 45.0;
      kick.slide_time = 0.09;
      kick.gate = 0.12;
      kick.env = hit(0.12);
      kick.volume = 0.6 * volume;
      track.addTone(at, kick);
    } else if (c == 's') {
      Tone snare;
      snare.wave = NOISE;
      snare.freq = 9000.0;
      snare.lowpass = 6000.0;
      snare.gate = 0.1;
      snare.env = hit(0.1);
      snare.volume = 0.45 * volume;
      snare.seed = 0x1234u + static_cast<unsigned>(i);
      track.addTone(at, snare);
      Tone body;
      body.wave = TRIANGLE;
      body.freq = 220.0;
      body.freq_end = 150.0;
      body.gate = 0.05;
      body.env = hit(0.05);
      body.volume = 0.3 * volume;
      track.addTone(at, body);
    } else if (c == 'h' || c == 'o') {
      Tone hat;
      hat.wave = NOISE;
      hat.freq = 44100.0;
      hat.gate = c == 'h' ? 0.03 : 0.12;
      hat.env = hit(hat.gate);
      hat.volume = 0.15 * volume;
      hat.seed = 0x0badu + static_cast<unsigned>(i);
      track.addTone(at, hat);
    }
  }
}

// Steady eighth or sixteenth arpeggio over `chord` (MIDI keys) for `steps` steps.
std::vector<Note> arpeggio(const std::vector<int> &chord, int steps, int note_steps) {
  static const int order[6] = {0, 1, 2, 3, 2, 1};
  std::vector<Note> notes;
  for (int s = 0, i = 0; s < steps; s += note_steps, i++) {
    int which = order[i % 6];
    Note n;
    n.key = which == 3 ? chord[0] + 12 : chord[static_cast<size_t>(which)];
    n.steps = note_steps;
    notes.push_back(n);
  }
  return notes;
}

} // namespace

int makeFire(Track *p_track) {
  Track t(SAMPLE_RATE);
  // The string's snap: a short falling pulse that narrows as it falls.
  Tone twang;
  twang.wave = PULSE;
  twang.freq = 700.0;
  twang.freq_end = 160.0;
  twang.slide_time = 0.09;
  twang.duty = 0.5;
  twang.duty_end = 0.15;
  twang.gate = 0.09;
  twang.env = envelope(0.001, 0.12, 0.0, 0.03);
  twang.volume = 0.45;
  twang.lowpass = 4000.0;
  t.addTone(0.0, twang);
  // The bow's body ringing on, with a fast wobble.
  Tone thrum;
  thrum.wave = TRIANGLE;
  thrum.freq = 150.0;
  thrum.freq_end = 140.0;
  thrum.vibrato_depth = 0.4;
  thrum.vibrato_rate = 24.0;
  thrum.vibrato_delay = 0.0;
  thrum.gate = 0.18;
  thrum.env = envelope(0.001, 0.2, 0.0, 0.03);
  thrum.volume = 0.4;
  t.addTone(0.0, thrum);
  // The arrow's whoosh: rising, softened noise.
  Tone whoosh;
  whoosh.wave = NOISE;
  whoosh.freq = 2500.0;
  whoosh.freq_end = 12000.0;
  whoosh.slide_time = 0.15;
  whoosh.gate = 0.2;
  whoosh.env = envelope(0.06, 0.16, 0.0, 0.08);
  whoosh.volume = 0.4;
  whoosh.lowpass = 2500.0;
  whoosh.seed = 0x2f1u;
  t.addTone(0.02, whoosh);
  t.normalize(0.8f);
  *p_track = t;
  return 0;
}

int makeDig(Track *p_track) {
  Track t(SAMPLE_RATE);
  Tone thump;
  thump.wave = SINE;
  thump.freq = 170.0;
  thump.freq_end = 55.0;
  thump.gate = 0.1;
  thump.env = hit(0.1);
  thump.volume = 0.6;
  t.addTone(0.0, thump);
  // Three grains of low-clocked noise sound like soil giving way.
  const double start[3] = {0.0, 0.055, 0.12};
  const double clock[3] = {1400.0, 1900.0, 1100.0};
  const double volume[3] = {0.4, 0.3, 0.25};
  for (int i = 0; i < 3; i++) {
    Tone crunch;
    crunch.wave = NOISE;
    crunch.freq = clock[i];
    crunch.gate = 0.05;
    crunch.env = envelope(0.001, 0.06, 0.0, 0.02);
    crunch.volume = volume[i];
    crunch.lowpass = 5000.0;
    crunch.seed = 0x51u + 97u * static_cast<unsigned>(i);
    t.addTone(start[i], crunch);
  }
  t.normalize(0.8f);
  *p_track = t;
  return 0;
}

int makeMonsterDeath(Track *p_track) {
  Track t(SAMPLE_RATE);
  // A short upward squeak, then a gurgling fall.
  Tone squeak;
  squeak.wave = TRIANGLE;
  squeak.freq = 300.0;
  squeak.freq_end = 1200.0;
  squeak.gate = 0.05;
  squeak.env = hit(0.05);
  squeak.volume = 0.35;
  t.addTone(0.0, squeak);
  Tone fall;
  fall.wave = PULSE;
  fall.freq = 520.0;
  fall.freq_end = 45.0;
  fall.duty = 0.5;
  fall.duty_end = 0.3;
  fall.vibrato_depth = 2.0;
  fall.vibrato_rate = 28.0;
  fall.vibrato_delay = 0.0;
  fall.gate = 0.42;
  fall.env = envelope(0.002, 0.1, 0.7, 0.1);
  fall.volume = 0.4;
  fall.lowpass = 3000.0;
  t.addTone(0.04, fall);
  Tone splat;
  splat.wave = NOISE;
  splat.freq = 4000.0;
  splat.freq_end = 600.0;
  splat.gate = 0.25;
  splat.env = envelope(0.001, 0.25, 0.0, 0.02);
  splat.volume = 0.3;
  splat.seed = 0x3c3u;
  t.addTone(0.04, splat);
  t.normalize(0.8f);
  *p_track = t;
  return 0;
}

int makeHeroDeath(Track *p_track) {
  Track t(SAMPLE_RATE);
  // Four falling semitones, each drooping a little; the last one held with a wavering voice.
  const int keys[4] = {72, 71, 70, 69};
  const double spacing = 0.22;
  for (int i = 0; i < 4; i++) {
    bool last = i == 3;
    Tone lead;
    lead.wave = PULSE;
    lead.freq = keyToHz(keys[i]);
    lead.freq_end = lead.freq * (last ? 0.94 : 0.97);
    lead.duty = 0.5;
    lead.duty_end = 0.25;
    lead.gate = last ? 0.8 : 0.18;
    lead.vibrato_depth = last ? 0.5 : 0.0;
    lead.vibrato_rate = 6.0;
    lead.vibrato_delay = 0.15;
    lead.env = envelope(0.005, 0.1, 0.6, last ? 0.3 : 0.05);
    lead.volume = 0.4;
    lead.lowpass = 4000.0;
    t.addTone(i * spacing, lead);
    Tone bass = lead;
    bass.wave = TRIANGLE;
    bass.freq = keyToHz(keys[i] - 12);
    bass.freq_end = bass.freq * (last ? 0.94 : 0.97);
    bass.vibrato_depth = 0.0;
    bass.volume = 0.35;
    bass.lowpass = 0.0;
    t.addTone(i * spacing, bass);
  }
  t.normalize(0.8f);
  *p_track = t;
  return 0;
}

int makeMusic(Track *p_track) {
  // 140 beats per minute, four steps per beat: 4725 samples per step, so the loop is a whole
  // number of samples and every note starts on an exact sample.
  const double step = 60.0 / 140.0 / 4.0;
  const int bars = 8;
  Track t = Track::loop(SAMPLE_RATE, 4725L * 16 * bars);

  const char *melody = "E5:2 G5:2 C6:4 B5:2 G5:2 E5:4 "      // C
                       "D5:2 G5:2 B5:4 A5:2 G5:2 D5:4 "      // G
                       "C5:2 E5:2 A5:4 G5:2 E5:2 C5:2 E5:2 " // Am
                       "F5:4 A5:2 G5:2 F5:2 E5:2 D5:2 -:2 "  // F
                       "E5:2 G5:2 C6:2 D6:2 E6:4 D6:2 C6:2 " // C
                       "B5:2 D6:2 B5:2 G5:2 D5:4 G5:4 "      // G
                       "A5:2 C6:2 A5:2 F5:2 G5:2 A5:2 B5:4 " // F
                       "D6:4 B5:2 G5:2 D5:2 F5:2 G5:2 B5:2"; // G, leading back to the top
  Tone lead;
  lead.wave = PULSE;
  lead.duty = 0.25;
  lead.env = envelope(0.005, 0.08, 0.6, 0.06);
  lead.vibrato_depth = 0.15;
  lead.vibrato_rate = 6.0;
  lead.vibrato_delay = 0.12;
  lead.volume = 0.3;
  lead.lowpass = 7000.0;
  if (playScore(t, melody, 0, step, lead, 0.85) < 0)
    return -1;
  // A quiet echo three steps behind widens the lead.
  Tone echo = lead;
  echo.volume = 0.09;
  echo.duty = 0.5;
  if (playScore(t, melody, 3, step, echo, 0.85) < 0)
    return -1;

  const std::vector<std::vector<int>> chords = {
      {60, 64, 67}, {59, 62, 67}, {57, 60, 64}, {57, 60, 65}, // C G Am F
      {60, 64, 67}, {59, 62, 67}, {57, 60, 65}, {59, 62, 67}, // C G F G
  };
  const int roots[bars] = {48, 43, 45, 41, 48, 43, 41, 43};
  Tone arp;
  arp.wave = PULSE;
  arp.duty = 0.125;
  arp.env = envelope(0.002, 0.05, 0.3, 0.03);
  arp.volume = 0.12;
  arp.lowpass = 6000.0;
  Tone bass;
  bass.wave = TRIANGLE;
  bass.env = envelope(0.003, 0.1, 0.8, 0.03);
  bass.volume = 0.5;
  for (int bar = 0; bar < bars; bar++) {
    playNotes(t, arpeggio(chords[static_cast<size_t>(bar)], 16, 1), bar * 16, step, arp, 0.7);
    std::vector<Note> line;
    for (int i = 0; i < 8; i++)
      line.push_back(Note{roots[bar] + (i % 2 == 1 ? 12 : 0), 2});
    playNotes(t, line, bar * 16, step, bass, 0.9);
    playDrums(t, bar == bars - 1 ? "k.h.s.h.k.s.s.ss" : "k.h.s.h.k.k.s.h.", bar * 16, step,
              bar % 2 == 1 ? 1.0 : 0.9);
  }
  t.normalize(0.7f);
  *p_track = t;
  return 0;
}

int makeEndMusic(Track *p_track) {
  // 100 beats per minute: 6615 samples per step.
  const double step = 60.0 / 100.0 / 4.0;
  const int bars = 4;
  Track t = Track::loop(SAMPLE_RATE, 6615L * 16 * bars);

  const char *melody = "A4:4 C5:4 E5:6 D5:2 "       // Am
                       "C5:4 A4:4 F4:8 "            // F
                       "D5:4 F5:4 A5:4 G5:2 F5:2 "  // Dm
                       "E5:6 D5:2 C5:2 B4:2 G#4:4"; // E, back to A
  Tone lead;
  lead.wave = TRIANGLE;
  lead.env = envelope(0.02, 0.2, 0.7, 0.15);
  lead.vibrato_depth = 0.25;
  lead.vibrato_rate = 5.0;
  lead.vibrato_delay = 0.2;
  lead.volume = 0.45;
  if (playScore(t, melody, 0, step, lead, 0.9) < 0)
    return -1;
  Tone colour = lead;
  colour.wave = PULSE;
  colour.duty = 0.5;
  colour.volume = 0.08;
  colour.lowpass = 2500.0;
  if (playScore(t, melody, 0, step, colour, 0.9) < 0)
    return -1;

  const char *bass_line = "A2:8 E3:8 F2:8 C3:8 D2:8 A2:8 E2:8 B2:4 G#2:4";
  Tone bass;
  bass.wave = PULSE;
  bass.duty = 0.5;
  bass.env = envelope(0.01, 0.3, 0.6, 0.1);
  bass.volume = 0.25;
  bass.lowpass = 800.0;
  if (playScore(t, bass_line, 0, step, bass, 0.95) < 0)
    return -1;

  const std::vector<std::vector<int>> chords = {
      {57, 60, 64}, {57, 60, 65}, {57, 62, 65}, {56, 59, 64}, // Am F Dm E
  };
  Tone arp;
  arp.wave = PULSE;
  arp.duty = 0.25;
  arp.env = envelope(0.005, 0.1, 0.4, 0.08);
  arp.volume = 0.07;
  arp.lowpass = 2500.0;
  for (int bar = 0; bar < bars; bar++) {
    playNotes(t, arpeggio(chords[static_cast<size_t>(bar)], 16, 2), bar * 16, step, arp, 0.8);
    playDrums(t, "k.......k...h...", bar * 16, step, 0.6);
  }
  t.normalize(0.6f);
  *p_track = t;
  return 0;
}

} // namespace synth
