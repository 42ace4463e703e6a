// The engine started and stopped as a whole, and the game loop.
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "Configuration.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "PathManager.h"
#include "RecordingObject.h"
#include "ResourceManager.h"
#include "TestSupport.h"
#include "WorldManager.h"

using Lines = std::vector<std::string>;

namespace {

/// Ends the game at its n-th step event.
class Ender : public kstest::RecordingObject {
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

/// Names of the managers under the game manager that are running.
Lines running() {
  Lines names;
  for (ks::Manager *p_m : std::vector<ks::Manager *>{
           &ks::GraphicsManager::getInstance(), &ks::InputManager::getInstance(),
           &ks::ResourceManager::getInstance(), &ks::WorldManager::getInstance(),
           &ks::PathManager::getInstance(), &ks::GameManager::getInstance()})
    if (p_m->isStarted())
      names.push_back(p_m->getType());
  return names;
}

class GameManagerTest : public testing::Test {
protected:
  void TearDown() override {
    if (game.isStarted() || ks::LogManager::getInstance().isStarted())
      game.shutDown();
    ks::LogManager::getInstance().setLogLevel(0);
    config.reset();
  }
  ks::GameManager &game = ks::GameManager::getInstance();
  ks::Configuration &config = ks::Configuration::getInstance();
};

TEST_F(GameManagerTest, StartsHeadlessWithBannerAndSummaryAndStopsCleanlyTwice) {
  Lines logs[2];
  for (Lines &messages : logs) {
    std::string log = kstest::scratchPath("log");
    ks::LogManager::getInstance().setLogLevel(0); // as a fresh process has it
    // Settings given by the program override the (absent) file's.
    config.setOverrides("headless:true,frame_time:0,log_level:1,logfile:" + log);
    ASSERT_EQ(game.startUp(), 0);
    EXPECT_EQ(running(), (Lines{"ResourceManager", "WorldManager", "PathManager", "GameManager"}));
    EXPECT_EQ(ks::WorldManager::getInstance().getViewSlack(), ks::Vector(1.0f / 3, 1.0f / 3));
    game.shutDown();
    EXPECT_EQ(running(), Lines{});
    EXPECT_FALSE(ks::LogManager::getInstance().isStarted());
    messages = kstest::logMessages(log);
  }
  EXPECT_EQ(logs[1], logs[0]);
  Lines &messages = logs[0];
  ASSERT_GE(messages.size(), 4u);
  EXPECT_EQ(messages[0], "****************************************************");
  EXPECT_EQ(messages[1], "** Kestle version 4.2 **");
  for (const char *line :
       {"Log Manager started.", "  Frame time: 0", "  Log level: 1",
        "Headless mode enabled:", "--> Not starting GraphicsManager or InputManager.",
        "Path manager started.", "** Game stopped **"})
    EXPECT_EQ(std::count(messages.begin(), messages.end(), line), 1) << line;
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "Graphics manager started."), 0);
  EXPECT_EQ(messages.back(), "LogManager::shutDown(): successfully stopped.");
  // The only warnings: the managers a headless run never started.
  Lines warnings;
  for (const std::string &line : messages)
    if (line.find("Warning") != std::string::npos || line.find("Error") != std::string::npos)
      warnings.push_back(line);
  EXPECT_EQ(warnings, (Lines{"Manager::shutDown(): Warning! InputManager not started.",
                             "Manager::shutDown(): Warning! GraphicsManager not started."}));
}

TEST_F(GameManagerTest, RunEndsAfterTheStepThatSetGameOverAndStartsAgainAtStepZero) {
  std::string log = kstest::startHeadless("log");
  Ender *p_ender = new Ender(5);
  game.run();
  EXPECT_EQ(game.getStepCount(), 5);
  EXPECT_EQ(p_ender->steps, (std::vector<int>{0, 1, 2, 3, 4}));
  p_ender->end_at = 8;
  game.run();
  EXPECT_EQ(game.getStepCount(), 3);
  EXPECT_EQ(p_ender->steps.back(), 2);
  EXPECT_EQ(kstest::logCount(log, "GraphicsManager not started!"), 8); // once a headless step
  EXPECT_FALSE(kstest::logContains(log, "Can't keep up!")); // frame time 0 overruns silently
}

TEST_F(GameManagerTest, ASeedRepeatsTheRandomSequenceAndASlowStepIsReported) {
  std::string log = kstest::scratchPath("log");
  config.setOverrides("headless:true,frame_time:2,random_seed:1234,logfile:" + log);
  ks::LogManager::getInstance().setFlush(true);
  ASSERT_EQ(game.startUp(), 0);
  int first = rand();
  srand(1234);
  EXPECT_EQ(rand(), first);
  Ender *p_slow = new Ender(3);
  p_slow->on_event = [](const ks::Event *) { usleep(6000); };
  game.run();
  EXPECT_TRUE(
      kstest::logContains(log, "GameManager::run(): Can't keep up! frame_time 2 ms, split "));
}

TEST_F(GameManagerTest, AFailedStartUpStopsWhatItStartedAndTheNextOneWorks) {
  // Started by hand, the path manager, last to start, refuses the game manager.
  ks::PathManager::getInstance().startUp();
  std::string log = kstest::startHeadless("log");
  EXPECT_EQ(running(), Lines{});
  Lines messages = kstest::logMessages(log);
  ASSERT_GE(messages.size(), 2u);
  // The failing manager's line and the game manager's, nothing after them.
  EXPECT_EQ(messages[messages.size() - 2],
            "PathManager::startup(): Warning! PathManager already started.");
  EXPECT_EQ(messages.back(), "Error starting path manager!");
  // The log stays open for the caller's own line until shutDown().
  EXPECT_TRUE(ks::LogManager::getInstance().isStarted());
  game.shutDown();
  EXPECT_FALSE(ks::LogManager::getInstance().isStarted());
  kstest::startHeadless("again");
  EXPECT_TRUE(game.isStarted());
}

} // namespace
