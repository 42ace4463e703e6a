#include <string>

#include <gtest/gtest.h>

#include "Event.h"
#include "LogManager.h"
#include "Manager.h"
#include "TestSupport.h"

namespace {

// The base manager as it stands: accepts no event types.
class PlainManager : public ks::Manager {};

class ManagerTest : public testing::Test {
protected:
  void SetUp() override { log_path = kstest::startLog("log"); }
  void TearDown() override {
    ks::LogManager::getInstance().setLogLevel(0);
    ks::LogManager::getInstance().shutDown();
  }
  std::string log_path;
};

TEST_F(ManagerTest, StartsStoppedNamedManager) {
  PlainManager m;
  EXPECT_EQ(m.getType(), "Manager");
  EXPECT_FALSE(m.isStarted());
  EXPECT_EQ(ks::LogManager::getInstance().getType(), "LogManager");
}

TEST_F(ManagerTest, StartAndStop) {
  PlainManager m;
  EXPECT_EQ(m.startUp(), 0);
  EXPECT_TRUE(m.isStarted());
  m.shutDown();
  EXPECT_FALSE(m.isStarted());
  EXPECT_TRUE(kstest::logMessages(log_path).empty());
}

TEST_F(ManagerTest, StartTwiceAndStopTwiceWarnAtLevelOne) {
  ks::LogManager::getInstance().setLogLevel(1);
  PlainManager m;
  m.startUp();
  EXPECT_EQ(m.startUp(), 0);
  EXPECT_TRUE(m.isStarted());
  m.shutDown();
  m.shutDown();
  EXPECT_FALSE(m.isStarted());
  EXPECT_EQ(kstest::logMessages(log_path),
            (std::vector<std::string>{"Manager::startUp(): Warning! Manager already started.",
                                      "Manager::shutDown(): Warning! Manager not started."}));
}

TEST_F(ManagerTest, WarningsSilentAtDefaultLevel) {
  PlainManager m;
  m.shutDown();
  m.startUp();
  m.startUp();
  EXPECT_TRUE(kstest::logMessages(log_path).empty());
}

TEST_F(ManagerTest, BaseAndLogManagerAcceptNoInterest) {
  PlainManager m;
  EXPECT_FALSE(m.isValid("ks::step"));
  EXPECT_EQ(m.registerInterest(nullptr, "ks::step"), -1);
  EXPECT_EQ(m.registerInterest(nullptr, "custom"), -1);
  EXPECT_EQ(ks::LogManager::getInstance().registerInterest(nullptr, "ks::keyboard"), -1);
  EXPECT_EQ(kstest::logMessages(log_path),
            (std::vector<std::string>{
                "Manager(Manager)::registerInterest(): Event 'ks::step' not valid for this Manager",
                "Manager(Manager)::registerInterest(): Event 'custom' not valid for this Manager",
                "Manager(LogManager)::registerInterest(): Event 'ks::keyboard' not valid for this "
                "Manager"}));
}

TEST_F(ManagerTest, UnregisterWithoutInterestFailsSilently) {
  PlainManager m;
  EXPECT_EQ(m.unregisterInterest(nullptr, "ks::step"), -1);
  EXPECT_TRUE(kstest::logMessages(log_path).empty());
}

TEST_F(ManagerTest, UndefinedEventWarnsAndReachesNobody) {
  PlainManager m;
  ks::Event event;
  EXPECT_EQ(m.onEvent(&event), 0);
  EXPECT_TRUE(kstest::logMessages(log_path).empty());
  ks::LogManager::getInstance().setLogLevel(1);
  EXPECT_EQ(m.onEvent(&event), 0);
  EXPECT_EQ(ks::LogManager::getInstance().onEvent(&event), 0);
  EXPECT_EQ(kstest::logMessages(log_path),
            (std::vector<std::string>{"Manager::onEvent(): Warning! Event type is undefined.",
                                      "LogManager::onEvent(): Warning! Event type is undefined."}));
}

} // namespace
