// The hero: walking, jumping, falling out, shooting and spawning monsters.
#include <gtest/gtest.h>

#include "Arrow.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "GameTestSupport.h"
#include "Hero.h"
#include "Monster.h"
#include "Reticle.h"
#include "TestSupport.h"
#include "WorldManager.h"

using gametest::countType;
using gametest::dirtRow;
using gametest::runSteps;
using gametest::sendKey;
using gametest::sendMouse;

namespace {

/// A hero standing on a floor of dirt at row 16 from column 0 to 60.
class HeroTest : public gametest::GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    dirtRow(0, 60, 16);
    p_hero = new Hero;
    runSteps(10); // lands
  }
  Hero *p_hero = nullptr; ///< owned by the world manager
};

TEST_F(HeroTest, StartsAtItsPlaceWithItsReticleAndLands) {
  EXPECT_EQ(p_hero->getType(), "Hero");
  EXPECT_EQ(p_hero->getPosition().getX(), 7);
  // Resting just above the floor (a move that would touch it is refused).
  float y = p_hero->getPosition().getY();
  EXPECT_GT(y, 14.3f);
  EXPECT_LT(y + 1, 15.5f);
  EXPECT_EQ(p_hero->getJumpCount(), 0);
  ASSERT_NE(p_hero->getReticle(), nullptr);
  EXPECT_EQ(p_hero->getReticle()->getHero(), p_hero);
  EXPECT_EQ(p_hero->getReticle()->getPosition(), ks::Vector(150, 25));
  EXPECT_EQ(p_hero->getBox().getHorizontal(), 1);
  EXPECT_EQ(p_hero->getBox().getVertical(), 2);
}

TEST_F(HeroTest, WalksOnFlatGroundAndStopsOnRelease) {
  float y = p_hero->getPosition().getY();
  // A key held at a step moves the hero in the next one: 19 moves of half a cell.
  runSteps(20, [](int) { sendKey(ks::RIGHTARROW, ks::KEY_DOWN); });
  EXPECT_FLOAT_EQ(p_hero->getPosition().getX(), 16.5f);
  EXPECT_FLOAT_EQ(p_hero->getPosition().getY(), y);
  runSteps(8, [](int step) {
    if (step < 4)
      sendKey(ks::LEFTARROW, ks::KEY_DOWN);
    if (step == 4)
      sendKey(ks::LEFTARROW, ks::KEY_RELEASED);
  });
  // One more move right, four left, then the release stopped it.
  EXPECT_FLOAT_EQ(p_hero->getPosition().getX(), 15);
  EXPECT_EQ(p_hero->getVelocity().getX(), 0);
}

TEST_F(HeroTest, JumpsOnlyFromTheGround) {
  float ground_y = p_hero->getPosition().getY();
  float lowest = ground_y;
  runSteps(6, [&](int step) {
    if (step == 0 || step == 3)
      sendKey(ks::UPARROW, ks::KEY_PRESSED);
  });
  // One jump, pressed in the first step: 1.0 + 0.9 + 0.8 + 0.7 + 0.6 up in the next five; the
  // second press changed nothing.
  EXPECT_NEAR(p_hero->getPosition().getY(), ground_y - 4.0f, 0.01f);
  EXPECT_EQ(p_hero->getJumpCount(), 60);
  runSteps(30, [&](int) { lowest = std::max(lowest, p_hero->getPosition().getY()); });
  EXPECT_EQ(p_hero->getJumpCount(), 0);
  EXPECT_LT(lowest + 1, 15.5f);
  // Landed: a new jump works.
  runSteps(2, [](int step) {
    if (step == 0)
      sendKey(ks::UPARROW, ks::KEY_PRESSED);
  });
  EXPECT_LT(p_hero->getPosition().getY(), ground_y - 0.5f);
}

TEST_F(HeroTest, CannotSteerInTheAir) {
  float x = p_hero->getPosition().getX();
  runSteps(4, [](int step) {
    if (step == 0)
      sendKey(ks::UPARROW, ks::KEY_PRESSED);
    else
      sendKey(ks::RIGHTARROW, ks::KEY_DOWN);
  });
  EXPECT_EQ(p_hero->getPosition().getX(), x);
}

TEST_F(HeroTest, ClimbsAOneCellStepByJumping) {
  dirtRow(20, 60, 15);
  float ground_y = p_hero->getPosition().getY();
  bool jumped = false;
  float last_x = -1;
  runSteps(80, [&](int) {
    float x = p_hero->getPosition().getX();
    if (!jumped && x == last_x && x > 15) {
      sendKey(ks::UPARROW, ks::KEY_PRESSED);
      jumped = true;
    }
    last_x = x;
    sendKey(ks::RIGHTARROW, ks::KEY_DOWN);
  });
  EXPECT_TRUE(jumped);
  EXPECT_GT(p_hero->getPosition().getX(), 25);
  // Landed on the step and walking on it, one row higher.
  runSteps(10, [](int step) {
    if (step == 0)
      sendKey(ks::RIGHTARROW, ks::KEY_RELEASED);
  });
  EXPECT_NEAR(p_hero->getPosition().getY(), ground_y - 1, 0.11f);
}

TEST_F(HeroTest, StopsAtAWallTwoCellsHighWithoutARunningStart) {
  dirtRow(10, 60, 15);
  dirtRow(10, 60, 14);
  runSteps(40, [&](int step) {
    if (step == 20)
      sendKey(ks::UPARROW, ks::KEY_PRESSED);
    sendKey(ks::RIGHTARROW, ks::KEY_DOWN);
  });
  EXPECT_EQ(p_hero->getPosition().getX(), 8.5f);
}

TEST_F(HeroTest, FallingOutOfTheWorldEndsWithTheGameOverScreen) {
  p_hero->setPosition(ks::Vector(80, 14)); // beyond the floor
  int steps = runSteps(1000);
  EXPECT_EQ(kstest::logCount(log, "Player left."), 1);
  EXPECT_EQ(countType("Hero"), 0);
  EXPECT_EQ(countType("Reticle"), 0);
  EXPECT_TRUE(kstest::logContains(log, "Sound 'heroDeath' not found"));
  EXPECT_TRUE(kstest::logContains(log, "Music 'endMusic' not found"));
  // The game-over screen ran its time and ended the game.
  EXPECT_LT(steps, 1000);
  EXPECT_GT(steps, 90);
}

TEST_F(HeroTest, SpawnsAMonsterEvery101Steps) {
  // Ten step events so far.
  EXPECT_EQ(p_hero->getSpawnCountdown(), 90);
  runSteps(90);
  EXPECT_EQ(countType("Monster"), 0);
  runSteps(1);
  ASSERT_EQ(countType("Monster"), 1);
  ks::Object *p_monster = gametest::findType("Monster");
  EXPECT_EQ(p_monster->getPosition(), ks::Vector(p_hero->getPosition().getX() + 80, 3));
  runSteps(100);
  EXPECT_EQ(countType("Monster"), 1);
  runSteps(1);
  EXPECT_EQ(countType("Monster"), 2);
}

TEST_F(HeroTest, FiresAtMostEveryFifteenSteps) {
  ks::Vector above(7, 0);
  // Ten steps since the hero was made: five more before the first arrow.
  runSteps(4);
  EXPECT_EQ(p_hero->getFireCountdown(), 1);
  sendMouse(ks::CLICKED, ks::RIGHT, above);
  EXPECT_EQ(countType("Arrow"), 0);
  runSteps(1);
  sendMouse(ks::CLICKED, ks::RIGHT, above);
  EXPECT_EQ(countType("Arrow"), 1);
  runSteps(14);
  sendMouse(ks::CLICKED, ks::RIGHT, above);
  EXPECT_EQ(countType("Arrow"), 1);
  runSteps(1);
  sendMouse(ks::CLICKED, ks::LEFT, above);
  sendMouse(ks::PRESSED, ks::RIGHT, above);
  EXPECT_EQ(countType("Arrow"), 1);
  sendMouse(ks::CLICKED, ks::RIGHT, above);
  EXPECT_EQ(countType("Arrow"), 2);
}

/// Fires once at `window_pos` and returns the arrow's velocity.
ks::Vector shotAt(Hero *p_hero, ks::Vector window_pos) {
  runSteps(15);
  int before = countType("Arrow");
  sendMouse(ks::CLICKED, ks::RIGHT, window_pos);
  EXPECT_EQ(countType("Arrow"), before + 1);
  ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects();
  ks::Object *p_last = nullptr;
  for (int i = 0; i < all.getCount(); i++)
    if (all.getItem(i)->getType() == "Arrow")
      p_last = all.getItem(i);
  EXPECT_EQ(p_last->getPosition(), p_hero->getPosition());
  return p_last->getVelocity();
}

TEST_F(HeroTest, ArrowsFlyTowardsThePointerEvenStraightUpOrDown) {
  ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(2, 3), 80, 24));
  ks::Vector p = p_hero->getPosition();
  // Pointer in the hero's column: straight up or straight down, no division by zero.
  ks::Vector up = shotAt(p_hero, ks::Vector(p.getX() - 2, 1));
  EXPECT_EQ(up, ks::Vector(0, -1));
  ks::Vector down = shotAt(p_hero, ks::Vector(p.getX() - 2, 20));
  EXPECT_EQ(down, ks::Vector(0, 1));
  // Right: one column per step, rising by the slope to the pointer's world cell.
  ks::Vector right = shotAt(p_hero, ks::Vector(p.getX() - 2 + 4, p.getY() - 3 - 2));
  EXPECT_NEAR(right.getX(), 1, 1e-5);
  EXPECT_NEAR(right.getY(), -0.5f, 1e-5);
  ks::Vector left = shotAt(p_hero, ks::Vector(p.getX() - 2 - 4, p.getY() - 3 - 2));
  EXPECT_NEAR(left.getX(), -1, 1e-5);
  EXPECT_NEAR(left.getY(), -0.5f, 1e-5);
}

TEST_F(HeroTest, OwnArrowLeavesTheHeroAndLandsIt) {
  runSteps(5);
  sendKey(ks::UPARROW, ks::KEY_PRESSED);
  runSteps(2);
  ASSERT_EQ(p_hero->getJumpCount(), 60);
  sendMouse(ks::CLICKED, ks::RIGHT, ks::Vector(30, p_hero->getPosition().getY()));
  ASSERT_EQ(countType("Arrow"), 1);
  runSteps(1);
  // The arrow touched the hero on its way out: a collision like any other.
  EXPECT_EQ(p_hero->getJumpCount(), 0);
  runSteps(3);
  EXPECT_EQ(countType("Arrow"), 1);
  EXPECT_GT(gametest::findType("Arrow")->getPosition().getX(), 9);
}

TEST_F(HeroTest, MonsterTouchKillsTheHeroAndStays) {
  Monster *p_monster = new Monster(p_hero);
  p_monster->setPosition(ks::Vector(14, 14.4f));
  int steps = runSteps(2000);
  EXPECT_EQ(countType("Hero"), 0);
  EXPECT_EQ(countType("Monster"), 1);
  EXPECT_EQ(p_monster->getHero(), nullptr);
  EXPECT_TRUE(kstest::logContains(log, "Music 'endMusic' not found"));
  // The game-over screen ended the game, and the monster stood still meanwhile.
  EXPECT_LT(steps, 2000);
  EXPECT_EQ(p_monster->getVelocity().getX(), 0);
}

} // namespace
