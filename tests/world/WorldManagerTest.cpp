#include <gtest/gtest.h>

#include "EventStep.h"
#include "GameManager.h"
#include "ObjectListIterator.h"
#include "RecordingObject.h"
#include "TestSupport.h"
#include "ViewObject.h"
#include "WorldManager.h"

using kstest::RecordingObject;

namespace {

class WorldManagerTest : public testing::Test {
protected:
  void SetUp() override { log = kstest::startHeadless("log"); }
  void TearDown() override { ks::GameManager::getInstance().shutDown(); }
  ks::WorldManager &world() { return ks::WorldManager::getInstance(); }
  std::string log;
};

/// Remembers the order in which objects were drawn.
class DrawnObject : public ks::Object {
public:
  DrawnObject(std::vector<int> *p_order, int layer) : p_drawn(p_order) {
    setSolidness(ks::SPECTRAL);
    setAltitude(layer);
  }
  void draw() override { p_drawn->push_back(getId()); }

private:
  std::vector<int> *p_drawn; ///< shared record (not owned)
};

/// A view object that counts its draws.
class CountedView : public ks::ViewObject {
public:
  void draw() override { draws++; }
  int draws = 0;
};

/// Marks another object for deletion when it is destroyed.
class ChainObject : public ks::Object {
public:
  explicit ChainObject(ks::Object *p_next_victim) : p_next(p_next_victim) {
    setSolidness(ks::SPECTRAL);
  }
  ~ChainObject() override {
    if (p_next != nullptr)
      ks::WorldManager::getInstance().markForDelete(p_next);
  }

private:
  ks::Object *p_next; ///< marked for deletion at destruction (not owned)
};

TEST_F(WorldManagerTest, IsValidRefusesEngineEventsWithTheirMessages) {
  EXPECT_FALSE(world().isValid("ks::step"));
  EXPECT_FALSE(world().isValid("ks::keyboard"));
  EXPECT_FALSE(world().isValid("ks::collision"));
  EXPECT_FALSE(world().isValid("ks::out"));
  EXPECT_TRUE(world().isValid("ks::view"));
  EXPECT_TRUE(world().isValid("game::explosion"));
  EXPECT_TRUE(
      kstest::logContains(log, "WorldManager::isValid(): WorldManager does not handle ks::step"));
  EXPECT_TRUE(kstest::logContains(
      log, "WorldManager::isValid(): Event ks::collision handled automatically."));
}

TEST_F(WorldManagerTest, MarkedObjectsMoveInTheirStepAndAreDeletedOnceAtItsEnd) {
  RecordingObject *p_mover = new RecordingObject;
  p_mover->setVelocity(ks::Vector(1, 0));
  RecordingObject *p_wall = new RecordingObject;
  p_wall->setPosition(ks::Vector(1.5f, 0));
  int before = world().getAllObjects().getCount();
  EXPECT_EQ(world().markForDelete(p_mover), 0);
  EXPECT_EQ(world().getAllObjects().getCount(), before);
  world().update();
  // It still tried its move in that step (and hit the wall), then went, once.
  ASSERT_EQ(p_wall->collided_with.size(), 1u);
  EXPECT_EQ(p_wall->collided_with[0], p_mover);
  EXPECT_EQ(world().getAllObjects().getCount(), before - 1);
  world().update();
  EXPECT_EQ(world().getAllObjects().getCount(), before - 1);
}

TEST_F(WorldManagerTest, MarkForDeleteOfNullIsRefusedWithAMessage) {
  EXPECT_EQ(world().markForDelete(nullptr), -1);
  EXPECT_TRUE(kstest::logContains(log, "WorldManager::markForDelete(): unable to add object"));
}

TEST_F(WorldManagerTest, ObjectsMarkedByDestructorsDuringDeletionGoInTheSameStep) {
  ks::Object *p_last = new RecordingObject;
  ks::Object *p_middle = new ChainObject(p_last);
  ks::Object *p_first = new ChainObject(p_middle);
  int before = world().getAllObjects().getCount();
  world().markForDelete(p_first);
  world().update();
  EXPECT_EQ(world().getAllObjects().getCount(), before - 3);
}

/// Adds its id to a shared record when it is destroyed.
struct RecordedObject : ks::Object {
  explicit RecordedObject(std::vector<int> *p_order) : p_deaths(p_order) {}
  ~RecordedObject() override { p_deaths->push_back(getId()); }
  std::vector<int> *p_deaths; ///< shared record (not owned)
};

TEST_F(WorldManagerTest, AWholeLevelMarkedTwiceGoesOnceInMarkingOrder) {
  std::vector<int> deaths, expected;
  std::vector<ks::Object *> level;
  for (int i = 0; i < 15000; i++)
    level.insert(level.begin(), new RecordedObject(&deaths));
  for (ks::Object *p_o : level)
    ASSERT_EQ(world().markForDelete(p_o) + world().markForDelete(p_o), 0);
  for (ks::Object *p_o : level)
    if (p_o != level[7])
      expected.push_back(p_o->getId());
  delete level[7]; // deleted while marked: it leaves the list instead of going twice
  world().update();
  EXPECT_EQ(std::vector<int>(deaths.begin() + 1, deaths.end()), expected);
  EXPECT_EQ(world().getAllObjects(true).getCount(), 0);
}

TEST_F(WorldManagerTest, ObjectsMoveByVelocityAndAccelerate) {
  RecordingObject *p_o = new RecordingObject;
  p_o->setSolidness(ks::SPECTRAL);
  p_o->setAcceleration(ks::Vector(0, 0.1f));
  world().update();
  // At rest at first: the acceleration takes effect from the next step on.
  EXPECT_EQ(p_o->getPosition(), ks::Vector(0, 0));
  EXPECT_FLOAT_EQ(p_o->getSpeed(), 0.1f);
  EXPECT_EQ(p_o->getDirection(), ks::Vector(0, 1));
  world().update();
  EXPECT_FLOAT_EQ(p_o->getPosition().getY(), 0.1f);
  EXPECT_FLOAT_EQ(p_o->getSpeed(), 0.2f);
}

TEST_F(WorldManagerTest, ObjectsInBoxUseInclusiveWorldBoxes) {
  RecordingObject *p_in = new RecordingObject;
  p_in->setPosition(ks::Vector(10, 10)); // box [9.5, 10.49]
  RecordingObject *p_out = new RecordingObject;
  p_out->setPosition(ks::Vector(20, 10));
  ks::ObjectList found = world().objectsInBox(ks::Box(ks::Vector(10.49f, 10), 5, 1));
  ASSERT_EQ(found.getCount(), 1);
  EXPECT_EQ(found.getItem(0), p_in);
}

TEST_F(WorldManagerTest, DrawGoesByAltitudeCullsToTheViewAndAlwaysDrawsViewObjects) {
  world().setView(ks::Box(ks::Vector(0, 0), 80, 24));
  std::vector<int> order;
  DrawnObject *p_top = new DrawnObject(&order, 4);
  DrawnObject *p_bottom = new DrawnObject(&order, 0);
  DrawnObject *p_far = new DrawnObject(&order, 1);
  p_far->setPosition(ks::Vector(500, 500));
  CountedView *p_view = new CountedView;
  p_view->setPosition(ks::Vector(900, 900));
  world().draw();
  ASSERT_EQ(order.size(), 2u);
  EXPECT_EQ(order[0], p_bottom->getId());
  EXPECT_EQ(order[1], p_top->getId());
  EXPECT_EQ(p_view->draws, 1);
}

class ViewFollowingTest : public WorldManagerTest {
protected:
  void SetUp() override {
    WorldManagerTest::SetUp();
    world().setBoundary(ks::Box(ks::Vector(0, 0), 300, 50));
    world().setView(ks::Box(ks::Vector(0, 0), 80, 24));
    world().setViewSlack(ks::Vector(1.0f / 3, 1.0f / 3));
    p_hero = new RecordingObject("Hero");
    p_hero->setSolidness(ks::SPECTRAL);
  }
  RecordingObject *p_hero = nullptr;
};

TEST_F(ViewFollowingTest, SettingTheFollowedObjectCentresAndClampsTheView) {
  p_hero->setPosition(ks::Vector(7, 14));
  ASSERT_EQ(world().setViewFollowing(p_hero), 0);
  EXPECT_EQ(world().getView().getCorner(), ks::Vector(0, 2));
  p_hero->setPosition(ks::Vector(150, 25));
  ASSERT_EQ(world().setViewFollowing(p_hero), 0);
  EXPECT_EQ(world().getView().getCorner(), ks::Vector(110, 13));
  p_hero->setPosition(ks::Vector(299, 49));
  ASSERT_EQ(world().setViewFollowing(p_hero), 0);
  EXPECT_EQ(world().getView().getCorner(), ks::Vector(220, 26));
}

TEST_F(ViewFollowingTest, TheViewScrollsOnlyOutsideTheSlackAndStaysInTheBoundary) {
  p_hero->setPosition(ks::Vector(40, 12));
  ASSERT_EQ(world().setViewFollowing(p_hero), 0);
  // Inside the slack zone (x up to 40 + 80/6) nothing scrolls.
  world().moveObject(p_hero, ks::Vector(53, 12));
  EXPECT_EQ(world().getView().getCorner().getX(), 0);
  world().moveObject(p_hero, ks::Vector(60, 12));
  EXPECT_NEAR(world().getView().getCorner().getX(), 60 - 40 - 80.0f / 6, 1e-4);
  for (float x = 60; x < 320; x += 7) {
    world().moveObject(p_hero, ks::Vector(x, x / 5));
    ks::Vector corner = world().getView().getCorner();
    EXPECT_GE(corner.getX(), 0);
    EXPECT_LE(corner.getX(), 220);
    EXPECT_GE(corner.getY(), 0);
    EXPECT_LE(corner.getY(), 26);
  }
  EXPECT_EQ(world().getView().getCorner().getX(), 220);
}

TEST_F(ViewFollowingTest, FollowingNullFreezesTheViewAndInactiveObjectsAreRefused) {
  p_hero->setPosition(ks::Vector(100, 20));
  ASSERT_EQ(world().setViewFollowing(p_hero), 0);
  ks::Vector corner = world().getView().getCorner();
  EXPECT_EQ(world().setViewFollowing(nullptr), 0);
  world().moveObject(p_hero, ks::Vector(200, 20));
  EXPECT_EQ(world().getView().getCorner(), corner);
  p_hero->setActive(false);
  EXPECT_EQ(world().setViewFollowing(p_hero), -1);
  EXPECT_EQ(world().getViewFollowing(), nullptr);
}

TEST_F(ViewFollowingTest, DeletingTheFollowedObjectStopsTheFollowing) {
  ASSERT_EQ(world().setViewFollowing(p_hero), 0);
  world().markForDelete(p_hero);
  world().update();
  EXPECT_EQ(world().getViewFollowing(), nullptr);
  // Moving other objects afterwards must not touch the deleted one.
  RecordingObject *p_other = new RecordingObject;
  world().moveObject(p_other, ks::Vector(5, 5));
}

TEST_F(WorldManagerTest, ShutDownDeletesActiveAndInactiveObjects) {
  RecordingObject *p_a = new RecordingObject;
  RecordingObject *p_b = new RecordingObject;
  p_b->setActive(false);
  (void)p_a;
  world().shutDown();
  EXPECT_EQ(world().getAllObjects(true).getCount(), 0);
}

} // namespace
