#include "Hero.h"

#include <algorithm>
#include <vector>

#include "Arrow.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "EventOut.h"
#include "EventStep.h"
#include "GameManager.h"
#include "GameOver.h"
#include "LogManager.h"
#include "Monster.h"
#include "ResourceManager.h"
#include "Reticle.h"
#include "WorldManager.h"

namespace {

// Every hero that exists: monsters and the reticle find their hero here by id, so that they
// never follow a pointer to a hero that has been destroyed.
std::vector<Hero *> &liveHeroes() {
  static std::vector<Hero *> heroes;
  return heroes;
}

} // namespace

Hero::Hero()
    : p_reticle(nullptr), fire_slowdown(15), fire_countdown(15), spawn_countdown(100),
      spawn_slowdown(100) {
  liveHeroes().push_back(this);
  setType("Hero");
  ks::Sprite *p_found = ks::ResourceManager::getInstance().getSprite("hero");
  if (p_found == nullptr) {
    ks::LogManager::getInstance().writeLog("Hero::Hero(): Warning! Sprite '%s' not found", "hero");
  } else {
    setSprite(p_found, true);
    setSpriteSlowdown(3);
    setTransparency(' ');
  }
  registerInterest(ks::KEYBOARD_EVENT);
  registerInterest(ks::STEP_EVENT);
  registerInterest(ks::MOUSE_EVENT);
  setPosition(ks::Vector(7, 14));
  p_reticle = new Reticle;
  p_reticle->setHero(this);
  p_reticle->draw();
}

Hero::~Hero() {
  std::vector<Hero *> &heroes = liveHeroes();
  heroes.erase(std::remove(heroes.begin(), heroes.end(), this), heroes.end());

  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  // A hero removed because the world shuts down at the end of the game did not die: no death
  // sound, and no screen, which would stay outside the world and never be freed.
  if (wm.isStarted()) {
    if (ks::Sound *p_sound = rm.getSound("heroDeath"))
      p_sound->play(false);
    if (ks::Music *p_music = rm.getMusic("music"))
      p_music->stop();
    new GameOver;
  }
  if (p_reticle != nullptr) {
    p_reticle->setHero(nullptr);
    wm.markForDelete(p_reticle);
  }
}

Hero *Hero::lookUp(int id) {
  for (Hero *p_hero : liveHeroes())
    if (p_hero->getId() == id)
      return p_hero;
  return nullptr;
}

Reticle *Hero::getReticle() const {
  return p_reticle;
}

void Hero::forgetReticle() {
  p_reticle = nullptr;
}

int Hero::getFireCountdown() const {
  return fire_countdown;
}

int Hero::getSpawnCountdown() const {
  return spawn_countdown;
}

int Hero::eventHandler(const ks::Event *p_e) {
  const std::string event_type = p_e->getType();
  if (event_type == ks::OUT_EVENT) {
    ks::LogManager::getInstance().writeLog("Player left.");
    ks::WorldManager::getInstance().markForDelete(this);
    return 1;
  }
  if (event_type == ks::MOUSE_EVENT) {
    const auto *p_mouse = static_cast<const ks::EventMouse *>(p_e);
    if (p_mouse->getMouseButton() == ks::RIGHT && p_mouse->getMouseAction() == ks::CLICKED)
      fire(p_mouse->getMousePosition());
    Character::eventHandler(p_e);
    return 1;
  }
  if (event_type == ks::STEP_EVENT) {
    spawnMonster();
    fire_countdown--;
    if (fire_countdown < 0)
      fire_countdown = 0;
    Character::eventHandler(p_e);
    return 1;
  }
  if (event_type == ks::KEYBOARD_EVENT) {
    const auto *p_key = static_cast<const ks::EventKeyboard *>(p_e);
    int action = p_key->getKeyboardAction();
    int key = p_key->getKey();
    float vy = getVelocity().getY();
    if (action == ks::KEY_DOWN && key == ks::RIGHTARROW && getJumpCount() == 0) {
      setVelocity(ks::Vector(0.5f, 0));
      return 1;
    }
    if (action == ks::KEY_DOWN && key == ks::LEFTARROW && getJumpCount() == 0) {
      setVelocity(ks::Vector(-0.5f, 0));
      return 1;
    }
    if (action == ks::KEY_DOWN && key == ks::Q) {
      ks::GameManager::getInstance().setGameOver(true);
      return 1;
    }
    if (action == ks::KEY_PRESSED && key == ks::UPARROW) {
      jump();
      return 1;
    }
    if (action == ks::KEY_RELEASED && (key == ks::RIGHTARROW || key == ks::LEFTARROW)) {
      setVelocity(ks::Vector(0, vy));
      return 1;
    }
  }
  return Character::eventHandler(p_e);
}

void Hero::fire(ks::Vector target) {
  if (fire_countdown > 0)
    return;
  fire_countdown = fire_slowdown;
  ks::Vector p = getPosition();
  ks::Vector c = ks::WorldManager::getInstance().getView().getCorner();
  Arrow *p_arrow = new Arrow(p);
  // From the hero to the pointer's world cell.
  float dx = (target.getX() - p.getX()) + c.getX();
  float dy = (target.getY() - p.getY()) + c.getY();
  if (dx == 0) {
    // In the hero's column: straight up or down (a pointer on the hero keeps the default).
    if (dy != 0)
      p_arrow->setVelocity(ks::Vector(0, dy > 0 ? 1.0f : -1.0f));
  } else if (dx < 0) {
    p_arrow->setVelocity(ks::Vector(-1, -dy / dx));
  } else {
    p_arrow->setVelocity(ks::Vector(1, dy / dx));
  }
}

void Hero::spawnMonster() {
  if (spawn_countdown > 0) {
    spawn_countdown--;
    return;
  }
  spawn_countdown = spawn_slowdown;
  Monster *p_monster = new Monster(this);
  p_monster->setPosition(ks::Vector(getPosition().getX() + 80, 3));
}
