// Helpers for the game's in-process tests: a headless engine with the game's sprites, input
// sent the way the input manager sends it, and runs of the real game loop.
#ifndef KS_GAME_TEST_SUPPORT_H
#define KS_GAME_TEST_SUPPORT_H

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "Object.h"
#include "Vector.h"

namespace gametest {

/// The game's data folder in the source tree (sprites/, map.csv).
std::string dataDir();

/// Runs `action` with the data folder as working directory (the loaders use relative paths).
void inDataDir(const std::function<void()> &action);

/// Sends a keyboard event to the objects registered for "ks::keyboard".
void sendKey(int key, int action);

/// Sends a mouse event to the objects registered for "ks::mouse".
void sendMouse(int action, int button, ks::Vector window_pos);

/// Runs the game loop for at most `steps` steps; `each`, if set, is called with the step count
/// at every step event (the place of the next step's input). Returns the steps run.
int runSteps(int steps, const std::function<void(int)> &each = {});

/// Number of objects of `type`, active and inactive.
int countType(const std::string &type);

/// A headless engine with a 300 x 50 world and the game's sprites loaded from the data folder
/// (no sounds or music: their lookups log "not found").
class GameTest : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  /// Whether SetUp loads the game's sprites.
  virtual bool loadsResources() const { return true; }
  std::string log; ///< the log file
};

} // namespace gametest

#endif
