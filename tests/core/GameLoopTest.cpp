#include <algorithm>
#include <cstdlib>
#include <unistd.h>

#include <gtest/gtest.h>

#include "Configuration.h"
#include "GameManager.h"
#include "LogManager.h"
#include "RecordingObject.h"
#include "TestSupport.h"
#include "WorldManager.h"

using kstest::RecordingObject;

namespace {

/// Ends the game at its n-th step event.
class Ender : public RecordingObject {
public:
  explicit Ender(int n) : end_at(n) { registerInterest("ks::step"); }
  int eventHandler(const ks::Event *p_e) override {
    RecordingObject::eventHandler(p_e);
    if (count("ks::step") == end_at)
      ks::GameManager::getInstance().setGameOver(true);
    return 1;
  }
  int end_at;
};

class GameLoopTest : public testing::Test {
protected:
  void TearDown() override { ks::GameManager::getInstance().shutDown(); }
  ks::GameManager &game() { return ks::GameManager::getInstance(); }
};

TEST_F(GameLoopTest, HeadlessStartUpWritesTheBannerAndSizesNothing) {
  ks::Configuration::getInstance().setLogLevel(1);
  std::string log = kstest::startHeadless("log");
  ks::Configuration::getInstance().setLogLevel(0);
  ks::LogManager::getInstance().setLogLevel(0);
  ASSERT_TRUE(game().isStarted());
  std::vector<std::string> messages = kstest::logMessages(log);
  auto banner = std::find(messages.begin(), messages.end(),
                          "****************************************************");
  ASSERT_LT(banner + 1, messages.end());
  EXPECT_EQ(banner[1], "** Kestle version 4.2 **");
  EXPECT_TRUE(kstest::logContains(log, "Headless mode enabled:"));
  EXPECT_TRUE(kstest::logContains(log, "--> Not starting GraphicsManager or InputManager."));
  EXPECT_TRUE(kstest::logContains(log, "  Frame time: 0"));
  EXPECT_FALSE(kstest::logContains(log, "Graphics manager started."));
  EXPECT_EQ(ks::WorldManager::getInstance().getBoundary().getHorizontal(), 0);
}

TEST_F(GameLoopTest, RunEndsAfterTheStepInWhichGameOverWasSet) {
  kstest::startHeadless("log");
  Ender *p_ender = new Ender(5);
  game().run();
  EXPECT_EQ(game().getStepCount(), 5);
  EXPECT_EQ(p_ender->steps, (std::vector<int>{0, 1, 2, 3, 4}));
  // A second run starts again at step 0.
  p_ender->end_at = 8;
  game().run();
  EXPECT_EQ(game().getStepCount(), 3);
  EXPECT_EQ(p_ender->steps.back(), 2);
}

TEST_F(GameLoopTest, ZeroFrameTimeNeverWarnsAndHeadlessStepsSayTheGraphicsAreMissing) {
  std::string log = kstest::startHeadless("log");
  new Ender(3);
  game().run();
  EXPECT_FALSE(kstest::logContains(log, "Can't keep up!"));
  EXPECT_EQ(kstest::logCount(log, "GraphicsManager not started!"), 3);
}

TEST_F(GameLoopTest, AStepLongerThanTheFrameTimeIsReported) {
  std::string log = kstest::scratchPath("log");
  ks::Configuration &config = ks::Configuration::getInstance();
  config.setLogFile(log);
  config.setHeadless(true);
  config.setFrameTime(2);
  ks::LogManager::getInstance().setFlush(true);
  game().startUp();
  Ender *p_slow = new Ender(3);
  p_slow->on_event = [](const ks::Event *) { usleep(6000); };
  game().run();
  EXPECT_TRUE(
      kstest::logContains(log, "GameManager::run(): Can't keep up! frame_time 2 ms, split "));
}

TEST_F(GameLoopTest, AFixedSeedRepeatsTheRandomSequence) {
  ks::Configuration::getInstance().setRandomSeed(1234);
  kstest::startHeadless("log");
  int first = rand();
  srand(1234);
  EXPECT_EQ(rand(), first);
}

} // namespace
