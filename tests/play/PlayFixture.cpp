#include "PlayFixture.h"

#include <cstdio>
#include <unistd.h>

#include "Configuration.h"
#include "EventStep.h"
#include "GameLoaders.h"
#include "GameManager.h"
#include "GameStart.h"
#include "LogManager.h"
#include "Object.h"
#include "ResourceManager.h"
#include "TestSupport.h"
#include "WorldManager.h"

namespace play {

namespace {

/// Fixed so that every run plays out the same.
const int RANDOM_SEED = 20261206;

/// Stands in for the input manager: at the end of every step, after every other object has
/// handled the step event, it runs the script and delivers the input of the next step. Only
/// the frame's presentation and the sleep (both empty here) lie between the two.
class InputPhase : public ks::Object {
public:
  InputPhase(int init_max_steps, std::function<void(int)> init_script, Controls *p_init_controls)
      : max_steps(init_max_steps), script(std::move(init_script)), p_controls(p_init_controls) {
    setType("InputPhase");
    setSolidness(ks::SPECTRAL);
    registerInterest(ks::STEP_EVENT);
  }

  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() != ks::STEP_EVENT)
      return 0;
    ks::GameManager &gm = ks::GameManager::getInstance();
    if (gm.getGameOver())
      return 1; // the loop ends after this step: no more input
    int next = static_cast<const ks::EventStep *>(p_e)->getStepCount() + 1;
    if (next >= max_steps) {
      capped = true;
      gm.setGameOver(true);
      return 1;
    }
    script(next);
    p_controls->deliver();
    // Objects created since (monsters) registered after this one: stay last.
    unregisterInterest(ks::STEP_EVENT);
    registerInterest(ks::STEP_EVENT);
    return 1;
  }

  bool capped = false; ///< the cap, not the game, ended the loop

private:
  int max_steps;                   ///< steps before the cap ends the loop
  std::function<void(int)> script; ///< decides each step's input
  Controls *p_controls;            ///< the fixture's controls (not owned)
};

} // namespace

void PlayFixture::SetUp() {
  char dir[4096];
  ASSERT_NE(getcwd(dir, sizeof dir), nullptr);
  old_dir = dir;
  ks::Configuration::getInstance().setRandomSeed(RANDOM_SEED);
  // Started outside the run folder: its configuration file asks for a window.
  log = kstest::startHeadless("play.log");
  ASSERT_TRUE(ks::GameManager::getInstance().isStarted());
  ks::LogManager::getInstance().setLogLevel(5);
  ASSERT_EQ(chdir(KS_RUN_DIR), 0) << KS_RUN_DIR;

  // As the game's entry point does after start-up (the splash screens left out).
  ks::LogManager::getInstance().setFlush(true);
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  wm.setBoundary(
      ks::Box(ks::Vector(0, 0), static_cast<float>(MAP_WIDTH), static_cast<float>(MAP_HEIGHT)));
  // Headless there is no window to size the view: give it the window's character grid.
  ks::Configuration &config = ks::Configuration::getInstance();
  wm.setView(ks::Box(ks::Vector(0, 0), static_cast<float>(config.getWindowHorizontalChars()),
                     static_cast<float>(config.getWindowVerticalChars())));
  loadResources();
  ASSERT_EQ(loadMap(), 0);
  new GameStart;
  ks::Music *p_music = ks::ResourceManager::getInstance().getMusic("music");
  ASSERT_NE(p_music, nullptr);
  p_music->play(true);
}

void PlayFixture::TearDown() {
  ks::GameManager::getInstance().shutDown();
  if (!old_dir.empty()) {
    EXPECT_EQ(chdir(old_dir.c_str()), 0);
  }
  // Every drawn sprite writes a line headless: the logs are large, keep only failed ones.
  if (!HasFailure())
    std::remove(log.c_str());
}

int PlayFixture::play(int max_steps, const std::function<void(int)> &script) {
  InputPhase *p_input = new InputPhase(max_steps, script, &controls);
  ks::GameManager &gm = ks::GameManager::getInstance();
  gm.run();
  ended_by_game = !p_input->capped;
  ks::WorldManager::getInstance().markForDelete(p_input);
  return gm.getStepCount();
}

} // namespace play
