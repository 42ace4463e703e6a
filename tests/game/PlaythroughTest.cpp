// The shipped level can be won: a simple player walks right, jumps when stopped, digs what it
// cannot jump and shoots the monsters, through the real game loop.
#include <cmath>

#include <gtest/gtest.h>

#include "Arrow.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameLoaders.h"
#include "GameStart.h"
#include "GameTestSupport.h"
#include "Hero.h"
#include "Monster.h"
#include "ObjectList.h"
#include "TestSupport.h"
#include "Tile.h"
#include "WinCon.h"
#include "WorldManager.h"
#include "geometry.h"

using gametest::countType;
using gametest::findType;
using gametest::sendKey;
using gametest::sendMouse;

namespace {

using PlaythroughTest = gametest::GameTest;

/// Plays the level step by step; window cells equal world cells (view corner at the origin).
class Player {
public:
  Player() : tiles(MAP_WIDTH, std::vector<Tile *>(MAP_HEIGHT, nullptr)) {
    ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects(true);
    for (int i = 0; i < all.getCount(); i++) {
      ks::Object *p_o = all.getItem(i);
      if (p_o->getType() == "tile")
        tiles[static_cast<int>(p_o->getPosition().getX())]
             [static_cast<int>(p_o->getPosition().getY())] = static_cast<Tile *>(p_o);
    }
  }

  /// One step of play for `p_hero`.
  void play(Hero *p_hero) {
    ks::Vector p = p_hero->getPosition();
    shoot(p_hero);
    // Keep out of reach of a monster close ahead until an arrow has got it.
    Monster *p_near = nearestMonster(p, 4.5f);
    if (p_near != nullptr && p_near->getPosition().getX() > p.getX() &&
        std::fabs(p_near->getPosition().getY() - p.getY()) < 3) {
      sendKey(ks::RIGHTARROW, ks::KEY_RELEASED);
      still = 0;
      last = p;
      return;
    }
    if (p.getX() >= 286 && !landed) {
      // Above the goal's ground: let go and drop onto it (walking on keeps the height).
      sendKey(ks::RIGHTARROW, ks::KEY_RELEASED);
      landed = p.getY() >= 14 && p.getY() == last.getY();
      last = p;
      return;
    }
    still = p == last ? still + 1 : 0;
    last = p;
    if (still >= 3 && p_hero->getJumpCount() == 0) {
      still = 0;
      if (jumps < 2) {
        sendKey(ks::UPARROW, ks::KEY_PRESSED);
        jumps++;
      } else {
        dig(p);
        jumps = 0;
        digs++;
      }
    }
    if (still == 0 && p.getX() > furthest) {
      furthest = p.getX();
      jumps = 0;
    }
    sendKey(ks::RIGHTARROW, ks::KEY_DOWN);
  }

  int digs = 0;       ///< times the player dug in front of the hero
  int shots = 0;      ///< arrows fired
  float furthest = 0; ///< the hero's largest x so far

private:
  /// Digs the dirt in front of a hero stopped at `p` (the column it would touch next).
  void dig(ks::Vector p) {
    int column = static_cast<int>(p.getX() + 1.5f);
    for (int row = static_cast<int>(std::ceil(p.getY() - 1.5f));
         row <= static_cast<int>(std::floor(p.getY() + 1.5f)); row++) {
      Tile *p_tile = tiles[column][row];
      if (p_tile != nullptr && p_tile->getTileType() == DIRT_TILE)
        sendMouse(ks::CLICKED, ks::LEFT, ks::Vector(static_cast<float>(column), row + 0.5f));
    }
  }

  /// True if a HARD tile touches the 1 x 1 box centred on `c`.
  bool blocked(ks::Vector c) const {
    for (int x = static_cast<int>(c.getX()) - 1; x <= static_cast<int>(c.getX()) + 1; x++) {
      for (int y = static_cast<int>(c.getY()) - 1; y <= static_cast<int>(c.getY()) + 1; y++) {
        if (x < 0 || y < 0 || x >= MAP_WIDTH || y >= MAP_HEIGHT || tiles[x][y] == nullptr ||
            tiles[x][y]->getSolidness() != ks::HARD)
          continue;
        if (std::fabs(x - c.getX()) <= 1 && std::fabs(y - c.getY()) <= 1)
          return true;
      }
    }
    return false;
  }

  /// True if an arrow from `from` aimed at `p_monster` reaches it before any dirt.
  bool clearShot(ks::Vector from, const Monster *p_monster) const {
    ks::Vector m = p_monster->getPosition();
    float dx = m.getX() - from.getX(), dy = m.getY() - from.getY();
    if (dx == 0)
      return false;
    ks::Vector v(dx > 0 ? 1.0f : -1.0f, dx > 0 ? dy / dx : -dy / dx);
    ks::Box target = ks::getWorldBox(p_monster);
    ks::Vector at = from;
    for (int k = 0; k < 40; k++) {
      at = at + v;
      if (ks::boxIntersectsBox(ks::Box(at - ks::Vector(0.5f, 0.5f), 1, 1), target))
        return true;
      if (blocked(at))
        return false;
    }
    return false;
  }

  /// The nearest monster within `range` columns, or null.
  static Monster *nearestMonster(ks::Vector p, float range) {
    Monster *p_nearest = nullptr;
    ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects();
    for (int i = 0; i < all.getCount(); i++) {
      // A cast, not the type string: this runs over 15000 tiles at every step.
      Monster *p_monster = dynamic_cast<Monster *>(all.getItem(i));
      if (p_monster == nullptr)
        continue;
      float d = std::fabs(p_monster->getPosition().getX() - p.getX());
      if (d < range &&
          (p_nearest == nullptr || d < std::fabs(p_nearest->getPosition().getX() - p.getX())))
        p_nearest = p_monster;
    }
    return p_nearest;
  }

  /// Shoots at the nearest monster when nothing is in the way.
  void shoot(Hero *p_hero) {
    ks::Vector p = p_hero->getPosition();
    Monster *p_monster = nearestMonster(p, 25);
    if (p_monster != nullptr && p_hero->getFireCountdown() == 0 && clearShot(p, p_monster)) {
      sendMouse(ks::CLICKED, ks::RIGHT, p_monster->getPosition());
      shots++;
    }
  }

  std::vector<std::vector<Tile *>> tiles; ///< the level's tiles by cell (world-owned)
  ks::Vector last;                        ///< the hero's position at the previous step
  int still = 0;                          ///< steps without moving
  int jumps = 0;                          ///< jumps tried at this place
  bool landed = false;                    ///< dropped at the goal
};

TEST_F(PlaythroughTest, TheShippedLevelCanBeWon) {
  ASSERT_EQ(loadMap(gametest::dataDir() + "/map.csv"), 0);
  new GameStart;
  sendKey(ks::P, ks::KEY_PRESSED);
  ASSERT_EQ(countType("Hero"), 1);
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  wm.setViewFollowing(nullptr);
  wm.setView(ks::Box(ks::Vector(0, 0), 0, 0));
  Hero *p_hero = static_cast<Hero *>(findType("Hero"));
  int hero_id = p_hero->getId();
  Player player;
  bool won = false;
  gametest::runSteps(6000, [&](int) {
    if (won || Hero::lookUp(hero_id) == nullptr)
      return;
    ks::ObjectList at_goal = wm.objectsInBox(ks::Box(ks::Vector(293, 14), 0, 0));
    won = true;
    for (int i = 0; i < at_goal.getCount(); i++)
      won = won && dynamic_cast<WinCon *>(at_goal.getItem(i)) == nullptr;
    if (!won)
      player.play(p_hero);
  });
  EXPECT_TRUE(won) << "the hero got to x " << player.furthest;
  EXPECT_EQ(countType("WinCon"), 0);
  EXPECT_EQ(countType("Hero"), 1);
  EXPECT_FALSE(kstest::logContains(log, "Player left."));
  RecordProperty("digs", player.digs);
  RecordProperty("shots", player.shots);
}

} // namespace
