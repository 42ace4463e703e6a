// The game's entry point: engine, splash, level, start screen, game loop.
#include "GameLoaders.h"
#include "GameManager.h"
#include "GameStart.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "Splash.h"
#include "WorldManager.h"

int main() {
  ks::GameManager &gm = ks::GameManager::getInstance();
  ks::LogManager &lm = ks::LogManager::getInstance();
  if (gm.startUp() != 0) {
    lm.writeLog("Error starting game manager!");
    gm.shutDown();
    return 1;
  }
  lm.setFlush(true);
  ks::splash();
  ks::WorldManager::getInstance().setBoundary(
      ks::Box(ks::Vector(0, 0), static_cast<float>(MAP_WIDTH), static_cast<float>(MAP_HEIGHT)));
  loadResources();
  if (loadMap() != 0) { // it wrote why
    gm.shutDown();
    return 1;
  }
  new GameStart;
  if (ks::Music *p_music = ks::ResourceManager::getInstance().getMusic("music"))
    p_music->play(true);
  gm.run();
  return 0;
}
