#include "Player.h"

#include <algorithm>
#include <cmath>

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameLoaders.h"
#include "Hero.h"
#include "Monster.h"
#include "ObjectList.h"
#include "Tile.h"
#include "WorldManager.h"

namespace play {

namespace {

/// Every monster in the world that is active.
std::vector<Monster *> monsters() {
  std::vector<Monster *> found;
  ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects();
  for (int i = 0; i < all.getCount(); i++)
    if (Monster *p_monster = dynamic_cast<Monster *>(all.getItem(i)))
      found.push_back(p_monster);
  return found;
}

} // namespace

Player::Player(Controls *p_init_controls, bool init_walks)
    : p_controls(p_init_controls), walks(init_walks),
      tiles(MAP_WIDTH, std::vector<Tile *>(MAP_HEIGHT, nullptr)) {
  ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects(true);
  for (int i = 0; i < all.getCount(); i++) {
    ks::Object *p_o = all.getItem(i);
    if (p_o->getType() != "tile")
      continue;
    int x = static_cast<int>(p_o->getPosition().getX());
    int y = static_cast<int>(p_o->getPosition().getY());
    if (x >= 0 && x < MAP_WIDTH && y >= 0 && y < MAP_HEIGHT)
      tiles[x][y] = static_cast<Tile *>(p_o);
  }
}

Tile *Player::tileAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= MAP_WIDTH || y >= MAP_HEIGHT)
    return nullptr;
  return tiles[x][y];
}

bool Player::hard(int x, int y) const {
  Tile *p_tile = tileAt(x, y);
  return p_tile != nullptr && p_tile->getSolidness() == ks::HARD;
}

bool Player::hits(ks::Vector p) const {
  // The hero's box is 1 x 2 around its position, a tile's 1 x 1; touching counts.
  for (int x = static_cast<int>(std::ceil(p.getX() - 1)); x <= std::floor(p.getX() + 1); x++)
    for (int y = static_cast<int>(std::ceil(p.getY() - 1.5f)); y <= std::floor(p.getY() + 1.5f);
         y++)
      if (hard(x, y))
        return true;
  return false;
}

bool Player::supported(ks::Vector p) const {
  int row = static_cast<int>(std::lround(p.getY() + 1.55f));
  for (int x = static_cast<int>(std::ceil(p.getX() - 1)); x <= std::floor(p.getX() + 1); x++) {
    float gap = (row - 0.5f) - (p.getY() + 1);
    if (hard(x, row) && gap > -0.01f && gap < 0.15f)
      return true;
  }
  return false;
}

bool Player::groundBelow(ks::Vector p, int rows) const {
  int first = static_cast<int>(std::floor(p.getY() + 1.5f));
  for (int x = static_cast<int>(std::ceil(p.getX() - 1)); x <= std::floor(p.getX() + 1); x++)
    for (int y = first; y <= first + rows; y++)
      if (hard(x, y))
        return true;
  return false;
}

int Player::runUpFor(ks::Vector p, int wall) const {
  for (int n = 1; n <= 9; n++) {
    bool clear = true;
    for (int j = 1; j <= n && clear; j++)
      clear = !hits(p - ks::Vector(0.5f * j, 0));
    // n steps left, one step right, then the jump: (0.5, -1), gravity 0.1 a step.
    ks::Vector at = p - ks::Vector(0.5f * (n - 1), 0);
    if (!clear || hits(at))
      continue;
    float vy = -1;
    for (int k = 0; k < 40; k++) {
      ks::Vector next = at + ks::Vector(0.5f, vy);
      if (hits(next))
        break;
      at = next;
      vy += 0.1f;
    }
    if (at.getX() >= wall)
      return n;
  }
  return 0;
}

bool Player::bridge(ks::Vector p) {
  int row = static_cast<int>(std::lround(p.getY() + 1.55f));
  int x0 = static_cast<int>(std::floor(p.getX()));
  for (int x = x0 + 1; x <= x0 + 4; x++) {
    Tile *p_tile = tileAt(x, row);
    if (p_tile == nullptr || p_tile->getTileType() != EMPTY_TILE)
      continue;
    bool bottomless = true;
    for (int y = row; y < MAP_HEIGHT && bottomless; y++)
      bottomless = !hard(x, y);
    if (!bottomless)
      continue;
    p_controls->click(ks::LEFT, windowCell(x, row));
    builds++;
    built.push_back(ks::Vector(static_cast<float>(x), static_cast<float>(row)));
    return true;
  }
  return false;
}

void Player::blocked(ks::Vector p) {
  int wall = static_cast<int>(std::floor(p.getX() + 1.5f));
  int top = static_cast<int>(std::ceil(p.getY() - 1.5f));
  int bottom = static_cast<int>(std::floor(p.getY() + 1.5f));
  bool any = false;
  for (int y = top; y <= bottom; y++)
    any = any || hard(wall, y);
  if (!any)
    return; // held up by something else (a monster): wait
  if (tries[wall] == 0) {
    int n = runUpFor(p, wall);
    if (n > 0) {
      tries[wall]++;
      p_controls->release(ks::RIGHTARROW);
      p_controls->press(ks::LEFTARROW);
      mode = BACKING;
      steps_left = n;
      return;
    }
  }
  if (clicked)
    return;
  for (int y = top; y <= bottom; y++) {
    Tile *p_tile = tileAt(wall, y);
    if (p_tile != nullptr && p_tile->getTileType() == DIRT_TILE) {
      p_controls->click(ks::LEFT, windowCell(wall, y));
      digs++;
      dug.push_back(ks::Vector(static_cast<float>(wall), static_cast<float>(y)));
      return;
    }
  }
}

bool Player::arrowHits(ks::Vector from, ks::Vector v, const Monster *p_monster,
                       ks::Vector monster_v, int steps) const {
  ks::Box box = p_monster->getBox();
  float reach_x = 0.5f + box.getHorizontal() / 2, reach_y = 0.5f + box.getVertical() / 2;
  for (int j = 1; j <= steps; j++) {
    ks::Vector a = from + ks::Vector(v.getX() * j, v.getY() * j);
    ks::Vector m =
        p_monster->getPosition() + ks::Vector(monster_v.getX() * j, monster_v.getY() * j);
    if (std::fabs(a.getX() - m.getX()) <= reach_x && std::fabs(a.getY() - m.getY()) <= reach_y)
      return true;
    for (int x = static_cast<int>(std::ceil(a.getX() - 1)); x <= std::floor(a.getX() + 1); x++)
      for (int y = static_cast<int>(std::ceil(a.getY() - 1)); y <= std::floor(a.getY() + 1); y++)
        if (hard(x, y))
          return false;
  }
  return false;
}

bool Player::shoot(Hero *p_hero) {
  if (p_hero->getFireCountdown() > 0)
    return false;
  std::vector<Monster *> seen = monsters();
  ks::Vector p = p_hero->getPosition();
  // Nearest first.
  std::sort(seen.begin(), seen.end(), [&](Monster *p_a, Monster *p_b) {
    return std::fabs(p_a->getPosition().getX() - p.getX()) <
           std::fabs(p_b->getPosition().getX() - p.getX());
  });
  for (Monster *p_monster : seen) {
    ks::Vector m = p_monster->getPosition();
    if (std::fabs(m.getX() - p.getX()) > 30)
      break;
    // Monsters steer at odd steps and sink by 0.1 at even ones.
    ks::Vector mv(p_monster->getVelocity().getX(), 0.05f);
    for (int side : {1, -1}) {
      for (int k = 1; k <= 25; k++) {
        ks::Vector target = m + ks::Vector(mv.getX() * k, mv.getY() * k);
        float dy = target.getY() - p.getY();
        ks::Vector v(static_cast<float>(side), dy / k);
        if (std::fabs(v.getY()) > 1.5f)
          continue;
        if (!arrowHits(p, v, p_monster, mv, k + 3))
          continue;
        p_controls->click(ks::RIGHT, toWindow(p + ks::Vector(static_cast<float>(side * k), dy)));
        shots++;
        return true;
      }
    }
  }
  return false;
}

void Player::stop() {
  p_controls->release(ks::RIGHTARROW);
  p_controls->release(ks::LEFTARROW);
  mode = WALKING;
  walks = false;
}

void Player::play(Hero *p_hero) {
  ks::Vector p = p_hero->getPosition();
  bool moved = p != last;
  last = p;
  furthest = std::max(furthest, p.getX());
  clicked = shoot(p_hero);
  if (!walks)
    return;

  switch (mode) {
  case BACKING:
    if (--steps_left > 0)
      return;
    p_controls->release(ks::LEFTARROW);
    p_controls->press(ks::RIGHTARROW);
    mode = RUN_UP;
    return;
  case RUN_UP:
    // Right is held: the jump carries the hero up and on.
    p_controls->tap(ks::UPARROW);
    jumps++;
    mode = WALKING;
    return;
  case WALKING:
    break;
  }
  if (p_hero->getJumpCount() != 0)
    return; // in the air after a jump: no steering until it touches something

  bool on_ground = supported(p);
  if (on_ground) {
    // Keep out of reach of a monster close ahead until an arrow gets it.
    for (Monster *p_monster : monsters()) {
      ks::Vector m = p_monster->getPosition();
      if (m.getX() > p.getX() && m.getX() - p.getX() < 6 && std::fabs(m.getY() - p.getY()) < 3) {
        p_controls->release(ks::RIGHTARROW);
        return;
      }
    }
  }
  if (!p_controls->isDown(ks::RIGHTARROW)) {
    // Dropping, or stopped: walk on once standing still on the ground.
    if (on_ground && !moved)
      p_controls->press(ks::RIGHTARROW);
    return;
  }
  if (!on_ground) {
    // Held, the right arrow carries the hero on through the air: let go to step down.
    if (groundBelow(p, 12))
      p_controls->release(ks::RIGHTARROW);
    return;
  }
  if (!clicked && bridge(p)) {
    clicked = true;
    return;
  }
  if (!moved)
    blocked(p);
}

} // namespace play
