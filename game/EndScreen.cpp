#include "EndScreen.h"

#include "EventStep.h"
#include "GameManager.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"
#include "screenDraw.h"

EndScreen::EndScreen(const std::string &screen_type, const std::string &label) : time_to_live(0) {
  ks::Sprite *p_found = ks::ResourceManager::getInstance().getSprite(label);
  if (p_found == nullptr) {
    ks::LogManager::getInstance().writeLog("%s::%s(): Warning! Sprite '%s' not found",
                                           screen_type.c_str(), screen_type.c_str(), label.c_str());
    return;
  }
  setSprite(p_found, true);
  setType(screen_type);
  setSpriteSlowdown(15);
  setTransparency('#');
  time_to_live = p_found->getFrameCount() * 15;
  registerInterest(ks::STEP_EVENT);
  setLocation(ks::CENTER_CENTER);
}

EndScreen::~EndScreen() {
  ks::GameManager::getInstance().setGameOver(true);
}

bool EndScreen::isShowing() const {
  return getSprite() != nullptr;
}

int EndScreen::eventHandler(const ks::Event *p_e) {
  if (p_e->getType() != ks::STEP_EVENT)
    return 0;
  time_to_live--;
  if (time_to_live <= 0)
    ks::WorldManager::getInstance().markForDelete(this);
  return 1;
}

void EndScreen::draw() {
  drawScreenSprite(this);
}

int EndScreen::getTimeToLive() const {
  return time_to_live;
}
