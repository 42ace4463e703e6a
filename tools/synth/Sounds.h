// The game's sound effects and music loops.
#ifndef KS_SYNTH_SOUNDS_H
#define KS_SYNTH_SOUNDS_H

#include "Track.h"

namespace synth {

/// Sample rate of every piece.
const int SAMPLE_RATE = 44100;

/// Each maker fills `p_track` with one piece (normalized, ready to write). 0, or -1 if a
/// score inside is malformed.
int makeFire(Track *p_track);
int makeDig(Track *p_track);
int makeMonsterDeath(Track *p_track);
int makeHeroDeath(Track *p_track);
/// A cheerful 8-bar loop in C major at 140 beats per minute (about 13.7 s).
int makeMusic(Track *p_track);
/// A slow 4-bar loop in A minor at 100 beats per minute (9.6 s).
int makeEndMusic(Track *p_track);

/// One output file and the maker of its content.
struct Piece {
  const char *file;     ///< file name inside the output folder
  int (*make)(Track *); ///< fills the track
};

/// The six pieces, in a fixed order.
extern const Piece PIECES[6];

} // namespace synth

#endif
