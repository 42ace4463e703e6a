#include "GameLoaders.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "LogManager.h"
#include "ResourceManager.h"
#include "Tile.h"
#include "utility.h"

void loadResources() {
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  rm.loadSprite("sprites/dot-spr.txt", "dirt");
  rm.loadSprite("sprites/hero-spr.txt", "hero");
  rm.loadSprite("sprites/monster-spr.txt", "monster");
  rm.loadSprite("sprites/hor-border-spr.txt", "hor_border");
  rm.loadSprite("sprites/vert-border-spr.txt", "vert_border");
  rm.loadSprite("sprites/arrow-spr.txt", "arrow");
  rm.loadSprite("sprites/win-con-spr.txt", "win_con");
  rm.loadSprite("sprites/gameover-spr.txt", "gameover");
  rm.loadSprite("sprites/gamestart-spr.txt", "gamestart");
  rm.loadSprite("sprites/gamewin-spr.txt", "gamewin");
  rm.loadMusic("sounds/music.wav", "music");
  rm.loadMusic("sounds/end-music.wav", "endMusic");
  rm.loadSound("sounds/fire.wav", "fire");
  rm.loadSound("sounds/monster-death.wav", "monsterDeath");
  rm.loadSound("sounds/hero-death.wav", "heroDeath");
  rm.loadSound("sounds/dig.wav", "dig");
}

int loadMap(std::string filename) {
  std::ifstream file(filename);
  if (!file.good()) {
    ks::LogManager::getInstance().writeLog("\nError opening the map file.");
    return -1;
  }
  // grid[y][x]; rows missing from the file stay 0 (empty).
  std::vector<std::vector<int>> grid(MAP_HEIGHT, std::vector<int>(MAP_WIDTH, 0));
  std::string line;
  for (int y = 0; y < MAP_HEIGHT && std::getline(file, line); y++) {
    std::istringstream fields(line);
    std::string field;
    for (int x = 0; x < MAP_WIDTH && std::getline(fields, field, ','); x++)
      grid[y][x] = ks::textToInt(field); // held to the int range: no wrapping into a tile code
  }
  for (int x = 0; x < MAP_WIDTH; x++) {
    for (int y = 0; y < MAP_HEIGHT; y++) {
      int code = grid[y][x];
      if (code < EMPTY_TILE || code > HOR_BORDER_TILE)
        continue;
      Tile *p_tile = new Tile(code);
      p_tile->setPosition(ks::Vector(static_cast<float>(x), static_cast<float>(y)));
    }
  }
  file.close();
  return 0;
}
