// The game started as its entry point starts it, in the run folder, driven by scripted input.
#ifndef KS_PLAY_FIXTURE_H
#define KS_PLAY_FIXTURE_H

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "Controls.h"

namespace play {

/// A headless engine (frame time 0, fixed random seed, log level 5) in the run folder with the
/// game's real resources and level, the start screen up, the music "music" playing and the
/// window's 80 x 24 view. The log is removed after a test that passed.
class PlayFixture : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  /// Runs the game loop until the game ends it or until `max_steps` steps have run (then the
  /// cap ends it). `script` is called at the input phase of every step after the first, with
  /// the step's number; then `controls` delivers that step's input. Returns the steps run.
  int play(int max_steps, const std::function<void(int)> &script);

  /// True if the last play() ended because the game set game over, not because of the cap.
  bool endedByGame() const { return ended_by_game; }

  Controls controls; ///< the keyboard and mouse
  std::string log;   ///< the log file

private:
  std::string old_dir;        ///< working directory before the test
  bool ended_by_game = false; ///< see endedByGame()
};

} // namespace play

#endif
