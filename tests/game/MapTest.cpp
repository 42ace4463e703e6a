// The level map loader: a line of tile codes per row of the world, and what it makes of odd
// files (the shipped map and sprites are loaded by every golden run).
#include <gtest/gtest.h>

#include "GameLoaders.h"
#include "GameTestSupport.h"
#include "ResourceManager.h"
#include "TestSupport.h"
#include "Tile.h"
#include "WorldManager.h"

namespace {

using MapTest = gametest::GameTest;
using Grid = std::vector<std::vector<int>>; ///< [y][x]

/// The kind of the tile at each cell (-1: none, -2: more than one), each tile checked to look
/// and collide as its kind says.
Grid kinds() {
  Grid grid(MAP_HEIGHT, std::vector<int>(MAP_WIDTH, -1));
  const char *sprites[] = {"", "dirt", "vert_border", "hor_border"};
  ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects(true);
  for (int i = 0; i < all.getCount(); i++) {
    Tile *p_t = static_cast<Tile *>(all.getItem(i));
    int &kind = grid[static_cast<int>(p_t->getPosition().getY())]
                    [static_cast<int>(p_t->getPosition().getX())];
    kind = kind == -1 ? p_t->getTileType() : -2;
    EXPECT_EQ(p_t->getSolidness(), p_t->getTileType() == EMPTY_TILE ? ks::SPECTRAL : ks::HARD);
    EXPECT_EQ(p_t->getSprite(),
              ks::ResourceManager::getInstance().getSprite(sprites[p_t->getTileType()]));
  }
  return grid;
}

TEST_F(MapTest, FieldsAreReadAsAtoiWouldWithoutWrappingAndWhatIsMissingIsEmpty) {
  std::string wide; // 50 lines of 310 fields, then more lines: the extra ones are ignored
  for (int x = 0; x < 310; x++)
    wide += x < 300 ? "0," : "1,";
  wide += "\n";
  std::string full;
  for (int y = 0; y < 60; y++)
    full += y < 50 ? wide : "7,7,7\n";
  const std::pair<std::string, Grid> cases[] = {
      {"1,1,0,2\n", {{1, 1, 0, 2}}},
      {"1,0\n0,1\n", {{1, 0}, {0, 1}}},
      {"7,-1, 3,3x,x,,+1,4294967297,4\r\n",
       {{-1, -1, 3, 3, 0, 0, 1, -1, -1}}}, // 2^32 + 1 is no dirt
      {full, {}},
  };
  for (const auto &c : cases) {
    std::string path = kstest::scratchPath("map.csv");
    kstest::writeFile(path, c.first);
    ASSERT_EQ(loadMap(path), 0);
    Grid expected(MAP_HEIGHT, std::vector<int>(MAP_WIDTH, EMPTY_TILE));
    for (size_t y = 0; y < c.second.size(); y++)
      std::copy(c.second[y].begin(), c.second[y].end(), expected[y].begin());
    EXPECT_EQ(kinds(), expected) << c.first.substr(0, 40);
    ks::WorldManager::getInstance().shutDown();
    ks::WorldManager::getInstance().startUp();
  }
}

TEST_F(MapTest, TilesStandInColumnOrderAndAMissingFileMakesNone) {
  kstest::writeFile(kstest::scratchPath("map.csv"), "1\n");
  ASSERT_EQ(loadMap(kstest::scratchPath("map.csv")), 0);
  ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects();
  ASSERT_EQ(all.getCount(), MAP_WIDTH * MAP_HEIGHT);
  for (int i : {0, 1, 50, 51, 14999})
    EXPECT_EQ(all.getItem(i)->getPosition(), ks::Vector(i / 50, i % 50)) << i;
  ks::WorldManager::getInstance().shutDown();
  ks::WorldManager::getInstance().startUp();
  EXPECT_EQ(loadMap(kstest::scratchPath("absent.csv")), -1);
  EXPECT_EQ(kstest::logCount(log, "Error opening the map file."), 1);
  EXPECT_EQ(ks::WorldManager::getInstance().getAllObjects(true).getCount(), 0);
}

} // namespace
