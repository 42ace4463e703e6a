#ifndef KS_SOUND_H
#define KS_SOUND_H

#include <string>

namespace sf {
class Sound;
class SoundBuffer;
} // namespace sf

namespace ks {

/// A short sound effect, decoded into memory and played from there.
class Sound {
public:
  /// An empty slot labelled "[Undefined]".
  Sound();
  /// Detaches the buffer from the player before the buffer goes.
  ~Sound();

  /// Decodes `filename`. With `audio` false the file is only checked, nothing will play.
  /// 0, or -1 if the file can't be decoded.
  int loadSound(std::string filename, bool audio);

  /// Name by which the sound is found.
  void setLabel(std::string new_label);
  /// Name by which the sound is found ("[Undefined]" for a free slot).
  std::string getLabel() const;

  /// Plays the effect from the start, looping if `loop`. Nothing without an audio device.
  void play(bool loop = false);

  /// Stops the effect (no log line).
  void stop();

  /// True while the effect plays.
  bool isPlaying() const;

private:
  Sound(const Sound &) = delete;
  Sound &operator=(const Sound &) = delete;

  sf::Sound *p_sound;              ///< the player (owned); null without an audio device
  sf::SoundBuffer *p_sound_buffer; ///< the decoded samples (owned); null without audio
  std::string label;               ///< name for look-up
};

} // namespace ks

#endif
