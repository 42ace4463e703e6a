#include <gtest/gtest.h>

#include "Box.h"
#include "Object.h"
#include "Vector.h"
#include "WorldManager.h"
#include "geometry.h"
#include "utility.h"

namespace {

ks::Box box(float x, float y, float h, float v) {
  return ks::Box(ks::Vector(x, y), h, v);
}

TEST(Vector, MagnitudeAndNormalize) {
  ks::Vector v(3, 4);
  EXPECT_FLOAT_EQ(v.getMagnitude(), 5);
  v.normalize();
  EXPECT_FLOAT_EQ(v.getX(), 0.6f);
  EXPECT_FLOAT_EQ(v.getY(), 0.8f);
  EXPECT_FLOAT_EQ(v.getMagnitude(), 1);

  ks::Vector zero;
  zero.normalize();
  EXPECT_EQ(zero, ks::Vector(0, 0));
  EXPECT_EQ(zero.getMagnitude(), 0);

  // Squares beyond float range are summed in double precision.
  EXPECT_FLOAT_EQ(ks::Vector(3e20f, 4e20f).getMagnitude(), 5e20f);
  ks::Vector tiny(3e-30f, 4e-30f);
  tiny.normalize();
  EXPECT_FLOAT_EQ(tiny.getX(), 0.6f);
}

TEST(Vector, ScaleAndArithmetic) {
  ks::Vector v(1, -2);
  v.scale(2.5f);
  EXPECT_EQ(v, ks::Vector(2.5f, -5));
  EXPECT_EQ(ks::Vector(1, 2) + ks::Vector(3, -4), ks::Vector(4, -2));
  EXPECT_EQ(ks::Vector(1, 2) - ks::Vector(3, -4), ks::Vector(-2, 6));
  // Equality is exact.
  EXPECT_NE(ks::Vector(0.1f, 0), ks::Vector(0.1f + 1e-7f, 0));
  EXPECT_TRUE(ks::Vector(1, 1) != ks::Vector(1, 2));
}

TEST(Geometry, ValueInRangeIncludesBothEnds) {
  EXPECT_TRUE(ks::valueInRange(0, 0, 4));
  EXPECT_TRUE(ks::valueInRange(4, 0, 4));
  EXPECT_FALSE(ks::valueInRange(4.0001f, 0, 4));
  EXPECT_FALSE(ks::valueInRange(-0.0001f, 0, 4));
  EXPECT_TRUE(ks::valueInRange(2, 2, 2));
}

TEST(Geometry, BoxesTouchingAtAnEdgeIntersect) {
  EXPECT_TRUE(ks::boxIntersectsBox(box(0, 0, 2, 2), box(2, 0, 2, 2)));
  EXPECT_TRUE(ks::boxIntersectsBox(box(2, 0, 2, 2), box(0, 0, 2, 2)));
  EXPECT_FALSE(ks::boxIntersectsBox(box(0, 0, 2, 2), box(2.01f, 0, 2, 2)));
  EXPECT_FALSE(ks::boxIntersectsBox(box(2.01f, 0, 2, 2), box(0, 0, 2, 2)));
  // Vertical edge.
  EXPECT_TRUE(ks::boxIntersectsBox(box(0, 0, 2, 2), box(0, 2, 2, 2)));
  EXPECT_FALSE(ks::boxIntersectsBox(box(0, 0, 2, 2), box(0, 2.01f, 2, 2)));
  // Corners only.
  EXPECT_TRUE(ks::boxIntersectsBox(box(0, 0, 1, 1), box(1, 1, 1, 1)));
  EXPECT_TRUE(ks::boxIntersectsBox(box(1, 1, 1, 1), box(0, 0, 1, 1)));
  // Overlap in x only, or in y only.
  EXPECT_FALSE(ks::boxIntersectsBox(box(0, 0, 2, 2), box(1, 5, 2, 2)));
  EXPECT_FALSE(ks::boxIntersectsBox(box(0, 0, 2, 2), box(5, 1, 2, 2)));
}

TEST(Geometry, ContainedAndCrossingBoxesIntersect) {
  EXPECT_TRUE(ks::boxIntersectsBox(box(0, 0, 10, 10), box(3, 3, 1, 1)));
  EXPECT_TRUE(ks::boxIntersectsBox(box(3, 3, 1, 1), box(0, 0, 10, 10)));
  // A cross: neither box holds a corner of the other.
  EXPECT_TRUE(ks::boxIntersectsBox(box(0, 4, 10, 2), box(4, 0, 2, 10)));
  EXPECT_TRUE(ks::boxIntersectsBox(box(4, 0, 2, 10), box(0, 4, 10, 2)));
  EXPECT_TRUE(ks::boxIntersectsBox(box(-5, -5, 3, 3), box(-4, -4, 3, 3)));
}

TEST(Geometry, PointBoxes) {
  EXPECT_TRUE(ks::boxIntersectsBox(box(1, 1, 0, 0), box(0, 0, 2, 2)));
  EXPECT_TRUE(ks::boxIntersectsBox(box(0, 0, 2, 2), box(2, 2, 0, 0)));
  EXPECT_FALSE(ks::boxIntersectsBox(box(0, 0, 2, 2), box(3, 1, 0, 0)));
  EXPECT_TRUE(ks::boxIntersectsBox(box(1, 1, 0, 0), box(1, 1, 0, 0)));
}

TEST(Geometry, BoxContainsPosition) {
  ks::Box b = box(1, 2, 3, 4);
  EXPECT_TRUE(ks::boxContainsPosition(b, ks::Vector(1, 2)));
  EXPECT_TRUE(ks::boxContainsPosition(b, ks::Vector(4, 6)));
  EXPECT_TRUE(ks::boxContainsPosition(b, ks::Vector(2.5f, 3)));
  EXPECT_FALSE(ks::boxContainsPosition(b, ks::Vector(0.99f, 3)));
  EXPECT_FALSE(ks::boxContainsPosition(b, ks::Vector(2, 6.01f)));
}

TEST(Geometry, WorldBoxMovesCornerByPosition) {
  // The world manager is not started, so the object stays out of the world.
  ks::Object o;
  o.setBox(box(-0.5f, -1, 2, 3));
  o.setPosition(ks::Vector(10, 20));
  ks::Box b = ks::getWorldBox(&o);
  EXPECT_EQ(b.getCorner(), ks::Vector(9.5f, 19));
  EXPECT_EQ(b.getHorizontal(), 2);
  EXPECT_EQ(b.getVertical(), 3);
  b = ks::getWorldBox(&o, ks::Vector(0, 0));
  EXPECT_EQ(b.getCorner(), ks::Vector(-0.5f, -1));
  EXPECT_EQ(b.getHorizontal(), 2);
}

TEST(Geometry, ViewAndWorldConversionsAreInverse) {
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  wm.setView(box(10, 5, 80, 24));
  EXPECT_EQ(ks::viewToWorld(ks::Vector(0, 0)), ks::Vector(10, 5));
  EXPECT_EQ(ks::viewToWorld(ks::Vector(2, 2)), ks::Vector(12, 7));
  EXPECT_EQ(ks::worldToView(ks::viewToWorld(ks::Vector(3, 4))), ks::Vector(3, 4));
  wm.setView(box(0, 0, 80, 24));
}

} // namespace
