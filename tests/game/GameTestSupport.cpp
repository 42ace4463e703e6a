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
#include "TestSupport.h"
#include "WorldManager.h"

namespace gametest {

namespace {

/// Calls the test's script at every step event and ends the loop after the last step.
class Driver : public ks::Object {
public:
  Driver(int init_steps, std::function<void(int)> init_each)
      : steps(init_steps), each(std::move(init_each)) {
    setType("Driver");
    setSolidness(ks::SPECTRAL);
    registerInterest(ks::STEP_EVENT);
  }
  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() != ks::STEP_EVENT)
      return 0;
    int step = static_cast<const ks::EventStep *>(p_e)->getStepCount();
    if (each)
      each(step);
    if (step >= steps - 1) {
      ks::GameManager::getInstance().setGameOver(true);
      unregisterInterest(ks::STEP_EVENT);
      ks::WorldManager::getInstance().markForDelete(this);
    }
    return 1;
  }

private:
  int steps;                     ///< steps to run
  std::function<void(int)> each; ///< the script
};

} // namespace

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

int runSteps(int steps, const std::function<void(int)> &each) {
  Driver *p_driver = new Driver(steps, each);
  ks::GameManager &gm = ks::GameManager::getInstance();
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

ks::Object *findType(const std::string &type) {
  ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects(true);
  ks::ObjectListIterator li(&all);
  for (li.first(); !li.isDone(); li.next())
    if (li.currentObject()->getType() == type)
      return li.currentObject();
  return nullptr;
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
