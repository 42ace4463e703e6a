#include <gtest/gtest.h>

#include "Sprite.h"

TEST(Sprite, NewSpriteIsEmptyWhiteAndUnlabelled) {
  ks::Sprite sprite(3);
  EXPECT_EQ(0, sprite.getFrameCount());
  EXPECT_EQ(3, sprite.getMaxFrameCount());
  EXPECT_EQ(0, sprite.getWidth());
  EXPECT_EQ(0, sprite.getHeight());
  EXPECT_EQ(ks::WHITE, sprite.getColor());
  EXPECT_EQ("[Undefined]", sprite.getLabel());
}

TEST(Sprite, RefusesFramesPastItsCapacity) {
  ks::Sprite sprite(2);
  EXPECT_EQ(0, sprite.addFrame(ks::Frame(1, 1, "a")));
  EXPECT_EQ(0, sprite.addFrame(ks::Frame(1, 1, "b")));
  EXPECT_EQ(-1, sprite.addFrame(ks::Frame(1, 1, "c")));
  EXPECT_EQ(2, sprite.getFrameCount());
  EXPECT_EQ("a", sprite.getFrame(0).getString());
  EXPECT_EQ("b", sprite.getFrame(1).getString());
}

TEST(Sprite, OutOfRangeFrameIsTheEmptyFrame) {
  ks::Sprite sprite(2);
  sprite.addFrame(ks::Frame(2, 1, "xy"));
  for (int index : {-1, 1, 2}) {
    ks::Frame frame = sprite.getFrame(index);
    EXPECT_EQ(0, frame.getWidth()) << index;
    EXPECT_EQ(0, frame.getHeight()) << index;
    EXPECT_EQ("", frame.getString()) << index;
  }
}

TEST(Sprite, CapacityIsNotAllocatedUpFront) {
  // A count read from a file must not be trusted with memory: only added frames take any.
  ks::Sprite huge(2000000000);
  EXPECT_EQ(2000000000, huge.getMaxFrameCount());
  EXPECT_EQ(0, huge.addFrame(ks::Frame(1, 1, "a")));
  EXPECT_EQ(1, huge.getFrameCount());

  ks::Sprite negative(-5);
  EXPECT_EQ(0, negative.getMaxFrameCount());
  EXPECT_EQ(-1, negative.addFrame(ks::Frame(1, 1, "a")));
}
