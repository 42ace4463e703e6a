#include "Tile.h"

#include "ResourceManager.h"

Tile::Tile(int init_tile_type) : tile_type(init_tile_type) {
  setType("tile");
  setTileType(init_tile_type);
}

int Tile::eventHandler(const ks::Event *) {
  return 0;
}

int Tile::getTileType() const {
  return tile_type;
}

void Tile::setTileType(int new_tile_type) {
  tile_type = new_tile_type;
  const char *label = nullptr;
  if (tile_type == DIRT_TILE)
    label = "dirt";
  else if (tile_type == VERT_BORDER_TILE)
    label = "vert_border";
  else if (tile_type == HOR_BORDER_TILE)
    label = "hor_border";
  if (label == nullptr) {
    setSolidness(ks::SPECTRAL);
    setSprite(nullptr, true);
    return;
  }
  setSolidness(ks::HARD);
  setSprite(ks::ResourceManager::getInstance().getSprite(label), true);
}
