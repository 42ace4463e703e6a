// The game's command line.
#ifndef GAME_OPTIONS_H
#define GAME_OPTIONS_H

#include <string>

/// What the command line asks for.
class GameOptions {
public:
  /// Reads the arguments of main(). 0, or -1 with the reason in `*p_error` ("" for --help).
  int parse(int argc, const char *const *argv, std::string *p_error);

  /// The engine settings the options set, in the configuration file's key:value form, to be
  /// applied over the file's.
  std::string getOverrides() const;
  /// Where to write the last frame as text when the game ends ("": nowhere).
  std::string getFinalFrame() const;

  /// How to call the game, for standard error.
  static const char *usage();

private:
  bool text = false;       ///< show frames as text, at full speed
  bool terminal = false;   ///< show frames in the terminal
  std::string record;      ///< file to record input to
  std::string replay;      ///< recording to replay
  std::string final_frame; ///< file for the last frame
  std::string frame_log;   ///< file for every frame
};

#endif
