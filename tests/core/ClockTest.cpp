#include <climits>
#include <ctime>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "Box.h"
#include "Clock.h"
#include "Platform.h"
#include "WorldManager.h"
#include "utility.h"

TEST(Clock, SplitMeasuresSleepWithoutRestarting) {
  ks::Clock clock;
  ks::sleepMilliseconds(5);
  int first = clock.split();
  EXPECT_GE(first, 5000);
  EXPECT_GE(clock.split(), first);
}

TEST(Clock, DeltaRestarts) {
  ks::Clock clock;
  ks::sleepMilliseconds(20);
  int first = clock.delta();
  EXPECT_GE(first, 20000);
  // Right after a restart far less than the sleep has passed.
  EXPECT_LT(clock.split(), first);
  EXPECT_GE(clock.split(), 0);
}

TEST(Clock, ReadingsNeverGoBackwards) {
  ks::Clock clock;
  long long previous = ks::monotonicMicroseconds();
  int last_split = 0;
  for (int i = 0; i < 100000; i++) {
    long long now = ks::monotonicMicroseconds();
    ASSERT_GE(now, previous);
    previous = now;
    int split = clock.split();
    ASSERT_GE(split, last_split);
    last_split = split;
  }
  EXPECT_GE(clock.delta(), 0);
  EXPECT_GE(clock.delta(), 0);
}

TEST(Clock, ReadsTheMonotonicClock) {
  // Not the wall clock: setting the time of day or crossing an hour can't make it jump.
  timespec before{}, after{};
  clock_gettime(CLOCK_MONOTONIC, &before);
  long long now = ks::monotonicMicroseconds();
  clock_gettime(CLOCK_MONOTONIC, &after);
  EXPECT_GE(now, before.tv_sec * 1000000LL + before.tv_nsec / 1000);
  EXPECT_LE(now, after.tv_sec * 1000000LL + after.tv_nsec / 1000);
}

TEST(Clock, DifferencesAcrossAnyRangeStayInIntRange) {
  EXPECT_EQ(ks::Clock::difference(0, 0), 0);
  EXPECT_EQ(ks::Clock::difference(1000, 4500), 3500);
  // Readings far beyond int range, as after days of uptime.
  long long day = 86400LL * 1000000LL;
  EXPECT_EQ(ks::Clock::difference(100 * day, 100 * day + 33000), 33000);
  EXPECT_EQ(ks::Clock::difference(0, INT_MAX), INT_MAX);
  // A stopwatch left for an hour reads very long, never negative.
  EXPECT_EQ(ks::Clock::difference(5 * day, 5 * day + 3600LL * 1000000LL), INT_MAX);
  EXPECT_EQ(ks::Clock::difference(10, 5), 0);
}

TEST(Clock, SleepOfZeroOrLessReturns) {
  ks::Clock clock;
  ks::sleepMilliseconds(0);
  ks::sleepMilliseconds(-5);
  ks::sleepMilliseconds(1);
  EXPECT_GE(clock.split(), 1000);
}

TEST(Clock, TimerResolutionCalls) {
  EXPECT_EQ(ks::beginTimerResolution(), 0);
  EXPECT_EQ(ks::endTimerResolution(), 0);
}

TEST(Utility, TimeStringIsTimeOfDay) {
  std::string s = ks::getTimeString();
  ASSERT_TRUE(std::regex_match(s, std::regex("\\d\\d:\\d\\d:\\d\\d"))) << s;
  EXPECT_LE(std::stoi(s.substr(0, 2)), 23);
  EXPECT_LE(std::stoi(s.substr(3, 2)), 59);
  EXPECT_LE(std::stoi(s.substr(6, 2)), 60);
  // One static buffer.
  EXPECT_EQ(ks::getTimeString(), ks::getTimeString());
}

TEST(Utility, NumbersToText) {
  EXPECT_EQ(ks::toString(-12), "-12");
  EXPECT_EQ(ks::toString(0), "0");
  EXPECT_EQ(ks::toString(2147483647), "2147483647");
  EXPECT_EQ(ks::toString(0.5f), "0.5");
  EXPECT_EQ(ks::toString(-3.0f), "-3");
  EXPECT_EQ(ks::toString(1.0f / 3.0f), "0.333333");
  EXPECT_EQ(ks::toString(1e10f), "1e+10");
  EXPECT_EQ(ks::toString(0.0001f), "0.0001");
  EXPECT_EQ(ks::toString(0.00001f), "1e-05");
}

TEST(Utility, CharactersAndBooleansToText) {
  EXPECT_EQ(ks::toString('a'), "a");
  EXPECT_EQ(ks::toString('#'), "#");
  EXPECT_EQ(ks::toString('\0'), "0");
  EXPECT_EQ(ks::toString('\0').size(), 1u);
  EXPECT_EQ(ks::boolToString(true), "true");
  EXPECT_EQ(ks::boolToString(false), "false");
}

TEST(Utility, WorldToViewSubtractsViewCorner) {
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  wm.setView(ks::Box(ks::Vector(10, 5), 80, 24));
  EXPECT_EQ(ks::worldToView(ks::Vector(12, 7)), ks::Vector(2, 2));
  EXPECT_EQ(ks::worldToView(ks::Vector(0, 0)), ks::Vector(-10, -5));
  wm.setView(ks::Box(ks::Vector(0, 0), 80, 24));
  EXPECT_EQ(ks::worldToView(ks::Vector(12, 7)), ks::Vector(12, 7));
}
