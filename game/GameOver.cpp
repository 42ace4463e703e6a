#include "GameOver.h"

#include "EventStep.h"
#include "GameManager.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"
#include "screenDraw.h"

GameOver::GameOver() : time_to_live(0) {
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  ks::Sprite *p_found = rm.getSprite("gameover");
  if (p_found == nullptr) {
    ks::LogManager::getInstance().writeLog("GameOver::GameOver(): Warning! Sprite '%s' not found",
                                           "gameover");
    return;
  }
  setSprite(p_found, true);
  setType("GameOver");
  setSpriteSlowdown(15);
  setTransparency('#');
  time_to_live = p_found->getFrameCount() * 15;
  registerInterest(ks::STEP_EVENT);
  setLocation(ks::CENTER_CENTER);
  if (ks::Music *p_music = rm.getMusic("endMusic"))
    p_music->play(true);
}

GameOver::~GameOver() {
  ks::GameManager::getInstance().setGameOver(true);
}

int GameOver::eventHandler(const ks::Event *p_e) {
  if (p_e->getType() != ks::STEP_EVENT)
    return 0;
  time_to_live--;
  if (time_to_live <= 0)
    ks::WorldManager::getInstance().markForDelete(this);
  return 1;
}

void GameOver::draw() {
  drawScreenSprite(this);
}

int GameOver::getTimeToLive() const {
  return time_to_live;
}
