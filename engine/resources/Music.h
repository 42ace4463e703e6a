#ifndef KS_MUSIC_H
#define KS_MUSIC_H

#include <string>

namespace sf {
class Music;
} // namespace sf

namespace ks {

/// A music stream, read from its file while it plays.
class Music {
public:
  /// An empty slot labelled "[Undefined]".
  Music();
  /// Stops and releases the stream.
  ~Music();

  /// Opens the stream of `filename`. With `audio` false the file is only checked, nothing will
  /// play. 0, or -1 if the file can't be opened.
  int openMusic(std::string filename, bool audio);

  /// Name by which the music is found.
  void setLabel(std::string new_label);
  /// Name by which the music is found ("[Undefined]" for a free slot).
  std::string getLabel() const;

  /// Plays the stream, looping if `loop`. Nothing without an audio device.
  void play(bool loop = true);

  /// Stops the stream.
  void stop();

  /// True while the stream plays.
  bool isPlaying() const;

private:
  Music(const Music &) = delete;
  Music &operator=(const Music &) = delete;

  sf::Music *p_music; ///< the stream player (owned); null without an audio device
  std::string label;  ///< name for look-up
};

} // namespace ks

#endif
