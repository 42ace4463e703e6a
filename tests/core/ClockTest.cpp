#include <gtest/gtest.h>

#include "Clock.h"
#include "Platform.h"

TEST(Clock, SplitMeasuresSleepWithoutRestarting) {
  ks::Clock clock;
  ks::sleepMilliseconds(5);
  int first = clock.split();
  EXPECT_GE(first, 5000);
  EXPECT_GE(clock.split(), first);
}
