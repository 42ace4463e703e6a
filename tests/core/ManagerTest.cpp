// The manager base and the log manager: start and stop warnings, the interest they refuse, and
// the log's line prefixes, levels, file and failures.
#include <cstdio>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "Configuration.h"
#include "Event.h"
#include "GameManager.h"
#include "LogManager.h"
#include "TestSupport.h"

using Lines = std::vector<std::string>;

namespace {

// Every test leaves the log manager as a fresh process has it: stopped, level 0, prefixes on.
class ManagerTest : public testing::Test {
protected:
  void TearDown() override {
    if (lm.isStarted())
      lm.shutDown();
    lm.setLogLevel(0);
    lm.setFlush(false);
    lm.setLogTimeString(true);
    lm.setLogStepCount(true);
    ks::Configuration::getInstance().reset();
  }

  /// The step prefix: the step count (0 in a fresh process, the last run's count after a game
  /// loop ran) in four columns and a blank.
  static std::string step() {
    char text[16];
    snprintf(text, sizeof text, "%4d ", ks::GameManager::getInstance().getStepCount());
    return text;
  }

  const std::string time = "\\d\\d:\\d\\d:\\d\\d "; // the time prefix, as a pattern
  ks::LogManager &lm = ks::LogManager::getInstance();
};

TEST_F(ManagerTest, WarnsAtLevelOneAndRefusesInterest) {
  class PlainManager : public ks::Manager {
  } manager;
  std::string log = kstest::startLog("log");
  manager.shutDown();
  manager.startUp();
  EXPECT_EQ(manager.startUp(), 0);
  EXPECT_TRUE(kstest::logMessages(log).empty());
  lm.setLogLevel(1);
  EXPECT_EQ(manager.startUp(), 0);
  manager.shutDown();
  EXPECT_FALSE(manager.isStarted());
  manager.shutDown();
  EXPECT_EQ(manager.registerInterest(nullptr, "ks::step"), -1);
  EXPECT_EQ(lm.registerInterest(nullptr, "ks::keyboard"), -1);
  EXPECT_EQ(manager.unregisterInterest(nullptr, "ks::step"), -1); // silently
  ks::Event undefined;                                            // reaches nobody, with a warning
  EXPECT_EQ(lm.onEvent(&undefined), 0);
  EXPECT_EQ(kstest::logMessages(log),
            (Lines{"Manager::startUp(): Warning! Manager already started.",
                   "Manager::shutDown(): Warning! Manager not started.",
                   "Manager(Manager)::registerInterest(): Event 'ks::step' not valid for this "
                   "Manager",
                   "Manager(LogManager)::registerInterest(): Event 'ks::keyboard' not valid for "
                   "this Manager",
                   "LogManager::onEvent(): Warning! Event type is undefined."}));
}

TEST_F(ManagerTest, LogLinesCarryPrefixesThatCanBeSwitchedOffAndLevelsUpToTheLogLevel) {
  std::string path = kstest::startLog("log");
  EXPECT_EQ(lm.writeLog("hello %d", 42), 8);
  EXPECT_EQ(lm.writeLog(1, "level one at zero"), 0);
  lm.setLogLevel(5);
  for (int level = 1; level <= 6; level++)
    EXPECT_EQ(lm.writeLog(level, "level %d", level), level <= 5 ? 7 : 0);
  EXPECT_EQ(lm.writeLog(10, "level ten"), 0);
  lm.setLogTimeString(false);
  lm.writeLog("%s", "100% %d %s"); // arguments are never formats
  lm.setLogStepCount(false);
  lm.writeLog("bare");
  lm.setLogTimeString(true);
  lm.writeLog("time only");
  Lines lines = kstest::readLines(path);
  Lines patterns = {time + step() + "hello 42", step() + "100% %d %s", "bare", time + "time only"};
  for (int level = 5; level >= 1; level--)
    patterns.insert(patterns.begin() + 1, time + step() + "level " + std::to_string(level));
  ASSERT_EQ(lines.size(), patterns.size());
  for (size_t i = 0; i < lines.size(); i++)
    EXPECT_TRUE(std::regex_match(lines[i], std::regex(patterns[i]))) << lines[i];
}

TEST_F(ManagerTest, TheLogFileIsTruncatedKeptCurrentAndLeftForStandardError) {
  std::string path = kstest::scratchPath("log");
  kstest::writeFile(path, "old content\n");
  ks::Configuration::getInstance().setLogFile(path);
  lm.setFlush(true);
  lm.setLogLevel(1);
  ASSERT_EQ(lm.startUp(), 0);
  lm.writeLog("first");
  // Read back while the file is open: each line must already be on disk.
  EXPECT_EQ(kstest::logMessages(path),
            (Lines{"LogManager::startUp(): successfully started.", "first"}));
  EXPECT_EQ(lm.startUp(), -1);
  EXPECT_TRUE(lm.isStarted());
  lm.shutDown();
  testing::internal::CaptureStderr();
  EXPECT_EQ(lm.writeLog("to stderr %s", "now"), 13);
  lm.shutDown();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(std::regex_match(
      err, std::regex(time + step() + "to stderr now\n" + time + step() +
                      "Manager::shutDown\\(\\): Warning! LogManager not started.\n" + time +
                      step() + "LogManager::shutDown\\(\\): successfully stopped.\n")))
      << err;
  EXPECT_EQ(kstest::logMessages(path),
            (Lines{"LogManager::startUp(): successfully started.", "first",
                   "LogManager::startup(): Warning! LogManager already started.",
                   "LogManager::shutDown(): successfully stopped."}));

  path = kstest::scratchPath("no-such-dir") + "/kestle.log";
  ks::Configuration::getInstance().setLogFile(path);
  testing::internal::CaptureStderr();
  EXPECT_EQ(lm.startUp(), -1);
  err = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(lm.isStarted());
  EXPECT_TRUE(std::regex_match(
      err, std::regex(time + step() + "LogManager::startup\\(\\): Warning! Unable to open file '" +
                      path + "'.\n\n")))
      << err;
  // /dev/full accepts the open but refuses every write.
  ks::Configuration::getInstance().setLogFile("/dev/full");
  ASSERT_EQ(lm.startUp(), 0);
  EXPECT_EQ(lm.writeLog("lost"), -1);
  EXPECT_EQ(lm.writeLog("lost again"), -1);
}

} // namespace
