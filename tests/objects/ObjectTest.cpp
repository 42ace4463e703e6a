#include <gtest/gtest.h>

#include "GameManager.h"
#include "LogManager.h"
#include "RecordingObject.h"
#include "Sprite.h"
#include "TestSupport.h"
#include "WorldManager.h"

using kstest::RecordingObject;

namespace {

class ObjectTest : public testing::Test {
protected:
  void SetUp() override { log = kstest::startHeadless("log"); }
  void TearDown() override { ks::GameManager::getInstance().shutDown(); }
  std::string log;
};

TEST_F(ObjectTest, IdsCountUpAndAreNeverReused) {
  RecordingObject *p_a = new RecordingObject;
  RecordingObject *p_b = new RecordingObject;
  EXPECT_EQ(p_b->getId(), p_a->getId() + 1);
  ks::WorldManager::getInstance().markForDelete(p_b);
  ks::WorldManager::getInstance().update();
  RecordingObject *p_c = new RecordingObject;
  EXPECT_EQ(p_c->getId(), p_a->getId() + 2);
}

TEST_F(ObjectTest, ANewObjectIsWhollyModified) {
  RecordingObject o;
  EXPECT_TRUE(o.isModified());
  for (int a = ks::ID; a < ks::ATTRIBUTE_COUNT; a++)
    EXPECT_TRUE(o.isModified(static_cast<ks::ObjectAttribute>(a)));
  ks::WorldManager::getInstance().removeObject(&o);
  ks::WorldManager::getInstance().insertObject(&o);
}

TEST_F(ObjectTest, AltitudeAndSolidnessRefuseValuesOutOfRange) {
  RecordingObject *p_o = new RecordingObject;
  EXPECT_EQ(p_o->setAltitude(5), -1);
  EXPECT_EQ(p_o->setAltitude(-1), -1);
  EXPECT_EQ(p_o->getAltitude(), 2);
  EXPECT_TRUE(
      kstest::logContains(log, "Object::setAltitude(): Altitude 5 not in range [0,4].  Ignored."));
  EXPECT_TRUE(
      kstest::logContains(log, "Object::setAltitude(): Altitude -1 not in range [0,4].  Ignored."));
  EXPECT_EQ(p_o->setAltitude(4), 0);
  EXPECT_EQ(p_o->getAltitude(), 4);
  EXPECT_EQ(p_o->setSolidness(static_cast<ks::Solidness>(3)), -1);
  EXPECT_EQ(p_o->getSolidness(), ks::HARD);
  EXPECT_TRUE(kstest::logContains(
      log, "Object::setSolidness(): Solidness 3 not one of HARD, SOFT or SPECTRAL."));
}

TEST_F(ObjectTest, VelocityIsSplitIntoSpeedAndDirection) {
  RecordingObject *p_o = new RecordingObject;
  p_o->setVelocity(ks::Vector(3, 4));
  EXPECT_FLOAT_EQ(p_o->getSpeed(), 5);
  EXPECT_FLOAT_EQ(p_o->getDirection().getX(), 0.6f);
  EXPECT_FLOAT_EQ(p_o->getDirection().getY(), 0.8f);
  p_o->setVelocity(ks::Vector(0, 0));
  EXPECT_EQ(p_o->getSpeed(), 0);
  EXPECT_EQ(p_o->getDirection(), ks::Vector(0, 0));
}

TEST_F(ObjectTest, SpriteSetsACentredBoxAndSpriteCenterAShrunkOne) {
  ks::Sprite sprite(3);
  sprite.setWidth(3);
  sprite.setHeight(2);
  for (int i = 0; i < 3; i++)
    sprite.addFrame(ks::Frame(3, 2, std::string(6, static_cast<char>('a' + i))));
  RecordingObject *p_o = new RecordingObject;
  p_o->setSprite(&sprite, true);
  EXPECT_EQ(p_o->getBox().getCorner(), ks::Vector(-1.5f, -1));
  EXPECT_EQ(p_o->getBox().getHorizontal(), 3);
  EXPECT_EQ(p_o->getBox().getVertical(), 2);
  p_o->setSpriteCenter(false);
  EXPECT_EQ(p_o->getBox().getCorner(), ks::Vector(0, 0));
  EXPECT_EQ(p_o->getBox().getHorizontal(), 2);
  EXPECT_EQ(p_o->getBox().getVertical(), 1);
  p_o->setSprite(nullptr);
}

TEST_F(ObjectTest, AnimationStepsEverySlowdownDrawsAndWraps) {
  ks::Sprite sprite(3);
  sprite.setWidth(1);
  sprite.setHeight(1);
  for (char c : {'a', 'b', 'c'})
    sprite.addFrame(ks::Frame(1, 1, std::string(1, c)));
  RecordingObject o;
  o.setSprite(&sprite);
  o.setSpriteSlowdown(2);
  std::vector<int> shown;
  for (int i = 0; i < 7; i++) {
    shown.push_back(o.getSpriteIndex());
    o.draw();
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 0, 1, 1, 2, 2, 0}));
  o.setSpriteSlowdown(0);
  o.draw();
  o.draw();
  EXPECT_EQ(o.getSpriteIndex(), 0);
  o.setSprite(nullptr);
  ks::WorldManager::getInstance().removeObject(&o);
  ks::WorldManager::getInstance().insertObject(&o);
}

TEST_F(ObjectTest, InterestsAreCappedAtOneHundredAndKeepTheirOrder) {
  RecordingObject *p_o = new RecordingObject;
  for (int i = 0; i < ks::MAX_OBJ_EVENTS; i++)
    ASSERT_EQ(p_o->registerInterest("game::e" + std::to_string(i)), 0);
  EXPECT_EQ(p_o->registerInterest("game::one-too-many"), -1);
  EXPECT_TRUE(kstest::logContains(
      log, "Object::registerInterest(): maximum (100) reached, cannot register for event "
           "'game::one-too-many'"));
  EXPECT_EQ(p_o->unregisterInterest("game::e1"), 0);
  EXPECT_EQ(p_o->getEventName(0), "game::e0");
  EXPECT_EQ(p_o->getEventName(1), "game::e2");
  EXPECT_EQ(p_o->registerInterest("game::one-too-many"), 0);
  EXPECT_EQ(p_o->unregisterInterest("game::never"), -1);
  EXPECT_TRUE(kstest::logContains(
      log, "Object::unregisterInterest(): event 'game::never' not previously registered"));
}

TEST(ObjectOutsideTheWorld, IsNotInsertedAndSaysSoAtLevelTwo) {
  std::string log = kstest::startLog("log");
  ks::LogManager::getInstance().setLogLevel(2);
  ASSERT_FALSE(ks::WorldManager::getInstance().isStarted());
  RecordingObject o;
  EXPECT_TRUE(ks::WorldManager::getInstance().getAllObjects(true).isEmpty());
  std::vector<std::string> messages = kstest::logMessages(log);
  ASSERT_GE(messages.size(), 2u);
  EXPECT_EQ(messages[messages.size() - 2],
            "WorldManager::insertObject(): Not adding Object " + std::to_string(o.getId()));
  EXPECT_EQ(messages.back(), "                              because WorldManager not started.");
  ks::LogManager::getInstance().setLogLevel(0);
  ks::LogManager::getInstance().shutDown(); // or the next test's engine can't start its log
}

} // namespace
