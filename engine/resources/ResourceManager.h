#ifndef KS_RESOURCE_MANAGER_H
#define KS_RESOURCE_MANAGER_H

#include <istream>
#include <string>

#include "Frame.h"
#include "Manager.h"
#include "Music.h"
#include "Sound.h"
#include "Sprite.h"

namespace ks {

/// Most sprites loaded at once.
const int MAX_SPRITES = 1000;
/// Most sound effects loaded at once.
const int MAX_SOUNDS = 128;
/// Most music streams loaded at once.
const int MAX_MUSICS = 128;

/// Loads sprites, sound effects and music under labels and finds them again.
class ResourceManager : public Manager {
public:
  /// The one resource manager, created on first use.
  static ResourceManager &getInstance();

  /// Releases the sounds, the music and any sprites still loaded.
  ~ResourceManager() override;

  /// Empties the tables and checks for an audio device. 0.
  int startUp() override;

  /// Deletes the sprites, stops sounds and music.
  void shutDown() override;

  /// Loads the sprite file `filename` under `label`. 0, or -1 (with the line that failed).
  int loadSprite(std::string filename, std::string label);
  /// The first sprite loaded under `label` (owned by the manager), or null.
  Sprite *getSprite(std::string label) const;

  /// Loads a sound effect under `label`. 0, or -1.
  int loadSound(std::string filename, std::string label);
  /// The first sound loaded under `label` (owned by the manager), or null.
  Sound *getSound(std::string label);

  /// Opens a music stream under `label`. 0, or -1.
  int loadMusic(std::string filename, std::string label);
  /// The first music loaded under `label` (owned by the manager), or null.
  Music *getMusic(std::string label);

  /// True if an audio device opened at start-up; without one nothing plays.
  bool hasAudio() const;

  /// The number of a header line "tag value", or -1. Advances `*p_line_number`.
  static int readLineInt(std::istream &in, int *p_line_number, const char *tag);
  /// The text value of a header line "tag value", or "". Advances `*p_line_number`.
  static std::string readLineStr(std::istream &in, int *p_line_number, const char *tag);
  /// One frame and its "end" line, or the empty frame. Advances `*p_line_number`.
  static Frame readFrame(std::istream &in, int *p_line_number, int width, int height);

private:
  ResourceManager();
  int readHeader(std::istream &in, int *p_line_number, int *p_frames, int *p_width, int *p_height,
                 std::string *p_color) const;
  int readFrames(std::istream &in, int *p_line_number, Sprite *p_s, int frames) const;

  Sprite *p_sprite[MAX_SPRITES]; ///< loaded sprites (owned); entries < sprite_count in use
  int sprite_count;              ///< 0 <= sprite_count <= MAX_SPRITES
  Sound sound[MAX_SOUNDS];       ///< sound effects; entries < sound_count in use
  int sound_count;               ///< 0 <= sound_count <= MAX_SOUNDS
  Music music[MAX_MUSICS];       ///< music streams; entries < music_count in use
  int music_count;               ///< 0 <= music_count <= MAX_MUSICS
  bool audio;                    ///< an audio device opened at start-up
};

} // namespace ks

#endif
