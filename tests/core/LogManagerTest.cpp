// The log: its line prefixes and levels, its file, and where lines go when there is none.
#include <cstdio>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "Configuration.h"
#include "GameManager.h"
#include "LogManager.h"
#include "TestSupport.h"

using Lines = std::vector<std::string>;

namespace {

// Every test leaves the log manager as a fresh process has it: stopped, level 0, no flushing.
class LogManagerTest : public testing::Test {
protected:
  void TearDown() override {
    if (lm.isStarted())
      lm.shutDown();
    lm.setLogLevel(0);
    lm.setFlush(false);
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

TEST_F(LogManagerTest, LinesCarryTheTimeAndTheStepAndLevelsUpToTheLogLevelPass) {
  std::string path = kstest::startLog("log");
  EXPECT_EQ(lm.writeLog("hello %d", 42), 8);
  EXPECT_EQ(lm.writeLog(1, "level one at zero"), 0);
  lm.setLogLevel(5);
  for (int level = 1; level <= 6; level++)
    EXPECT_EQ(lm.writeLog(level, "level %d", level), level <= 5 ? 7 : 0);
  lm.writeLog("%s", "100% %d %s"); // arguments are never formats
  Lines lines = kstest::readLines(path);
  Lines messages = {"hello 42", "level 1", "level 2",   "level 3",
                    "level 4",  "level 5", "100% %d %s"};
  ASSERT_EQ(lines.size(), messages.size());
  for (size_t i = 0; i < lines.size(); i++)
    EXPECT_TRUE(std::regex_match(lines[i], std::regex(time + step() + messages[i]))) << lines[i];
}

TEST_F(LogManagerTest, TheFileIsTruncatedKeptCurrentAndLeftForStandardError) {
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
  std::string expected = "LogManager::startup(): Warning! Unable to open file '" + path + "'.\n\n";
  EXPECT_EQ(err.substr(err.size() - std::min(err.size(), expected.size())), expected);
  // /dev/full accepts the open but refuses every write.
  ks::Configuration::getInstance().setLogFile("/dev/full");
  ASSERT_EQ(lm.startUp(), 0);
  EXPECT_EQ(lm.writeLog("lost"), -1);
}

} // namespace
