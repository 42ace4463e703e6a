#include "Arrow.h"

#include "ResourceManager.h"
#include "WorldManager.h"

Arrow::Arrow(ks::Vector start_pos) {
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  if (ks::Sound *p_sound = rm.getSound("fire"))
    p_sound->play(false);
  setPosition(start_pos);
  setSprite(rm.getSprite("arrow"), true);
  setSolidness(ks::SOFT);
  setType("Arrow");
  setVelocity(ks::Vector(1, 0));
  setAltitude(ks::MAX_ALTITUDE);
}

int Arrow::eventHandler(const ks::Event *p_e) {
  if (p_e->getType() == ks::COLLISION_EVENT) {
    hit(static_cast<const ks::EventCollision *>(p_e));
    return 1;
  }
  return 0;
}

void Arrow::hit(const ks::EventCollision *p_c) {
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  std::string type1 = p_c->getObject1()->getType();
  std::string type2 = p_c->getObject2()->getType();
  if (type1 == "Monster" || type2 == "Monster") {
    wm.markForDelete(p_c->getObject1());
    wm.markForDelete(p_c->getObject2());
  } else if (type1 != "Hero" && type2 != "Hero") {
    wm.markForDelete(this);
  }
}
