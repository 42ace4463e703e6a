#include "GameStart.h"

#include "EventKeyboard.h"
#include "GameManager.h"
#include "Hero.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "WinCon.h"
#include "WorldManager.h"
#include "screenDraw.h"

GameStart::GameStart() {
  ks::Sprite *p_found = ks::ResourceManager::getInstance().getSprite("gamestart");
  if (p_found == nullptr) {
    ks::LogManager::getInstance().writeLog("GameStart::GameStart(): Warning! Sprite '%s' not found",
                                           "gamestart");
    return;
  }
  setSprite(p_found, true);
  setType("GameStart");
  setSpriteSlowdown(15);
  setLocation(ks::CENTER_CENTER);
  registerInterest(ks::KEYBOARD_EVENT);
}

int GameStart::eventHandler(const ks::Event *p_e) {
  if (p_e->getType() != ks::KEYBOARD_EVENT)
    return 0;
  int key = static_cast<const ks::EventKeyboard *>(p_e)->getKey();
  if (key == ks::P)
    start();
  else if (key == ks::Q)
    ks::GameManager::getInstance().setGameOver(true);
  return 1;
}

void GameStart::draw() {
  drawScreenSprite(this);
}

void GameStart::start() {
  Hero *p_hero = new Hero;
  ks::WorldManager::getInstance().setViewFollowing(p_hero);
  new WinCon;
  setActive(false);
}
