#include "Score.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace synth {

double keyToHz(int key) {
  return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

namespace {

// "C4" -> 60, "F#5" -> 78, "-" -> -1; -2 when the name is not a note.
int parseName(const std::string &name) {
  if (name == "-")
    return -1;
  static const int semitone[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
  if (name.empty() || name[0] < 'A' || name[0] > 'G')
    return -2;
  int key = semitone[name[0] - 'A'];
  size_t i = 1;
  if (i < name.size() && (name[i] == '#' || name[i] == 'b')) {
    key += name[i] == '#' ? 1 : -1;
    i++;
  }
  if (i >= name.size())
    return -2;
  int octave = 0;
  for (; i < name.size(); i++) {
    if (name[i] < '0' || name[i] > '9')
      return -2;
    octave = octave * 10 + (name[i] - '0');
  }
  if (octave > 9)
    return -2;
  return key + 12 * (octave + 1);
}

} // namespace

int parseNotes(const std::string &text, std::vector<Note> *p_notes) {
  std::istringstream in(text);
  std::string item;
  while (in >> item) {
    size_t colon = item.find(':');
    Note n;
    n.key = parseName(item.substr(0, colon));
    n.steps = colon == std::string::npos ? 0 : std::atoi(item.c_str() + colon + 1);
    if (n.key == -2 || n.steps <= 0) {
      std::fprintf(stderr, "ks_synth: bad note '%s'\n", item.c_str());
      return -1;
    }
    p_notes->push_back(n);
  }
  return 0;
}

int playNotes(Track &track, const std::vector<Note> &notes, int first_step, double step_seconds,
              Tone instrument, double legato) {
  const double slide_ratio =
      instrument.freq_end > 0.0 ? instrument.freq_end / instrument.freq : 0.0;
  int step = first_step;
  for (const Note &n : notes) {
    if (n.key >= 0) {
      Tone t = instrument;
      t.freq = keyToHz(n.key);
      t.freq_end = slide_ratio > 0.0 ? t.freq * slide_ratio : 0.0;
      t.gate = n.steps * step_seconds * legato;
      track.addTone(step * step_seconds, t);
    }
    step += n.steps;
  }
  return step;
}

int playScore(Track &track, const std::string &text, int first_step, double step_seconds,
              const Tone &instrument, double legato) {
  std::vector<Note> notes;
  if (parseNotes(text, &notes) != 0)
    return -1;
  return playNotes(track, notes, first_step, step_seconds, instrument, legato);
}

} // namespace synth
