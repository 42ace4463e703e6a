// The game's level loader.
#include "FuzzSupport.h"
#include "GameLoaders.h"
#include "WorldManager.h"

namespace {

/// An empty world of the game's size, as main() has it before loading the level.
void emptyWorld() {
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  wm.shutDown();
  wm.startUp();
  wm.setBoundary(ks::Box(ks::Vector(0, 0), MAP_WIDTH, MAP_HEIGHT));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static bool ready = false;
  if (!ready) {
    ready = true;
    ksfuzz::startEngine();
    emptyWorld();
  }
  loadMap(ksfuzz::inputFile(data, size, "map.csv"));
  // Each input leaves the world as it found it (so libFuzzer sees no memory held over).
  emptyWorld();
  return 0;
}
