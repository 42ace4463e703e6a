#include "WinCon.h"

#include "EventCollision.h"
#include "GameWin.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"

WinCon::WinCon() {
  ks::Sprite *p_found = ks::ResourceManager::getInstance().getSprite("win_con");
  if (p_found == nullptr) {
    ks::LogManager::getInstance().writeLog("WinCon::WinCon(): Warning! Sprite '%s' not found",
                                           "win_con");
  } else {
    setSprite(p_found, true);
    setSpriteSlowdown(3);
    setTransparency(' ');
  }
  setType("WinCon");
  setPosition(ks::Vector(293, 14));
  setSolidness(ks::SOFT);
}

WinCon::~WinCon() {
  // While the world shuts down a new screen would stay outside it and never be freed.
  if (ks::WorldManager::getInstance().isStarted())
    new GameWin;
}

int WinCon::eventHandler(const ks::Event *p_e) {
  if (p_e->getType() != ks::COLLISION_EVENT)
    return 0;
  const auto *p_c = static_cast<const ks::EventCollision *>(p_e);
  if (p_c->getObject1()->getType() == "Hero" || p_c->getObject2()->getType() == "Hero") {
    ks::WorldManager::getInstance().markForDelete(this);
    return 1;
  }
  return 0;
}
