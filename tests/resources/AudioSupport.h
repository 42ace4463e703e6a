// Audio test helpers: generated WAV files, OpenAL Soft configurations, and child processes in
// which each audio run gets its own, freshly configured OpenAL.
#ifndef KS_AUDIO_SUPPORT_H
#define KS_AUDIO_SUPPORT_H

#include <functional>
#include <string>

namespace kstest {

/// Writes a mono 16-bit 44100 Hz WAV file holding a sine tone of `seconds`.
void writeToneWav(const std::string &path, float seconds, float frequency = 440.0f,
                  float amplitude = 0.5f);

/// Writes an OpenAL Soft configuration that sends all output to the WAV file `out_path`.
void writeWaveConf(const std::string &conf_path, const std::string &out_path);

/// Writes an OpenAL Soft configuration under which no audio device opens.
void writeNoDeviceConf(const std::string &conf_path);

/// Runs `body` in a child process with ALSOFT_CONF set to `conf_path` before any audio object
/// exists, and returns the child's exit status (the body's result; -1 if it died). The child
/// leaves through exit(), so audio devices close and output files are completed.
int runAudioChild(const std::string &conf_path, const std::function<int()> &body);

/// What an output WAV file holds.
struct WaveStats {
  bool valid = false;   ///< the file has a format and a data chunk that could be read
  int rate = 0;         ///< frames per second
  int channels = 0;     ///< samples per frame
  long frames = 0;      ///< frames in the data chunk
  long loud_frames = 0; ///< frames with some channel above 1% of full scale
  long last_loud = -1;  ///< index of the last loud frame, -1 if none
};

/// Reads a WAV file written by OpenAL Soft's wave writer (PCM or float samples).
WaveStats readWaveStats(const std::string &path);

/// Starts the log (at `level`) in `path` and the resource manager; inside the child.
void startResources(const std::string &path, int level);

} // namespace kstest

/// In a child body: returns the line number when `cond` fails.
#define CHILD_CHECK(cond)                                                                          \
  do {                                                                                             \
    if (!(cond))                                                                                   \
      return __LINE__ % 250 + 1;                                                                   \
  } while (0)

#endif
