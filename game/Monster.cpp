#include "Monster.h"

#include "EventCollision.h"
#include "EventStep.h"
#include "Hero.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"

Monster::Monster(Hero *p_hero) : hero_id(p_hero != nullptr ? p_hero->getId() : -1) {
  ks::Sprite *p_found = ks::ResourceManager::getInstance().getSprite("monster");
  if (p_found == nullptr) {
    ks::LogManager::getInstance().writeLog(
        "Monster::Monster(Hero*): Warning! Sprite '%s' not found", "monster");
  } else {
    setSprite(p_found, true);
    setSpriteSlowdown(3);
    setTransparency(' ');
  }
  setType("Monster");
  setPosition(ks::Vector(40, 5));
  registerInterest(ks::STEP_EVENT);
}

Monster::~Monster() {
  // Removed with the rest of the world at the end of the game, it did not die.
  if (!ks::WorldManager::getInstance().isStarted())
    return;
  if (ks::Sound *p_sound = ks::ResourceManager::getInstance().getSound("monsterDeath"))
    p_sound->play(false);
}

Hero *Monster::getHero() const {
  return Hero::lookUp(hero_id);
}

int Monster::eventHandler(const ks::Event *p_e) {
  ks::LogManager::getInstance().writeLog("Got to eventHandler");
  Hero *p_hero = getHero();
  if (p_e->getType() == ks::STEP_EVENT) {
    int n = static_cast<const ks::EventStep *>(p_e)->getStepCount();
    if (n % 2 == 1) {
      if (getJumpCount() == 0) {
        if (p_hero == nullptr) {
          // Nobody left to chase: stand, sinking as usual.
          setVelocity(ks::Vector(0, 0));
        } else {
          float hero_x = p_hero->getPosition().getX();
          float x = getPosition().getX();
          if (hero_x > x)
            setVelocity(ks::Vector(0.4f, 0));
          else if (x > hero_x)
            setVelocity(ks::Vector(-0.4f, 0));
        }
      }
    } else {
      Character::eventHandler(p_e);
    }
    return 1;
  }
  if (p_e->getType() == ks::COLLISION_EVENT) {
    const auto *p_c = static_cast<const ks::EventCollision *>(p_e);
    if (p_hero != nullptr && (p_c->getObject1() == p_hero || p_c->getObject2() == p_hero)) {
      ks::WorldManager::getInstance().markForDelete(p_hero);
      return 1;
    }
    return 0;
  }
  return Character::eventHandler(p_e) == 1 ? 1 : 0;
}
