// The engine started and stopped as a whole, and the game loop with its stopwatch.
#include <chrono>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Clock.h"
#include "Configuration.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "PathManager.h"
#include "Platform.h"
#include "RecordingObject.h"
#include "ResourceManager.h"
#include "TestSupport.h"
#include "WorldManager.h"

using Lines = std::vector<std::string>;

namespace {

/// Ends the game at its n-th step event; records its drawing among its events.
class Ender : public kstest::RecordingObject {
public:
  explicit Ender(int n) : end_at(n) { registerInterest("ks::step"); }
  int eventHandler(const ks::Event *p_e) override {
    RecordingObject::eventHandler(p_e);
    if (count("ks::step") == end_at)
      ks::GameManager::getInstance().setGameOver(true);
    return 1;
  }
  void draw() override { types.push_back("draw"); }
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
    config.setOverrides("headless:true,frame_time:0,log_level:1,logfile:" + log);
    ASSERT_EQ(game.startUp(), 0);
    EXPECT_EQ(running(), (Lines{"ResourceManager", "WorldManager", "PathManager", "GameManager"}));
    game.shutDown();
    EXPECT_EQ(running(), Lines{});
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
  EXPECT_EQ(messages.back(), "LogManager::shutDown(): successfully stopped.");
  // The only warnings: the managers a headless run never started.
  Lines warnings;
  for (const std::string &line : messages)
    if (line.find("Warning") != std::string::npos || line.find("Error") != std::string::npos)
      warnings.push_back(line);
  EXPECT_EQ(warnings, (Lines{"Manager::shutDown(): Warning! InputManager not started.",
                             "Manager::shutDown(): Warning! GraphicsManager not started."}));
}

TEST_F(GameManagerTest, AStepRunsSearchesThenMovesThenDrawsThenSendsTheStepEvent) {
  // One path ply a step, as while recording.
  config.setOverrides("record_file:" + kstest::scratchPath("record") + ",path_plies:1");
  std::string log = kstest::startHeadless("log");
  ks::WorldManager::getInstance().setBoundary(ks::Box(ks::Vector(0, 0), 10, 5));
  ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(0, 0), 10, 5));
  Ender *p_ender = new Ender(2);
  p_ender->setPosition(ks::Vector(1, 1));
  p_ender->setVelocity(ks::Vector(1, 0)); // into a wall at every step
  (new kstest::RecordingObject("Wall"))->setPosition(ks::Vector(2, 1));
  ks::PathManager::getInstance().findPath(p_ender, ks::Vector(1, 1)); // found, kept, every step
  game.run();
  EXPECT_EQ(game.getStepCount(), 2); // the loop ends after the step that set game over
  EXPECT_EQ(p_ender->types, (Lines{"ks::path", "ks::collision", "draw", "ks::step", "ks::path",
                                   "ks::collision", "draw", "ks::step"}));
  EXPECT_EQ(kstest::logCount(log, "GraphicsManager not started!"), 2); // no frame headless
  EXPECT_FALSE(kstest::logContains(log, "Can't keep up!")); // frame time 0 overruns silently
  p_ender->end_at = 5;
  game.run();
  EXPECT_EQ(game.getStepCount(), 3); // a new run starts again at step 0
  EXPECT_EQ(p_ender->steps.back(), 2);
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
  p_slow->on_event = [](const ks::Event *) { ks::sleepMilliseconds(6); };
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

TEST(Clock, MeasuresSleepsOnTheMonotonicClockInIntRange) {
  // Not the wall clock: setting the time of day or crossing an hour can't make it jump.
  auto steady = [] {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(now).count();
  };
  long long before = steady(), now = ks::monotonicMicroseconds(), after = steady();
  EXPECT_TRUE(before <= now && now <= after);
  ks::Clock clock;
  ks::sleepMilliseconds(-5);
  ks::sleepMilliseconds(20);
  int first = clock.split();
  EXPECT_GE(first, 20000);
  EXPECT_GE(clock.delta(), first);
  EXPECT_LT(clock.split(), first);     // delta() restarted it
  long long day = 86400LL * 1000000LL; // readings far beyond int range, as after days of uptime
  EXPECT_EQ(ks::Clock::difference(100 * day, 100 * day + 33000), 33000);
  EXPECT_EQ(ks::Clock::difference(5 * day, 6 * day), INT_MAX); // long, never negative
  EXPECT_EQ(ks::Clock::difference(10, 5), 0);
}

} // namespace
