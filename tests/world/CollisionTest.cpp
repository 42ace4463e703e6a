#include <gtest/gtest.h>

#include "GameManager.h"
#include "RecordingObject.h"
#include "TestSupport.h"
#include "WorldManager.h"
#include "geometry.h"

using kstest::RecordingObject;

namespace {

class CollisionTest : public testing::Test {
protected:
  void SetUp() override {
    kstest::startHeadless("log");
    world().setBoundary(ks::Box(ks::Vector(0, 0), 100, 100));
  }
  void TearDown() override { ks::GameManager::getInstance().shutDown(); }
  ks::WorldManager &world() { return ks::WorldManager::getInstance(); }

  /// A mover at (10, 10) and a target at (12, 10) with the given solidness.
  void place(ks::Solidness mover, ks::Solidness target) {
    p_mover = new RecordingObject("mover");
    p_mover->setPosition(ks::Vector(10, 10));
    p_mover->setSolidness(mover);
    p_target = new RecordingObject("target");
    p_target->setPosition(ks::Vector(12, 10));
    p_target->setSolidness(target);
  }
  RecordingObject *p_mover = nullptr;
  RecordingObject *p_target = nullptr;
};

struct Case {
  ks::Solidness mover;
  ks::Solidness target;
  bool no_soft;
  int result; ///< of moveObject
  int events; ///< collision events each object gets
};

TEST_F(CollisionTest, EverySolidnessPair) {
  const Case cases[] = {
      {ks::HARD, ks::HARD, false, -1, 1},    {ks::HARD, ks::SOFT, false, 0, 1},
      {ks::HARD, ks::SOFT, true, -1, 1},     {ks::SOFT, ks::HARD, false, 0, 1},
      {ks::SOFT, ks::SOFT, false, 0, 1},     {ks::SOFT, ks::SOFT, true, -1, 1},
      {ks::SOFT, ks::HARD, true, 0, 1},      {ks::SPECTRAL, ks::HARD, false, 0, 0},
      {ks::HARD, ks::SPECTRAL, false, 0, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "mover " << c.mover << " target " << c.target << " no_soft " << c.no_soft);
    place(c.mover, c.target);
    p_mover->setNoSoft(c.no_soft);
    EXPECT_EQ(world().moveObject(p_mover, ks::Vector(11.5f, 10)), c.result);
    EXPECT_EQ(p_mover->count("ks::collision"), c.events);
    EXPECT_EQ(p_target->count("ks::collision"), c.events);
    EXPECT_EQ(p_mover->getPosition().getX(), c.result == 0 ? 11.5f : 10.0f);
    world().markForDelete(p_mover);
    world().markForDelete(p_target);
    world().update();
  }
}

TEST_F(CollisionTest, TheMoverHearsFirstAndTouchingEdgesCollide) {
  place(ks::HARD, ks::HARD);
  std::vector<std::string> order;
  p_mover->on_event = [&](const ks::Event *) { order.push_back("mover"); };
  p_target->on_event = [&](const ks::Event *) { order.push_back("target"); };
  // At 11 the mover's right edge meets the target's left edge (11.5) exactly.
  p_mover->setBox(ks::Box(ks::Vector(-0.5f, -0.5f), 1, 1));
  EXPECT_EQ(world().moveObject(p_mover, ks::Vector(11, 10)), -1);
  EXPECT_EQ(order, (std::vector<std::string>{"mover", "target"}));
  EXPECT_EQ(p_mover->collided_with[0], p_target);
  EXPECT_EQ(p_target->collided_with[0], p_mover);
}

TEST_F(CollisionTest, ThreeObjectsHitAtOnceEachHearOnceInSolidListOrder) {
  RecordingObject *p_wide = new RecordingObject("mover");
  p_wide->setBox(ks::Box(ks::Vector(-2, -0.5f), 4, 1));
  std::vector<RecordingObject *> targets;
  for (int i = 0; i < 3; i++) {
    targets.push_back(new RecordingObject("target"));
    targets.back()->setPosition(ks::Vector(static_cast<float>(20 + i), 10));
  }
  EXPECT_EQ(world().moveObject(p_wide, ks::Vector(21, 10)), -1);
  ASSERT_EQ(p_wide->collided_with.size(), 3u);
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(p_wide->collided_with[i], targets[i]);
    EXPECT_EQ(targets[i]->count("ks::collision"), 1);
  }
}

TEST_F(CollisionTest, AnObjectNeverCollidesWithItself) {
  RecordingObject *p_o = new RecordingObject;
  EXPECT_TRUE(world().getCollisions(p_o, p_o->getPosition()).isEmpty());
  EXPECT_EQ(world().moveObject(p_o, ks::Vector(0.1f, 0)), 0);
  EXPECT_EQ(p_o->count("ks::collision"), 0);
}

TEST_F(CollisionTest, LeavingTheBoundaryGivesOneOutEventUntilTheObjectReturns) {
  RecordingObject *p_o = new RecordingObject;
  p_o->setSolidness(ks::SPECTRAL);
  p_o->setPosition(ks::Vector(99, 50));
  world().moveObject(p_o, ks::Vector(100.4f, 50)); // still touching
  EXPECT_EQ(p_o->count("ks::out"), 0);
  world().moveObject(p_o, ks::Vector(101, 50));
  world().moveObject(p_o, ks::Vector(102, 50));
  EXPECT_EQ(p_o->count("ks::out"), 1);
  world().moveObject(p_o, ks::Vector(50, 50));
  world().moveObject(p_o, ks::Vector(150, 50));
  EXPECT_EQ(p_o->count("ks::out"), 2);
}

TEST_F(CollisionTest, ARefusedMoveSendsNoOutEvent) {
  place(ks::HARD, ks::HARD);
  world().setBoundary(ks::Box(ks::Vector(0, 0), 10.6f, 20));
  EXPECT_EQ(world().moveObject(p_mover, ks::Vector(11.5f, 10)), -1);
  EXPECT_EQ(p_mover->count("ks::out"), 0);
}

TEST_F(CollisionTest, HandlersMayMakeTheTargetSpectralToLetTheMoverThrough) {
  place(ks::HARD, ks::HARD);
  p_target->on_event = [this](const ks::Event *) { p_target->setSolidness(ks::SOFT); };
  EXPECT_EQ(world().moveObject(p_mover, ks::Vector(11.5f, 10)), 0);
}

} // namespace

namespace {

/// The solid objects touching `p_o` at `where`, by walking the whole solid list.
std::vector<ks::Object *> bruteForce(const ks::Object *p_o, ks::Vector where) {
  std::vector<ks::Object *> touched;
  ks::ObjectList solid = ks::WorldManager::getInstance().getSceneGraph().solidObjects();
  ks::Box b = ks::getWorldBox(p_o, where);
  for (int i = 0; i < solid.getCount(); i++) {
    ks::Object *p_q = solid.getItem(i);
    if (p_q != p_o && ks::boxIntersectsBox(b, ks::getWorldBox(p_q)))
      touched.push_back(p_q);
  }
  return touched;
}

TEST_F(CollisionTest, QueriesAgreeWithTheWholeSolidListThroughEveryKindOfChange) {
  srand(7);
  auto random = [](float range) { return static_cast<float>(rand() % 1000) / 1000 * range; };
  world().setBoundary(ks::Box(ks::Vector(0, 0), 60, 30));
  std::vector<RecordingObject *> objects;
  for (int i = 0; i < 300; i++) {
    objects.push_back(new RecordingObject);
    objects.back()->setPosition(ks::Vector(random(70) - 5, random(40) - 5));
  }
  for (int round = 0; round < 3000; round++) {
    RecordingObject *p_o = objects[rand() % objects.size()];
    switch (rand() % 7) {
    case 0:
      p_o->setPosition(ks::Vector(random(80) - 10, random(50) - 10));
      break;
    case 1:
      p_o->setBox(ks::Box(ks::Vector(-random(3), -random(3)), random(8) - 2, random(8) - 2));
      break;
    case 2:
      p_o->setSolidness(static_cast<ks::Solidness>(rand() % 3));
      break;
    case 3:
      p_o->setActive(rand() % 4 != 0);
      break;
    case 4:
      world().moveObject(p_o, p_o->getPosition() + ks::Vector(random(2) - 1, random(2) - 1));
      break;
    case 5:
      if (round % 500 == 0)
        world().setBoundary(ks::Box(ks::Vector(random(10), random(10)), random(100), random(60)));
      break;
    default:
      break;
    }
    RecordingObject *p_probe = objects[rand() % objects.size()];
    ks::Vector where(random(80) - 10, random(50) - 10);
    ks::ObjectList found = world().getCollisions(p_probe, where);
    std::vector<ks::Object *> expected = bruteForce(p_probe, where);
    ASSERT_EQ(found.getCount(), static_cast<int>(expected.size())) << "round " << round;
    for (int i = 0; i < found.getCount(); i++)
      ASSERT_EQ(found.getItem(i), expected[i]) << "round " << round;
  }
}

} // namespace
