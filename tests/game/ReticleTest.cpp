// Digging and filling with the mouse, and the reticle's life with its hero.
#include <gtest/gtest.h>

#include "EventMouse.h"
#include "EventStep.h"
#include "GameTestSupport.h"
#include "Hero.h"
#include "Reticle.h"
#include "TestSupport.h"
#include "Tile.h"
#include "WorldManager.h"

using gametest::countType;
using gametest::runSteps;
using gametest::sendMouse;

namespace {

/// A hero at rest at (20, 14.4) on a floor of dirt (row 16, columns 0 to 60) with empty tiles
/// above it, and the view's corner at (10, 5).
class ReticleTest : public gametest::GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    for (int x = 0; x <= 60; x++) {
      for (int y = 8; y <= 16; y++) {
        Tile *p_tile = new Tile(y == 16 ? DIRT_TILE : EMPTY_TILE);
        p_tile->setPosition(ks::Vector(static_cast<float>(x), static_cast<float>(y)));
        tiles[x][y] = p_tile;
      }
    }
    p_hero = new Hero;
    p_hero->setPosition(ks::Vector(20, 14));
    runSteps(10);
    ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(10, 5), 80, 24));
  }
  /// Left click on world cell (x, y), given in window cells through the view corner (10, 5).
  void clickCell(float x, float y) { sendMouse(ks::CLICKED, ks::LEFT, ks::Vector(x - 10, y - 5)); }
  Hero *p_hero = nullptr;   ///< owned by the world manager
  Tile *tiles[61][17] = {}; ///< the tiles made by SetUp (owned by the world manager)
};

TEST_F(ReticleTest, DigsDirtAndFillsEmptyCellsWithinReach) {
  ASSERT_NEAR(p_hero->getPosition().getY(), 14.4f, 1e-4);
  int sounds = kstest::logCount(log, "Sound 'dig' not found");
  clickCell(22, 16);
  EXPECT_EQ(tiles[22][16]->getTileType(), EMPTY_TILE);
  EXPECT_EQ(tiles[22][16]->getSolidness(), ks::SPECTRAL);
  EXPECT_EQ(tiles[22][16]->getSprite(), nullptr);
  clickCell(22, 16);
  EXPECT_EQ(tiles[22][16]->getTileType(), DIRT_TILE);
  EXPECT_EQ(tiles[22][16]->getSolidness(), ks::HARD);
  EXPECT_NE(tiles[22][16]->getSprite(), nullptr);
  clickCell(18, 12);
  EXPECT_EQ(tiles[18][12]->getTileType(), DIRT_TILE);
  EXPECT_EQ(kstest::logCount(log, "Sound 'dig' not found"), sounds + 3);
}

TEST_F(ReticleTest, ReachIsTheHerosBoxGrownByFourCells) {
  // The hero's box is x 19.5 to 20.5, y 13.4 to 15.4; grown: x 15.5 to 24.5, y 9.4 to 19.4.
  // A tile touching that box is within reach (tile boxes reach half a cell out).
  clickCell(25, 16);
  EXPECT_EQ(tiles[25][16]->getTileType(), EMPTY_TILE);
  clickCell(15, 16);
  EXPECT_EQ(tiles[15][16]->getTileType(), EMPTY_TILE);
  clickCell(26, 16);
  EXPECT_EQ(tiles[26][16]->getTileType(), DIRT_TILE);
  clickCell(14, 16);
  EXPECT_EQ(tiles[14][16]->getTileType(), DIRT_TILE);
  clickCell(20, 9);
  EXPECT_EQ(tiles[20][9]->getTileType(), DIRT_TILE);
  clickCell(20, 8);
  EXPECT_EQ(tiles[20][8]->getTileType(), EMPTY_TILE);
}

TEST_F(ReticleTest, FillsTheCellTheHeroStandsIn) {
  clickCell(20, 14);
  EXPECT_EQ(tiles[20][14]->getTileType(), DIRT_TILE);
}

TEST_F(ReticleTest, TruncatesFractionalPointerCells) {
  // Window x 10.7 with the corner at 10 is column 20; 6.9 with the corner at 5 is row 11.
  sendMouse(ks::CLICKED, ks::LEFT, ks::Vector(10.7f, 6.9f));
  EXPECT_EQ(tiles[20][11]->getTileType(), DIRT_TILE);
  EXPECT_EQ(tiles[21][11]->getTileType(), EMPTY_TILE);
  EXPECT_EQ(tiles[20][12]->getTileType(), EMPTY_TILE);
  ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(10.9f, 5), 80, 24));
  sendMouse(ks::CLICKED, ks::LEFT, ks::Vector(11.7f, 6.2f));
  EXPECT_EQ(tiles[21][11]->getTileType(), DIRT_TILE);
}

TEST_F(ReticleTest, LeavesBordersAndOtherButtonsAlone) {
  // Row 17 has no tiles yet: a border alone, and a border with an empty tile after it.
  Tile *p_lone = new Tile(HOR_BORDER_TILE);
  p_lone->setPosition(ks::Vector(23, 17));
  Tile *p_border = new Tile(VERT_BORDER_TILE);
  p_border->setPosition(ks::Vector(22, 17));
  Tile *p_empty = new Tile(EMPTY_TILE);
  p_empty->setPosition(ks::Vector(22, 17));
  int sounds = kstest::logCount(log, "Sound 'dig' not found");
  clickCell(23, 17);
  EXPECT_EQ(p_lone->getTileType(), HOR_BORDER_TILE);
  EXPECT_EQ(p_lone->getSolidness(), ks::HARD);
  EXPECT_EQ(kstest::logCount(log, "Sound 'dig' not found"), sounds);
  // The walk passes over the border and fills the empty tile behind it.
  clickCell(22, 17);
  EXPECT_EQ(p_border->getTileType(), VERT_BORDER_TILE);
  EXPECT_EQ(p_empty->getTileType(), DIRT_TILE);
  EXPECT_EQ(kstest::logCount(log, "Sound 'dig' not found"), sounds + 1);
  // Held buttons, the middle button and the right button neither dig nor fill.
  sendMouse(ks::PRESSED, ks::LEFT, ks::Vector(22 - 10, 16 - 5));
  sendMouse(ks::CLICKED, ks::MIDDLE, ks::Vector(22 - 10, 16 - 5));
  sendMouse(ks::CLICKED, ks::RIGHT, ks::Vector(22 - 10, 12 - 5));
  sendMouse(ks::CLICKED, ks::RIGHT, ks::Vector(22, 12));
  EXPECT_EQ(tiles[22][16]->getTileType(), DIRT_TILE);
  EXPECT_EQ(tiles[22][12]->getTileType(), EMPTY_TILE);
  EXPECT_EQ(kstest::logCount(log, "Sound 'dig' not found"), sounds + 1);
}

TEST_F(ReticleTest, FollowsThePointerAndDrawsAbove) {
  Reticle *p_reticle = p_hero->getReticle();
  EXPECT_EQ(p_reticle->getAltitude(), ks::MAX_ALTITUDE);
  EXPECT_EQ(p_reticle->getSolidness(), ks::SPECTRAL);
  sendMouse(ks::MOVED, ks::UNDEFINED_MOUSE_BUTTON, ks::Vector(3.5f, 7));
  EXPECT_EQ(p_reticle->getPosition(), ks::Vector(3.5f, 7));
  ks::EventStep step(1);
  EXPECT_EQ(p_reticle->eventHandler(&step), 0);
}

TEST_F(ReticleTest, ReachStartsAtTheWorldsEdge) {
  p_hero->setPosition(ks::Vector(2, 14.4f));
  // Grown box: x from 0 (not -2.5), still 9 cells wide: up to 9, touching column 9.
  clickCell(9, 16);
  EXPECT_EQ(tiles[9][16]->getTileType(), EMPTY_TILE);
  clickCell(10, 16);
  EXPECT_EQ(tiles[10][16]->getTileType(), DIRT_TILE);
  clickCell(0, 16);
  EXPECT_EQ(tiles[0][16]->getTileType(), EMPTY_TILE);
}

TEST_F(ReticleTest, DiggingUnderTheHeroLetsItFall) {
  float y = p_hero->getPosition().getY();
  // The hero's box (x 19.5 to 20.5) touches columns 19 to 21: one cell is not enough.
  clickCell(20, 16);
  runSteps(5);
  EXPECT_FLOAT_EQ(p_hero->getPosition().getY(), y);
  clickCell(19, 16);
  clickCell(21, 16);
  runSteps(5);
  EXPECT_GT(p_hero->getPosition().getY(), y + 0.5f);
}

TEST_F(ReticleTest, GoesWithItsHeroAndNeverUsesItAfter) {
  Reticle *p_reticle = p_hero->getReticle();
  ks::WorldManager::getInstance().markForDelete(p_hero);
  runSteps(1);
  EXPECT_EQ(countType("Hero"), 0);
  EXPECT_EQ(countType("Reticle"), 0);
  (void)p_reticle;
}

TEST_F(ReticleTest, HeroForgetsAReticleRemovedBeforeIt) {
  Reticle *p_reticle = p_hero->getReticle();
  ks::WorldManager::getInstance().markForDelete(p_reticle);
  runSteps(1);
  EXPECT_EQ(p_hero->getReticle(), nullptr);
  // Its death must not touch the reticle that is already gone.
  ks::WorldManager::getInstance().markForDelete(p_hero);
  runSteps(1);
  EXPECT_EQ(countType("Hero"), 0);
}

TEST_F(ReticleTest, ClickBetweenTheHerosDeathAndTheReticlesRemovalDoesNothing) {
  Reticle *p_reticle = new Reticle;
  p_reticle->setHero(p_hero);
  ks::WorldManager::getInstance().markForDelete(p_hero);
  runSteps(1);
  ASSERT_EQ(countType("Hero"), 0);
  EXPECT_EQ(p_reticle->getHero(), nullptr);
  clickCell(22, 16);
  EXPECT_EQ(tiles[22][16]->getTileType(), DIRT_TILE);
}

} // namespace
