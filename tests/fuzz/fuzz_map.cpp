// The game's level loader, each input on an empty world of the game's size.
#include "FuzzSupport.h"
#include "GameLoaders.h"
#include "WorldManager.h"
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  ksfuzz::startEngine();
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  wm.setBoundary(ks::Box(ks::Vector(0, 0), MAP_WIDTH, MAP_HEIGHT));
  loadMap(ksfuzz::inputFile(data, size, "map.csv"));
  wm.shutDown(); // emptied again: no memory held over from one input to the next
  wm.startUp();
  return 0;
}
