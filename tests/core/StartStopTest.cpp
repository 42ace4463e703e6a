// The whole engine started and stopped more than once in one process, and a start-up that
// fails half way.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "PathManager.h"
#include "ResourceManager.h"
#include "TestSupport.h"
#include "WorldManager.h"

namespace {

/// Names of the managers under the game manager that are running.
std::vector<std::string> running() {
  std::vector<std::string> names;
  for (ks::Manager *p_m : std::vector<ks::Manager *>{
           &ks::GraphicsManager::getInstance(), &ks::InputManager::getInstance(),
           &ks::ResourceManager::getInstance(), &ks::WorldManager::getInstance(),
           &ks::PathManager::getInstance(), &ks::GameManager::getInstance()})
    if (p_m->isStarted())
      names.push_back(p_m->getType());
  return names;
}

TEST(StartStopTest, TheEngineStartsAndStopsTwiceWithTheSameCleanLog) {
  std::vector<std::string> logs[2];
  for (std::vector<std::string> &messages : logs) {
    std::string log = kstest::startHeadless("log");
    EXPECT_EQ(running(), (std::vector<std::string>{"ResourceManager", "WorldManager", "PathManager",
                                                   "GameManager"}));
    ks::GameManager::getInstance().shutDown();
    EXPECT_EQ(running(), std::vector<std::string>{});
    EXPECT_FALSE(ks::LogManager::getInstance().isStarted());
    messages = kstest::logMessages(log);
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[messages.size() - 2], "** Game stopped **");
  }
  EXPECT_EQ(logs[1], logs[0]);
  for (const std::string &line : logs[1]) {
    EXPECT_EQ(line.find("Error"), std::string::npos) << line;
    EXPECT_EQ(line.find("Warning"), std::string::npos) << line;
  }
}

TEST(StartStopTest, AFailedStartUpStopsWhatItStartedAndTheNextOneWorks) {
  // Started by hand, the path manager, last to start, refuses the game manager.
  ks::PathManager::getInstance().startUp();
  std::string log = kstest::startHeadless("log");
  EXPECT_EQ(running(), std::vector<std::string>{});
  std::vector<std::string> messages = kstest::logMessages(log);
  ASSERT_GE(messages.size(), 2u);
  // The failing manager's line and the game manager's, nothing after them.
  EXPECT_EQ(messages[messages.size() - 2],
            "PathManager::startup(): Warning! PathManager already started.");
  EXPECT_EQ(messages.back(), "Error starting path manager!");
  // The log stays open for the caller's own line until shutDown().
  EXPECT_TRUE(ks::LogManager::getInstance().isStarted());
  ks::GameManager::getInstance().shutDown();
  EXPECT_FALSE(ks::LogManager::getInstance().isStarted());

  kstest::startHeadless("again");
  EXPECT_TRUE(ks::GameManager::getInstance().isStarted());
  ks::GameManager::getInstance().shutDown();
}

} // namespace
