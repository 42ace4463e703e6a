// One cell of the level.
#ifndef TILE_H
#define TILE_H

#include "Object.h"

/// Kinds of tile, as coded in the level map.
enum TileType {
  EMPTY_TILE = 0,       ///< invisible, SPECTRAL; the player may fill it with dirt
  DIRT_TILE = 1,        ///< sprite "dirt", HARD; the player may dig it away
  VERT_BORDER_TILE = 2, ///< sprite "vert_border", HARD, never changes
  HOR_BORDER_TILE = 3,  ///< sprite "hor_border", HARD, never changes
};

/// A cell of the level: empty, dirt or border. Type "tile" for every kind.
class Tile : public ks::Object {
public:
  /// A tile of kind `init_tile_type` (a TileType) with that kind's look and solidness.
  explicit Tile(int init_tile_type);
  /// Tiles react to nothing: 0.
  int eventHandler(const ks::Event *p_e) override;
  /// The kind of tile (a TileType).
  int getTileType() const;
  /// Changes the kind, with its sprite and solidness (an unknown kind looks empty).
  void setTileType(int new_tile_type);

private:
  int tile_type; ///< a TileType
};

#endif
