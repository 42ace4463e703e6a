#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "Configuration.h"
#include "LogManager.h"
#include "TestSupport.h"

namespace {

// Every test leaves the log manager as it found a fresh process: stopped, level 0, prefixes on.
class LogManagerTest : public testing::Test {
protected:
  void TearDown() override {
    ks::LogManager &lm = ks::LogManager::getInstance();
    if (lm.isStarted())
      lm.shutDown();
    lm.setLogLevel(0);
    lm.setFlush(false);
    lm.setLogTimeString(true);
    lm.setLogStepCount(true);
  }
};

TEST_F(LogManagerTest, LineHasTimeAndFourColumnStepPrefix) {
  std::string path = kstest::startLog("log");
  ks::LogManager &lm = ks::LogManager::getInstance();
  EXPECT_EQ(lm.writeLog("hello %d", 42), 8);
  std::vector<std::string> lines = kstest::readLines(path);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(
      std::regex_match(lines[0], std::regex("[0-2][0-9]:[0-5][0-9]:[0-6][0-9]    0 hello 42")))
      << lines[0];
}

TEST_F(LogManagerTest, PrefixesCanBeSwitchedOff) {
  std::string path = kstest::startLog("log");
  ks::LogManager &lm = ks::LogManager::getInstance();
  lm.setLogTimeString(false);
  lm.writeLog("no time");
  lm.setLogStepCount(false);
  lm.writeLog("bare");
  lm.setLogTimeString(true);
  lm.writeLog("time only");
  std::vector<std::string> lines = kstest::readLines(path);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "   0 no time");
  EXPECT_EQ(lines[1], "bare");
  EXPECT_TRUE(std::regex_match(lines[2], std::regex("\\d\\d:\\d\\d:\\d\\d time only"))) << lines[2];
}

TEST_F(LogManagerTest, StartUpTruncatesAndFlushKeepsFileCurrent) {
  std::string path = kstest::scratchPath("log");
  kstest::writeFile(path, "old content\n");
  ks::Configuration::getInstance().setLogFile(path);
  ks::LogManager &lm = ks::LogManager::getInstance();
  lm.setFlush(true);
  ASSERT_EQ(lm.startUp(), 0);
  EXPECT_EQ(kstest::readFile(path), "");
  lm.writeLog("first");
  // Read back while the file is still open: each line must already be on disk.
  EXPECT_EQ(kstest::logMessages(path), std::vector<std::string>{"first"});
  lm.writeLog("second");
  EXPECT_EQ(kstest::logMessages(path), (std::vector<std::string>{"first", "second"}));
}

TEST_F(LogManagerTest, LevelFiltering) {
  std::string path = kstest::startLog("log");
  ks::LogManager &lm = ks::LogManager::getInstance();
  EXPECT_EQ(lm.getLogLevel(), 0);
  EXPECT_EQ(lm.writeLog(1, "level one at zero"), 0);
  lm.setLogLevel(5);
  EXPECT_EQ(lm.getLogLevel(), 5);
  for (int level = 1; level <= 5; level++)
    EXPECT_GT(lm.writeLog(level, "level %d", level), 0);
  EXPECT_EQ(lm.writeLog(6, "level six"), 0);
  EXPECT_EQ(lm.writeLog(10, "level ten"), 0);
  lm.writeLog("unlevelled");
  EXPECT_EQ(kstest::logMessages(path),
            (std::vector<std::string>{"level 1", "level 2", "level 3", "level 4", "level 5",
                                      "unlevelled"}));
}

TEST_F(LogManagerTest, StartAndStopMessagesAtLevelOne) {
  ks::LogManager &lm = ks::LogManager::getInstance();
  lm.setLogLevel(1);
  std::string path = kstest::startLog("log");
  lm.writeLog("between");
  lm.shutDown();
  EXPECT_EQ(kstest::logMessages(path),
            (std::vector<std::string>{"LogManager::startUp(): successfully started.", "between",
                                      "LogManager::shutDown(): successfully stopped."}));
}

TEST_F(LogManagerTest, StartedTwiceWarnsAndKeepsFileOpen) {
  std::string path = kstest::startLog("log");
  ks::LogManager &lm = ks::LogManager::getInstance();
  EXPECT_EQ(lm.startUp(), -1);
  EXPECT_TRUE(lm.isStarted());
  lm.writeLog("still here");
  EXPECT_EQ(kstest::logMessages(path),
            (std::vector<std::string>{"LogManager::startup(): Warning! LogManager already started.",
                                      "still here"}));
}

TEST_F(LogManagerTest, WritesToStandardErrorWhenNoFileIsOpen) {
  ks::LogManager &lm = ks::LogManager::getInstance();
  ASSERT_FALSE(lm.isStarted());
  testing::internal::CaptureStderr();
  int written = lm.writeLog("to stderr %s", "now");
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(written, 13);
  EXPECT_TRUE(std::regex_match(err, std::regex("\\d\\d:\\d\\d:\\d\\d    0 to stderr now\n")))
      << err;
}

TEST_F(LogManagerTest, WritesToStandardErrorAfterShutDown) {
  std::string path = kstest::startLog("log");
  ks::LogManager &lm = ks::LogManager::getInstance();
  lm.writeLog("in file");
  lm.shutDown();
  testing::internal::CaptureStderr();
  EXPECT_GT(lm.writeLog("after shutdown"), 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("after shutdown\n"), std::string::npos) << err;
  EXPECT_EQ(kstest::logMessages(path), std::vector<std::string>{"in file"});
}

TEST_F(LogManagerTest, MissingFolderFailsWithMessageAndEmptyLine) {
  std::string path = kstest::scratchPath("no-such-dir") + "/kestle.log";
  ks::Configuration::getInstance().setLogFile(path);
  ks::LogManager &lm = ks::LogManager::getInstance();
  testing::internal::CaptureStderr();
  int result = lm.startUp();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(result, -1);
  EXPECT_FALSE(lm.isStarted());
  std::string expected = "LogManager::startup(): Warning! Unable to open file '" + path + "'.\n\n";
  ASSERT_GE(err.size(), expected.size());
  EXPECT_EQ(err.substr(err.size() - expected.size()), expected) << err;
  EXPECT_TRUE(std::regex_match(err.substr(0, 14), std::regex("\\d\\d:\\d\\d:\\d\\d    0 ")));
}

TEST_F(LogManagerTest, ShutDownWhenNotStartedWarnsAtLevelOne) {
  ks::LogManager &lm = ks::LogManager::getInstance();
  lm.setLogLevel(1);
  testing::internal::CaptureStderr();
  lm.shutDown();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Manager::shutDown(): Warning! LogManager not started.\n"), std::string::npos)
      << err;
}

TEST_F(LogManagerTest, FailedFlushIsReported) {
  // /dev/full accepts the open but refuses every write.
  ks::Configuration::getInstance().setLogFile("/dev/full");
  ks::LogManager &lm = ks::LogManager::getInstance();
  ASSERT_EQ(lm.startUp(), 0);
  lm.setFlush(true);
  EXPECT_EQ(lm.writeLog("lost"), -1);
  EXPECT_EQ(lm.writeLog("lost again"), -1);
}

TEST_F(LogManagerTest, PercentSignsInArgumentsAreNotFormats) {
  std::string path = kstest::startLog("log");
  ks::LogManager::getInstance().writeLog("%s", "100% %d %s");
  EXPECT_EQ(kstest::logMessages(path), std::vector<std::string>{"100% %d %s"});
}

TEST_F(LogManagerTest, LogLevelStartsAtZero) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  // A fresh process, so no earlier test can have changed the level.
  EXPECT_EXIT(exit(ks::LogManager::getInstance().getLogLevel() == 0 ? 0 : 1),
              testing::ExitedWithCode(0), "");
}

} // namespace
