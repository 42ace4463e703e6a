#include "screenDraw.h"

#include "GraphicsManager.h"
#include "Sprite.h"
#include "WorldManager.h"

void drawScreenSprite(ks::Object *p_screen) {
  ks::Sprite *p_sprite = p_screen->getSprite();
  if (p_sprite == nullptr)
    return;
  ks::Vector corner = ks::WorldManager::getInstance().getView().getCorner();
  ks::GraphicsManager::getInstance().drawFrame(
      p_screen->getSpriteCenter(), p_sprite->getColor(), p_screen->getSpriteTransparency(),
      p_screen->getPosition() + corner, p_sprite->getFrame(p_screen->getSpriteIndex()));
  int slowdown = p_screen->getSpriteSlowdown();
  if (slowdown == 0)
    return;
  int count = p_screen->getSpriteSlowdownCount() + 1;
  if (count == slowdown) {
    count = 0;
    int index = p_screen->getSpriteIndex() + 1;
    p_screen->setSpriteIndex(index >= p_sprite->getFrameCount() ? 0 : index);
  }
  p_screen->setSpriteSlowdownCount(count);
}
