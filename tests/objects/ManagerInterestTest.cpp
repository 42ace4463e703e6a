#include <gtest/gtest.h>

#include "EventStep.h"
#include "EventView.h"
#include "GameManager.h"
#include "LogManager.h"
#include "RecordingObject.h"
#include "TestSupport.h"
#include "WorldManager.h"

using kstest::RecordingObject;

namespace {

class ManagerInterestTest : public testing::Test {
protected:
  void SetUp() override { log = kstest::startHeadless("log"); }
  void TearDown() override { ks::GameManager::getInstance().shutDown(); }
  ks::WorldManager &world() { return ks::WorldManager::getInstance(); }
  std::string log;
};

TEST_F(ManagerInterestTest, ManagersAcceptOnlyTheirOwnEventTypes) {
  RecordingObject *p_o = new RecordingObject;
  EXPECT_EQ(ks::GameManager::getInstance().registerInterest(p_o, "ks::step"), 0);
  EXPECT_EQ(ks::GameManager::getInstance().registerInterest(p_o, "ks::keyboard"), -1);
  EXPECT_EQ(ks::LogManager::getInstance().registerInterest(p_o, "ks::step"), -1);
  EXPECT_TRUE(kstest::logContains(
      log,
      "Manager(GameManager)::registerInterest(): Event 'ks::keyboard' not valid for this Manager"));
  EXPECT_TRUE(kstest::logContains(
      log, "Manager(LogManager)::registerInterest(): Event 'ks::step' not valid for this Manager"));
  ks::GameManager::getInstance().unregisterInterest(p_o, "ks::step");
}

TEST_F(ManagerInterestTest, DoubleRegistrationMeansTwoCallsUntilOneIsWithdrawn) {
  RecordingObject *p_o = new RecordingObject;
  world().registerInterest(p_o, "game::ping");
  world().registerInterest(p_o, "game::ping");
  ks::EventView ping;
  ping.setType("game::ping");
  EXPECT_EQ(world().onEvent(&ping), 2);
  EXPECT_EQ(world().unregisterInterest(p_o, "game::ping"), 0);
  EXPECT_EQ(world().onEvent(&ping), 1);
  EXPECT_EQ(p_o->count("game::ping"), 3);
  world().unregisterInterest(p_o, "game::ping");
  EXPECT_EQ(world().unregisterInterest(p_o, "game::ping"), -1);
}

TEST_F(ManagerInterestTest, InactiveObjectsAreNeitherCalledNorCounted) {
  RecordingObject *p_a = new RecordingObject;
  RecordingObject *p_b = new RecordingObject;
  p_a->registerInterest("game::ping");
  p_b->registerInterest("game::ping");
  p_b->setActive(false);
  ks::EventView ping;
  ping.setType("game::ping");
  EXPECT_EQ(world().onEvent(&ping), 1);
  EXPECT_EQ(p_b->count("game::ping"), 0);
}

TEST_F(ManagerInterestTest, HandlersThatUnregisterDoNotChangeTheCurrentDispatch) {
  RecordingObject *p_a = new RecordingObject;
  RecordingObject *p_b = new RecordingObject;
  RecordingObject *p_c = new RecordingObject;
  for (RecordingObject *p_o : {p_a, p_b, p_c})
    p_o->registerInterest("game::ping");
  p_a->on_event = [&](const ks::Event *) {
    p_a->unregisterInterest("game::ping");
    p_b->unregisterInterest("game::ping");
  };
  ks::EventView ping;
  ping.setType("game::ping");
  EXPECT_EQ(world().onEvent(&ping), 3);
  EXPECT_EQ(p_b->count("game::ping"), 1);
  EXPECT_EQ(world().onEvent(&ping), 1);
  EXPECT_EQ(p_c->count("game::ping"), 2);
}

TEST_F(ManagerInterestTest, RemovingTheLastObjectOfATypeKeepsTheOthersInOrder) {
  RecordingObject *p_a = new RecordingObject;
  RecordingObject *p_b = new RecordingObject;
  RecordingObject *p_c = new RecordingObject;
  p_a->registerInterest("game::one");
  p_b->registerInterest("game::two");
  p_c->registerInterest("game::two");
  p_c->registerInterest("game::three");
  p_a->unregisterInterest("game::one");
  std::vector<ks::Object *> order;
  p_b->on_event = [&](const ks::Event *) { order.push_back(p_b); };
  p_c->on_event = [&](const ks::Event *) { order.push_back(p_c); };
  ks::EventView two;
  two.setType("game::two");
  EXPECT_EQ(world().onEvent(&two), 2);
  EXPECT_EQ(order, (std::vector<ks::Object *>{p_b, p_c}));
  ks::EventView three;
  three.setType("game::three");
  EXPECT_EQ(world().onEvent(&three), 1);
}

TEST_F(ManagerInterestTest, OneHundredEventTypesPerManager) {
  std::vector<RecordingObject *> objects;
  for (int i = 0; i < ks::MAX_EVENTS; i++) {
    objects.push_back(new RecordingObject);
    ASSERT_EQ(world().registerInterest(objects.back(), "game::t" + std::to_string(i)), 0);
  }
  RecordingObject *p_extra = new RecordingObject;
  EXPECT_EQ(world().registerInterest(p_extra, "game::t100"), -1);
  EXPECT_EQ(world().registerInterest(p_extra, "game::t50"), 0);
  for (int i = 0; i < ks::MAX_EVENTS; i++)
    world().unregisterInterest(objects[i], "game::t" + std::to_string(i));
  world().unregisterInterest(p_extra, "game::t50");
}

TEST_F(ManagerInterestTest, UndefinedEventsAreWarnedAboutAtLevelOneAndReachNobody) {
  RecordingObject *p_o = new RecordingObject;
  p_o->registerInterest("game::ping");
  ks::LogManager::getInstance().setLogLevel(1);
  ks::Event undefined;
  EXPECT_EQ(world().onEvent(&undefined), 0);
  ks::LogManager::getInstance().setLogLevel(0);
  EXPECT_TRUE(
      kstest::logContains(log, "WorldManager::onEvent(): Warning! Event type is undefined."));
}

TEST_F(ManagerInterestTest, ObjectsRouteStepKeyboardAndOtherEventsToTheirManagers) {
  RecordingObject *p_o = new RecordingObject;
  ASSERT_EQ(p_o->registerInterest("ks::step"), 0);
  ks::EventStep step(7);
  EXPECT_EQ(ks::GameManager::getInstance().onEvent(&step), 1);
  EXPECT_EQ(p_o->steps, std::vector<int>{7});
  EXPECT_EQ(p_o->registerInterest("ks::collision"), -1);
  EXPECT_EQ(p_o->getEventCount(), 1);
  // Destruction withdraws every interest: the next step reaches nobody.
  world().markForDelete(p_o);
  world().update();
  EXPECT_EQ(ks::GameManager::getInstance().onEvent(&step), 0);
}

} // namespace
