// ks_synth: writes the game's sound effects and music loops as WAV files.
// Usage: ks_synth <output-dir>. The output is the same on every run.
#include <cstdio>
#include <string>

#include "Sounds.h"
#include "Wav.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ks_synth <output-dir>\n");
    return 2;
  }
  const std::string dir = argv[1];
  for (const synth::Piece &piece : synth::PIECES) {
    synth::Track track(synth::SAMPLE_RATE);
    if (piece.make(&track) != 0) {
      std::fprintf(stderr, "ks_synth: cannot make '%s'\n", piece.file);
      return 1;
    }
    if (synth::writeWav(dir + "/" + piece.file, track) != 0)
      return 1;
  }
  return 0;
}
