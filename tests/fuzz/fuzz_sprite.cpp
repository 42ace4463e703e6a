// The sprite file loader; every frame of a sprite it accepts holds width x height characters.
#include "FuzzSupport.h"
#include "ResourceManager.h"
#include "Sprite.h"
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  ksfuzz::startEngine();
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  if (rm.loadSprite(ksfuzz::inputFile(data, size, "sprite.txt"), "s") != 0)
    return 0;
  const ks::Sprite *p_s = rm.getSprite("s");
  for (int i = 0; i < p_s->getFrameCount(); i++)
    if (p_s->getFrame(i).getString().size() != size_t(p_s->getWidth()) * size_t(p_s->getHeight()))
      abort();
  rm.shutDown(); // emptied, so that every input meets the same manager
  rm.startUp();
  return 0;
}
