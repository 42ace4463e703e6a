// Written-down music: note lists such as "E5:2 G5:2 -:4" played on a track with an instrument.
#ifndef KS_SYNTH_SCORE_H
#define KS_SYNTH_SCORE_H

#include <string>
#include <vector>

#include "Tone.h"
#include "Track.h"

namespace synth {

/// One note of a score: a MIDI key (60 is middle C, -1 a rest) held for a number of steps.
struct Note {
  int key = -1;  ///< MIDI key number, or -1 for a rest
  int steps = 1; ///< length in steps, > 0
};

/// Frequency in Hz of MIDI key `key` (69 is A4, 440 Hz).
double keyToHz(int key);

/// Parses blank-separated "name:steps" items, where name is a note name with octave ("C4",
/// "F#5", "Bb3") or "-" for a rest. 0, or -1 (with a message on standard error) for a
/// malformed item.
int parseNotes(const std::string &text, std::vector<Note> *p_notes);

/// Plays `notes` one after the other on `instrument`, from step `first_step` on, each step
/// `step_seconds` long. Each note's frequency and gate replace the instrument's; the gate is
/// `legato` times the note's length (a slide, if any, keeps its ratio). Returns the step after
/// the last note.
int playNotes(Track &track, const std::vector<Note> &notes, int first_step, double step_seconds,
              Tone instrument, double legato);

/// Parses `text` and plays it as playNotes() does. The step after the last note, or -1 if the
/// text is malformed.
int playScore(Track &track, const std::string &text, int first_step, double step_seconds,
              const Tone &instrument, double legato);

} // namespace synth

#endif
