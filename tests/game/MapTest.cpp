// The level map loader, the shipped map and the shipped sprites.
#include <gtest/gtest.h>

#include "GameLoaders.h"
#include "GameTestSupport.h"
#include "LogManager.h"
#include "ObjectList.h"
#include "ResourceManager.h"
#include "Sprite.h"
#include "TestSupport.h"
#include "Tile.h"
#include "WorldManager.h"

using gametest::countType;

namespace {

using MapTest = gametest::GameTest;

/// The tiles at world cell (x, y), in list order.
std::vector<Tile *> tilesAt(int x, int y) {
  std::vector<Tile *> found;
  ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects(true);
  for (int i = 0; i < all.getCount(); i++) {
    ks::Object *p_o = all.getItem(i);
    if (p_o->getType() == "tile" && p_o->getPosition() == ks::Vector(x, y))
      found.push_back(static_cast<Tile *>(p_o));
  }
  return found;
}

/// Writes `content` as a scratch map file and loads it. Returns loadMap's result.
int loadContent(const std::string &content) {
  std::string path = kstest::scratchPath("map.csv");
  kstest::writeFile(path, content);
  return loadMap(path);
}

int kindAt(int x, int y) {
  std::vector<Tile *> t = tilesAt(x, y);
  return t.size() == 1 ? t[0]->getTileType() : -100 - static_cast<int>(t.size());
}

TEST_F(MapTest, OneShortLineGivesAFullLevelOfMostlyEmptyTiles) {
  ASSERT_EQ(loadContent("1,1,0,2\n"), 0);
  EXPECT_EQ(countType("tile"), 15000);
  EXPECT_EQ(kindAt(0, 0), DIRT_TILE);
  EXPECT_EQ(kindAt(1, 0), DIRT_TILE);
  EXPECT_EQ(kindAt(2, 0), EMPTY_TILE);
  EXPECT_EQ(kindAt(3, 0), VERT_BORDER_TILE);
  EXPECT_EQ(kindAt(4, 0), EMPTY_TILE);
  EXPECT_EQ(kindAt(299, 0), EMPTY_TILE);
  EXPECT_EQ(kindAt(0, 49), EMPTY_TILE);
  Tile *p_dirt = tilesAt(0, 0)[0];
  EXPECT_EQ(p_dirt->getSolidness(), ks::HARD);
  EXPECT_EQ(p_dirt->getSprite(), ks::ResourceManager::getInstance().getSprite("dirt"));
  EXPECT_EQ(tilesAt(2, 0)[0]->getSolidness(), ks::SPECTRAL);
  EXPECT_EQ(tilesAt(3, 0)[0]->getSprite(),
            ks::ResourceManager::getInstance().getSprite("vert_border"));
}

TEST_F(MapTest, OddFieldsFollowTheAtoiRulesWithoutWrapping) {
  ASSERT_EQ(loadContent("7,-1, 3,3x,x,,+1,4294967297\r\n"), 0);
  EXPECT_EQ(kindAt(0, 0), -100); // no tile
  EXPECT_EQ(kindAt(1, 0), -100);
  EXPECT_EQ(kindAt(2, 0), HOR_BORDER_TILE);
  EXPECT_EQ(kindAt(3, 0), HOR_BORDER_TILE);
  EXPECT_EQ(kindAt(4, 0), EMPTY_TILE);
  EXPECT_EQ(kindAt(5, 0), EMPTY_TILE);
  EXPECT_EQ(kindAt(6, 0), DIRT_TILE);
  EXPECT_EQ(kindAt(7, 0), -100); // 2^32 + 1 is no dirt
  EXPECT_EQ(countType("tile"), 14997);
}

TEST_F(MapTest, ExtraFieldsAndLinesAreIgnored) {
  std::string line;
  for (int i = 0; i < 310; i++)
    line += (i < 300 ? "0" : "1") + std::string(i < 309 ? "," : "\n");
  std::string content;
  for (int i = 0; i < 60; i++)
    content += i < 50 ? line : std::string("7,7,7\n");
  ASSERT_EQ(loadContent(content), 0);
  EXPECT_EQ(countType("tile"), 15000);
  EXPECT_EQ(ks::WorldManager::getInstance().getAllObjects().getCount(), 15000);
  EXPECT_EQ(kindAt(299, 49), EMPTY_TILE);
}

TEST_F(MapTest, TilesStandInColumnOrder) {
  ASSERT_EQ(loadContent("1,0\n0,1\n"), 0);
  ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects();
  ASSERT_EQ(all.getCount(), 15000);
  EXPECT_EQ(all.getItem(0)->getPosition(), ks::Vector(0, 0));
  EXPECT_EQ(all.getItem(1)->getPosition(), ks::Vector(0, 1));
  EXPECT_EQ(all.getItem(50)->getPosition(), ks::Vector(1, 0));
  EXPECT_EQ(all.getItem(51)->getPosition(), ks::Vector(1, 1));
}

TEST_F(MapTest, MissingFileIsReportedOnceAndMakesNothing) {
  EXPECT_EQ(loadMap(kstest::scratchPath("absent.csv")), -1);
  EXPECT_EQ(kstest::logCount(log, "Error opening the map file."), 1);
  EXPECT_EQ(countType("tile"), 0);
}

/// The kind of the single tile at each cell (-1: none, -2: more than one).
std::vector<std::vector<int>> kindGrid() {
  std::vector<std::vector<int>> kinds(MAP_WIDTH, std::vector<int>(MAP_HEIGHT, -1));
  ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects(true);
  for (int i = 0; i < all.getCount(); i++) {
    ks::Object *p_o = all.getItem(i);
    if (p_o->getType() != "tile")
      continue;
    int &kind = kinds[static_cast<int>(p_o->getPosition().getX())]
                     [static_cast<int>(p_o->getPosition().getY())];
    kind = kind == -1 ? static_cast<Tile *>(p_o)->getTileType() : -2;
  }
  return kinds;
}

TEST_F(MapTest, ShippedMapIsAFullLevelForTheGame) {
  ASSERT_EQ(loadMap(gametest::dataDir() + "/map.csv"), 0);
  EXPECT_EQ(countType("tile"), 15000);
  std::vector<std::vector<int>> k = kindGrid();
  auto kindAt = [&k](int x, int y) { return k[x][y]; };
  // Borders round the world, open at the bottom only under pits.
  EXPECT_EQ(kindAt(0, 20), VERT_BORDER_TILE);
  EXPECT_EQ(kindAt(299, 20), VERT_BORDER_TILE);
  EXPECT_EQ(kindAt(150, 0), HOR_BORDER_TILE);
  int pits = 0;
  for (int x = 1; x < 299; x++) {
    if (kindAt(x, 49) != EMPTY_TILE)
      continue;
    // A pit is open far down to the bottom edge (a ledge may float above it).
    for (int y = 20; y < 50; y++)
      EXPECT_EQ(kindAt(x, y), EMPTY_TILE) << x << "," << y;
    pits++;
  }
  EXPECT_GT(pits, 0);
  // Ground under the start, room around it, free sky for the monsters, a clear goal.
  EXPECT_EQ(kindAt(7, 16), DIRT_TILE);
  for (int x = 6; x <= 8; x++)
    for (int y = 12; y <= 15; y++)
      EXPECT_EQ(kindAt(x, y), EMPTY_TILE);
  for (int x = 1; x < 299; x++)
    for (int y = 1; y <= 7; y++)
      ASSERT_EQ(kindAt(x, y), EMPTY_TILE) << x << "," << y;
  EXPECT_EQ(kindAt(293, 16), DIRT_TILE);
  for (int y = 12; y <= 15; y++)
    EXPECT_EQ(kindAt(293, y), EMPTY_TILE);
}

/// No sprites loaded: the resources are loaded by the test itself.
class SpriteFileTest : public gametest::GameTest {
protected:
  bool loadsResources() const override { return false; }
};

TEST_F(SpriteFileTest, EveryShippedSpriteLoadsCleanly) {
  ks::LogManager::getInstance().setLogLevel(10);
  gametest::inDataDir([] { loadResources(); });
  const char *labels[] = {"dirt",  "hero",    "monster",  "hor_border", "vert_border",
                          "arrow", "win_con", "gameover", "gamestart",  "gamewin"};
  ks::ResourceManager &rm = ks::ResourceManager::getInstance();
  for (const char *label : labels) {
    EXPECT_NE(rm.getSprite(label), nullptr) << label;
    EXPECT_TRUE(kstest::logContains(log, std::string("ResourceManager::loadSprite(): Sprite '") +
                                             label + "' successfully loaded"))
        << label;
  }
  for (const std::string &line : kstest::logMessages(log)) {
    if (line.find("loadSprite") == std::string::npos && line.find("\tError") == std::string::npos)
      continue;
    EXPECT_EQ(line.find("Error"), std::string::npos) << line;
    EXPECT_EQ(line.find("Cannot"), std::string::npos) << line;
    EXPECT_EQ(line.find("Unrecognized"), std::string::npos) << line;
  }
  // What the game's geometry relies on.
  EXPECT_EQ(rm.getSprite("dirt")->getWidth(), 1);
  EXPECT_EQ(rm.getSprite("dirt")->getHeight(), 1);
  EXPECT_EQ(rm.getSprite("hero")->getWidth(), 1);
  EXPECT_EQ(rm.getSprite("hero")->getHeight(), 2);
  EXPECT_GT(rm.getSprite("hero")->getFrameCount(), 1);
  EXPECT_GT(rm.getSprite("monster")->getFrameCount(), 1);
  for (const char *screen : {"gamestart", "gameover", "gamewin"}) {
    EXPECT_LE(rm.getSprite(screen)->getWidth(), 80) << screen;
    EXPECT_LE(rm.getSprite(screen)->getHeight(), 22) << screen;
  }
}

} // namespace
