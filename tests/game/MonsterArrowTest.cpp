// Monsters chasing and arrows flying.
#include <gtest/gtest.h>

#include "Arrow.h"
#include "EventCollision.h"
#include "EventOut.h"
#include "EventStep.h"
#include "GameTestSupport.h"
#include "Hero.h"
#include "Monster.h"
#include "ResourceManager.h"
#include "TestSupport.h"
#include "Tile.h"
#include "WorldManager.h"

using gametest::countType;
using gametest::dirtRow;
using gametest::runSteps;

namespace {

using MonsterTest = gametest::GameTest;

TEST_F(MonsterTest, SteersOnOddStepsAndSinksOnEvenOnes) {
  Hero *p_hero = new Hero;
  Monster *p_monster = new Monster(p_hero);
  EXPECT_EQ(p_monster->getPosition(), ks::Vector(40, 5));
  EXPECT_EQ(p_monster->getType(), "Monster");
  EXPECT_EQ(p_monster->getSolidness(), ks::HARD);
  EXPECT_EQ(p_monster->getSpriteTransparency(), ' ');
  int lines = kstest::logCount(log, "Got to eventHandler");

  ks::EventStep even(10), odd(11), even2(12);
  EXPECT_EQ(p_monster->eventHandler(&even), 1);
  EXPECT_EQ(p_monster->getVelocity(), ks::Vector(0, 0.1f));
  EXPECT_EQ(p_monster->eventHandler(&odd), 1);
  EXPECT_EQ(p_monster->getVelocity(), ks::Vector(-0.4f, 0));
  EXPECT_EQ(p_monster->eventHandler(&even2), 1);
  EXPECT_NEAR(p_monster->getVelocity().getY(), 0.1f, 1e-6);
  EXPECT_NEAR(p_monster->getVelocity().getX(), -0.4f, 1e-6);
  ks::EventStep negative(-3);
  p_monster->eventHandler(&negative);
  EXPECT_NEAR(p_monster->getVelocity().getY(), 0.2f, 1e-6);

  // To the right of it, then in its column: the last chase velocity stays.
  p_monster->setPosition(ks::Vector(2, 5));
  p_monster->eventHandler(&odd);
  EXPECT_EQ(p_monster->getVelocity(), ks::Vector(0.4f, 0));
  p_monster->setPosition(ks::Vector(7, 5));
  p_monster->eventHandler(&odd);
  EXPECT_EQ(p_monster->getVelocity(), ks::Vector(0.4f, 0));

  EXPECT_EQ(kstest::logCount(log, "Got to eventHandler"), lines + 6);
}

TEST_F(MonsterTest, ChasesInTheGameLoop) {
  dirtRow(0, 60, 16);
  Hero *p_hero = new Hero;
  Monster *p_monster = new Monster(p_hero);
  p_monster->setPosition(ks::Vector(50, 10));
  std::vector<ks::Vector> velocity;
  runSteps(12, [&](int) { velocity.push_back(p_monster->getVelocity()); });
  // Odd steps steer (the vertical speed is wiped out), even ones add the gravity.
  for (int step = 0; step < 12; step++) {
    if (step % 2 == 1)
      EXPECT_EQ(velocity[step], ks::Vector(-0.4f, 0)) << step;
    else
      EXPECT_NEAR(velocity[step].getY(), 0.1f, 1e-6) << step;
  }
  // Moved by the velocities of steps 0 to 10: ten times 0.4 left, six times 0.1 down.
  EXPECT_NEAR(p_monster->getPosition().getX(), 46, 1e-4);
  EXPECT_NEAR(p_monster->getPosition().getY(), 10.6f, 1e-4);
}

TEST_F(MonsterTest, CollisionsWithOtherThingsDoNothing) {
  Hero *p_hero = new Hero;
  Monster *p_a = new Monster(p_hero);
  Monster *p_b = new Monster(p_hero);
  ks::EventCollision c(p_a, p_b, ks::Vector(40, 5));
  EXPECT_EQ(p_a->eventHandler(&c), 0);
  EXPECT_EQ(p_b->eventHandler(&c), 0);
  ks::EventCollision with_hero(p_hero, p_a, ks::Vector(7, 14));
  EXPECT_EQ(p_a->eventHandler(&with_hero), 1);
  runSteps(1);
  EXPECT_EQ(countType("Hero"), 0);
  // The hero is gone: the monster neither chases nor kills it any more.
  ks::EventStep odd(1);
  p_a->eventHandler(&odd);
  EXPECT_EQ(p_a->getVelocity(), ks::Vector(0, 0));
  EXPECT_EQ(p_a->getHero(), nullptr);
  EXPECT_EQ(countType("Monster"), 2);
}

TEST_F(MonsterTest, OutOfTheWorldStopsWalking) {
  Monster *p_monster = new Monster(nullptr);
  p_monster->setVelocity(ks::Vector(0.4f, 0.1f));
  ks::EventOut out;
  EXPECT_EQ(p_monster->eventHandler(&out), 1);
  EXPECT_EQ(p_monster->getVelocity().getX(), 0);
}

TEST_F(MonsterTest, WarnsWithoutItsSprite) {
  ks::ResourceManager::getInstance().shutDown();
  ks::ResourceManager::getInstance().startUp();
  new Monster(nullptr);
  EXPECT_TRUE(
      kstest::logContains(log, "Monster::Monster(Hero*): Warning! Sprite 'monster' not found"));
}

using ArrowTest = gametest::GameTest;

TEST_F(ArrowTest, StartsSoftOnTopFlyingRight) {
  Arrow *p_arrow = new Arrow(ks::Vector(3, 4));
  EXPECT_EQ(p_arrow->getType(), "Arrow");
  EXPECT_EQ(p_arrow->getPosition(), ks::Vector(3, 4));
  EXPECT_EQ(p_arrow->getSolidness(), ks::SOFT);
  EXPECT_EQ(p_arrow->getAltitude(), ks::MAX_ALTITUDE);
  EXPECT_EQ(p_arrow->getVelocity(), ks::Vector(1, 0));
  EXPECT_TRUE(kstest::logContains(log, "Sound 'fire' not found"));
}

TEST_F(ArrowTest, KillsTheMonsterItHitsAndGoesWithIt) {
  Monster *p_monster = new Monster(nullptr);
  p_monster->setPosition(ks::Vector(20, 10));
  new Arrow(ks::Vector(10, 10));
  runSteps(12);
  EXPECT_EQ(countType("Monster"), 0);
  EXPECT_EQ(countType("Arrow"), 0);
  EXPECT_EQ(kstest::logCount(log, "Sound 'monsterDeath' not found"), 1);
}

TEST_F(ArrowTest, StopsAtDirtAndBordersWhichStay) {
  dirtRow(15, 15, 10);
  Tile *p_border = new Tile(VERT_BORDER_TILE);
  p_border->setPosition(ks::Vector(15, 20));
  new Arrow(ks::Vector(10, 10));
  new Arrow(ks::Vector(10, 20));
  runSteps(10);
  EXPECT_EQ(countType("Arrow"), 0);
  EXPECT_EQ(countType("tile"), 2);
  EXPECT_EQ(p_border->getTileType(), VERT_BORDER_TILE);
}

TEST_F(ArrowTest, PassesTheHeroAndTwoArrowsTakeEachOtherOut) {
  Hero *p_hero = new Hero;
  new Arrow(ks::Vector(4, 14));
  runSteps(6);
  EXPECT_EQ(countType("Arrow"), 1);
  EXPECT_GT(gametest::findType("Arrow")->getPosition().getX(), 9);
  (void)p_hero;

  Arrow *p_left = new Arrow(ks::Vector(30, 30));
  Arrow *p_right = new Arrow(ks::Vector(36, 30));
  p_right->setVelocity(ks::Vector(-1, 0));
  runSteps(5);
  EXPECT_EQ(countType("Arrow"), 1);
  (void)p_left;
}

TEST_F(ArrowTest, StaysInTheWorldAfterFlyingOutOfIt) {
  Arrow *p_arrow = new Arrow(ks::Vector(297, 30));
  runSteps(10);
  EXPECT_EQ(countType("Arrow"), 1);
  EXPECT_GT(p_arrow->getPosition().getX(), 300);
}

} // namespace
