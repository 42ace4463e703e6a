// Object and view object texts: read, written back and drawn, with the game's sprites loaded.
#include "FuzzSupport.h"
#include "GameLoaders.h"
#include "ViewObject.h"
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static bool loaded = false;
  ksfuzz::startEngine();
  if (!loaded) // the game's resource table names its files relative to the data folder
    ksfuzz::inFolder(KS_GAME_DATA_DIR, loadResources);
  loaded = true;
  for (ks::Object *p_o : {new ks::Object, static_cast<ks::Object *>(new ks::ViewObject)}) {
    p_o->deserialize(std::string(reinterpret_cast<const char *>(data), size));
    p_o->serialize(true);
    p_o->draw();
    p_o->draw();
    delete p_o;
  }
  return 0;
}
