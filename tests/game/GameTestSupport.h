// The game's in-process tests: a headless engine with the game's sprites, input sent the way the
// input manager sends it, and runs of the real game loop.
#ifndef KS_GAME_TEST_SUPPORT_H
#define KS_GAME_TEST_SUPPORT_H

#include <functional>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameLoaders.h"
#include "GameManager.h"
#include "InputManager.h"
#include "ObjectList.h"
#include "ObjectListIterator.h"
#include "RecordingObject.h"
#include "TestSupport.h"
#include "WorldManager.h"

namespace gametest {

/// Runs `action` in the game's data folder (the loaders use relative paths).
inline void inDataDir(const std::function<void()> &action) {
  char old[4096];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(KS_GAME_DATA_DIR), 0);
  action();
  ASSERT_EQ(chdir(old), 0);
}

inline void sendKey(int key, int action) {
  ks::EventKeyboard e;
  e.setKey(key);
  e.setKeyboardAction(action);
  ks::InputManager::getInstance().onEvent(&e);
}

inline void sendMouse(int action, int button, ks::Vector window_pos) {
  ks::EventMouse e;
  e.setMouseAction(action);
  e.setMouseButton(button);
  e.setMousePosition(window_pos);
  ks::InputManager::getInstance().onEvent(&e);
}

/// Runs the game loop for at most `steps` steps; `each`, if set, is called with the step count
/// at every step event (the place of the next step's input). Returns the steps run.
inline int runSteps(int steps, const std::function<void(int)> &each = {}) {
  ks::GameManager &gm = ks::GameManager::getInstance();
  auto *p_driver = new kstest::RecordingObject("Driver");
  p_driver->setSolidness(ks::SPECTRAL);
  p_driver->registerInterest(ks::STEP_EVENT);
  p_driver->on_event = [p_driver, steps, each, &gm](const ks::Event *) {
    if (each)
      each(gm.getStepCount());
    if (gm.getStepCount() >= steps - 1) {
      gm.setGameOver(true);
      p_driver->unregisterInterest(ks::STEP_EVENT);
      ks::WorldManager::getInstance().markForDelete(p_driver);
    }
  };
  gm.run();
  // The game may have ended the loop first; the driver must not end a later run.
  if (gm.getStepCount() < steps)
    ks::WorldManager::getInstance().markForDelete(p_driver);
  return gm.getStepCount();
}

/// Number of objects of `type`, active and inactive.
inline int countType(const std::string &type) {
  int n = 0;
  ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects(true);
  ks::ObjectListIterator li(&all);
  for (li.first(); !li.isDone(); li.next())
    n += li.currentObject()->getType() == type;
  return n;
}

/// A headless engine with a 300 x 50 world and the game's sprites loaded from the data folder
/// (no sounds or music: their lookups log "not found").
class GameTest : public testing::Test {
protected:
  void SetUp() override {
    log = kstest::startHeadless("log");
    ks::WorldManager::getInstance().setBoundary(
        ks::Box(ks::Vector(0, 0), static_cast<float>(MAP_WIDTH), static_cast<float>(MAP_HEIGHT)));
    if (loadsResources())
      inDataDir([] { loadResources(); });
  }
  void TearDown() override { ks::GameManager::getInstance().shutDown(); }
  /// Whether SetUp loads the game's sprites.
  virtual bool loadsResources() const { return true; }
  std::string log; ///< the log file
};

} // namespace gametest

#endif
