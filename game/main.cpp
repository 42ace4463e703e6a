// The game's entry point: options, engine, splash, level, start screen, game loop.
#include <cstdio>

#include "Configuration.h"
#include "GameLoaders.h"
#include "GameManager.h"
#include "GameOptions.h"
#include "GameStart.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "Splash.h"
#include "WorldManager.h"

int main(int argc, char **argv) {
  GameOptions options;
  std::string error;
  if (options.parse(argc, argv, &error) != 0) {
    if (!error.empty())
      fprintf(stderr, "kestle-game: %s\n", error.c_str());
    fputs(GameOptions::usage(), stderr);
    return error.empty() ? 0 : 2;
  }
  ks::Configuration::getInstance().setOverrides(options.getOverrides());

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
  int result = 0;
  if (!options.getFinalFrame().empty() &&
      ks::GraphicsManager::getInstance().getLastFrame().writeFile(options.getFinalFrame()) != 0)
    result = 1;
  // Stopping the engine ends the recording, if there is one, with its closing line.
  gm.shutDown();
  return result;
}
