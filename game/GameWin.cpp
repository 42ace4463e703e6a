#include "GameWin.h"

#include "EventStep.h"
#include "GameManager.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"
#include "screenDraw.h"

GameWin::GameWin() : time_to_live(0) {
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  ks::Sprite *p_found = rm.getSprite("gamewin");
  if (p_found == nullptr) {
    ks::LogManager::getInstance().writeLog("GameWin::GameWin(): Warning! Sprite '%s' not found",
                                           "gamewin");
    return;
  }
  setSprite(p_found, true);
  setType("GameWin");
  setSpriteSlowdown(15);
  setTransparency('#');
  time_to_live = p_found->getFrameCount() * 15;
  registerInterest(ks::STEP_EVENT);
  setLocation(ks::CENTER_CENTER);
}

GameWin::~GameWin() {
  ks::GameManager::getInstance().setGameOver(true);
}

int GameWin::eventHandler(const ks::Event *p_e) {
  if (p_e->getType() != ks::STEP_EVENT)
    return 0;
  time_to_live--;
  if (time_to_live <= 0)
    ks::WorldManager::getInstance().markForDelete(this);
  return 1;
}

void GameWin::draw() {
  drawScreenSprite(this);
}

int GameWin::getTimeToLive() const {
  return time_to_live;
}
