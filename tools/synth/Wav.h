// Writing tracks as WAV files.
#ifndef KS_SYNTH_WAV_H
#define KS_SYNTH_WAV_H

#include <string>

#include "Track.h"

namespace synth {

/// Writes `track` to `path` as 16-bit PCM mono WAV; samples beyond [-1, 1] are clipped.
/// 0, or -1 (with a message on standard error) if the file cannot be written.
int writeWav(const std::string &path, const Track &track);

} // namespace synth

#endif
