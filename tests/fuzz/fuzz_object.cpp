// Object and view object texts: read, written back and drawn, with the game's sprites loaded.
#include "FuzzSupport.h"
#include "GameLoaders.h"
#include "ViewObject.h"

namespace {

void readWriteDraw(ks::Object *p_o, const std::string &text) {
  p_o->deserialize(text);
  p_o->serialize(true);
  p_o->draw();
  p_o->draw();
  delete p_o;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static bool loaded = false;
  if (!loaded) {
    loaded = true;
    ksfuzz::startEngine();
    // The game's resource table names its files relative to the data folder.
    ksfuzz::inFolder(KS_GAME_DATA_DIR, loadResources);
  }
  std::string text(reinterpret_cast<const char *>(data), size);
  readWriteDraw(new ks::Object, text);
  readWriteDraw(new ks::ViewObject, text);
  return 0;
}
