#include "GameTestSupport.h"

#include <unistd.h>

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "EventStep.h"
#include "GameLoaders.h"
#include "GameManager.h"
#include "InputManager.h"
#include "ObjectList.h"
#include "ObjectListIterator.h"
#include "RecordingObject.h"
#include "TestSupport.h"
#include "WorldManager.h"

namespace gametest {

std::string dataDir() {
  return KS_GAME_DATA_DIR;
}

void inDataDir(const std::function<void()> &action) {
  char old[4096];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(KS_GAME_DATA_DIR), 0);
  action();
  ASSERT_EQ(chdir(old), 0);
}

void sendKey(int key, int action) {
  ks::EventKeyboard e;
  e.setKey(key);
  e.setKeyboardAction(action);
  ks::InputManager::getInstance().onEvent(&e);
}

void sendMouse(int action, int button, ks::Vector window_pos) {
  ks::EventMouse e;
  e.setMouseAction(action);
  e.setMouseButton(button);
  e.setMousePosition(window_pos);
  ks::InputManager::getInstance().onEvent(&e);
}

// A spectral object calls the script at every step event and ends the loop after the last step.
int runSteps(int steps, const std::function<void(int)> &each) {
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

int countType(const std::string &type) {
  int n = 0;
  ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects(true);
  ks::ObjectListIterator li(&all);
  for (li.first(); !li.isDone(); li.next())
    n += li.currentObject()->getType() == type;
  return n;
}

void GameTest::SetUp() {
  log = kstest::startHeadless("log");
  ks::WorldManager::getInstance().setBoundary(
      ks::Box(ks::Vector(0, 0), static_cast<float>(MAP_WIDTH), static_cast<float>(MAP_HEIGHT)));
  if (loadsResources())
    inDataDir([] { loadResources(); });
}

void GameTest::TearDown() {
  ks::GameManager::getInstance().shutDown();
}

} // namespace gametest
