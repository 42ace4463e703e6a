// The loop's stopwatch, the sleep, and the small conversions used in logs and views.
#include <chrono>
#include <climits>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "Clock.h"
#include "Platform.h"
#include "WorldManager.h"
#include "utility.h"

TEST(Clock, MeasuresSleepsOnTheMonotonicClock) {
  // Not the wall clock: setting the time of day or crossing an hour can't make it jump.
  auto steady = [] {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  };
  long long before = steady(), now = ks::monotonicMicroseconds(), after = steady();
  EXPECT_LE(before, now);
  EXPECT_LE(now, after);
  ks::Clock clock;
  ks::sleepMilliseconds(0);
  ks::sleepMilliseconds(-5);
  ks::sleepMilliseconds(5);
  int first = clock.split();
  EXPECT_GE(first, 5000);
  EXPECT_GE(clock.delta(), first);
  EXPECT_LT(clock.split(), first); // delta() restarted it
  ks::sleepMilliseconds(1);
  EXPECT_GE(clock.split(), 1000);
}

TEST(Clock, DifferencesStayInIntRange) {
  long long day = 86400LL * 1000000LL; // readings far beyond int range, as after days of uptime
  const struct {
    long long earlier, later;
    int expected;
  } cases[] = {{0, 0, 0},
               {1000, 4500, 3500},
               {100 * day, 100 * day + 33000, 33000},
               {0, INT_MAX, INT_MAX},
               {5 * day, 5 * day + 3600LL * 1000000LL, INT_MAX}, // an hour: long, never negative
               {10, 5, 0}};
  for (const auto &c : cases)
    EXPECT_EQ(ks::Clock::difference(c.earlier, c.later), c.expected) << c.earlier << " " << c.later;
}

TEST(Utility, TextOfTimesNumbersCharactersAndBooleans) {
  std::string time = ks::getTimeString();
  ASSERT_TRUE(std::regex_match(time, std::regex("([01][0-9]|2[0-3]):[0-5][0-9]:[0-6][0-9]")))
      << time;
  const std::pair<std::string, std::string> cases[] = {{ks::toString(-12), "-12"},
                                                       {ks::toString(2147483647), "2147483647"},
                                                       {ks::toString(0.5f), "0.5"},
                                                       {ks::toString(-3.0f), "-3"},
                                                       {ks::toString(1.0f / 3), "0.333333"},
                                                       {ks::toString(1e10f), "1e+10"},
                                                       {ks::toString(0.00001f), "1e-05"},
                                                       {ks::toString('#'), "#"},
                                                       {ks::toString('\0'), "0"},
                                                       {ks::boolToString(true), "true"},
                                                       {ks::boolToString(false), "false"}};
  for (const auto &[text, expected] : cases)
    EXPECT_EQ(text, expected);
}

TEST(Utility, WorldToViewSubtractsTheViewCorner) {
  ks::WorldManager &world_manager = ks::WorldManager::getInstance();
  ks::Box old_view = world_manager.getView();
  world_manager.setView(ks::Box(ks::Vector(10, 5), 80, 24));
  EXPECT_EQ(ks::worldToView(ks::Vector(12, 7)), ks::Vector(2, 2));
  EXPECT_EQ(ks::worldToView(ks::Vector(0, 0)), ks::Vector(-10, -5));
  world_manager.setView(old_view);
}
