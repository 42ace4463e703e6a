// The game's rules where the recorded games don't go: shooting limits and directions, the reach
// of digging, arrows meeting things, the win at its edges, and everything without its sprites.
// Whole games are the golden runs.
#include <gtest/gtest.h>

#include "Arrow.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameOver.h"
#include "GameRun.h"
#include "GameStart.h"
#include "GameTestSupport.h"
#include "GameWin.h"
#include "Hero.h"
#include "LogManager.h"
#include "Monster.h"
#include "Splash.h"
#include "TestSupport.h"
#include "Tile.h"
#include "WinCon.h"
#include "WorldManager.h"

using namespace gametest;
using namespace kstest;

namespace {

/// A hero at rest at (20, 14.4) on dirt (row 16, columns 0 to 60) under empty tiles (rows 8 to
/// 15), the view's corner at (10, 5).
class GameRules : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    for (int x = 0; x <= 60; x++)
      for (int y = 8; y <= 16; y++) {
        tiles[x][y] = new Tile(y == 16 ? DIRT_TILE : EMPTY_TILE);
        tiles[x][y]->setPosition(ks::Vector(static_cast<float>(x), static_cast<float>(y)));
      }
    p_hero = new Hero;
    p_hero->setPosition(ks::Vector(20, 14));
    runSteps(10);
    ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(10, 5), 80, 24));
  }
  /// Clicks `button` on world cell (x, y) through the view's corner.
  void click(int button, float x, float y) {
    sendMouse(ks::CLICKED, button, ks::Vector(x - 10, y - 5));
  }
  Hero *p_hero = nullptr;   ///< owned by the world manager
  Tile *tiles[61][17] = {}; ///< the tiles made by SetUp (owned by the world manager)
};

} // namespace

TEST_F(GameRules, ArrowsEveryFifteenStepsTowardsThePointerEvenStraightUpOrDown) {
  // The velocity of the arrow fired at world point (x, y), or (0, 0) if none was fired.
  auto shootAt = [this](float x, float y) {
    int before = countType("Arrow");
    click(ks::RIGHT, x, y);
    if (countType("Arrow") == before)
      return ks::Vector();
    ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects();
    ks::Object *p_arrow = all.getItem(all.getCount() - 1);
    EXPECT_EQ(p_hero->getPosition(), p_arrow->getPosition());
    return p_arrow->getVelocity();
  };
  runSteps(4); // the hero made 14 steps ago can't shoot yet
  EXPECT_EQ(ks::Vector(), shootAt(30, 14));
  runSteps(1);
  const std::pair<ks::Vector, ks::Vector> shots[] = {
      {{30, 9.4f}, {1, -0.5f}}, {{10, 9.4f}, {-1, -0.5f}}, {{20, 2}, {0, -1}}, {{20, 25}, {0, 1}}};
  for (const auto &[at, velocity] : shots) {
    ks::Vector v = shootAt(at.getX(), at.getY());
    EXPECT_NEAR(velocity.getX(), v.getX(), 1e-5) << at.getX() << "," << at.getY();
    EXPECT_NEAR(velocity.getY(), v.getY(), 1e-5) << at.getX() << "," << at.getY();
    runSteps(14);
    EXPECT_EQ(ks::Vector(), shootAt(at.getX(), at.getY())) << "a second arrow within 15 steps";
    sendMouse(ks::PRESSED, ks::RIGHT, ks::Vector(1, 1)); // held buttons never shoot
    sendMouse(ks::CLICKED, ks::LEFT, ks::Vector(40, 1));
    runSteps(1);
  }
  EXPECT_EQ(4, logCount(log, "Sound 'fire' not found")); // nothing else fired
}

TEST_F(GameRules, ALeftClickDigsOrFillsOnlyTheTileItHitsWithinReachAndNeverABorder) {
  // The hero's box is x 19.5 to 20.5, y 13.4 to 15.4: grown by 4 it reaches the tiles whose
  // boxes (half a cell out) touch x 15.5 to 24.5, y 9.4 to 19.4.
  struct Click {
    float x, y;         ///< world point clicked (truncated to its cell)
    int cell_x, cell_y; ///< the tile expected to change, or -1
  } clicks[] = {{22, 16, 22, 16}, {25, 16, 25, 16}, {15.9f, 16.9f, 15, 16}, {26, 16, -1, -1},
                {14, 16, -1, -1}, {20, 9, 20, 9},   {20, 8, -1, -1},        {20, 14, 20, 14}};
  for (const Click &c : clicks) {
    int before = logCount(log, "Sound 'dig' not found");
    int was = c.cell_x < 0 ? 0 : tiles[c.cell_x][c.cell_y]->getTileType();
    click(ks::LEFT, c.x, c.y);
    EXPECT_EQ(before + (c.cell_x >= 0), logCount(log, "Sound 'dig' not found")) << c.x;
    if (c.cell_x >= 0) {
      Tile *p_tile = tiles[c.cell_x][c.cell_y];
      EXPECT_EQ(was == DIRT_TILE ? EMPTY_TILE : DIRT_TILE, p_tile->getTileType()) << c.x;
      EXPECT_EQ(was == DIRT_TILE ? ks::SPECTRAL : ks::HARD, p_tile->getSolidness()) << c.x;
    }
  }
  EXPECT_EQ(DIRT_TILE, tiles[26][16]->getTileType());
  // Other buttons and held buttons change nothing; a view at a fractional corner is
  // truncated like the pointer.
  sendMouse(ks::PRESSED, ks::LEFT, ks::Vector(22 - 10, 16 - 5));
  sendMouse(ks::CLICKED, ks::MIDDLE, ks::Vector(22 - 10, 16 - 5));
  EXPECT_EQ(EMPTY_TILE, tiles[22][16]->getTileType());
  ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(10.9f, 5), 80, 24));
  sendMouse(ks::CLICKED, ks::LEFT, ks::Vector(11.7f, 6.2f));
  EXPECT_EQ(DIRT_TILE, tiles[21][11]->getTileType());
  // Borders stay, and the click works on the tile behind them.
  Tile *p_border = new Tile(VERT_BORDER_TILE), *p_behind = new Tile(EMPTY_TILE);
  p_border->setPosition(ks::Vector(22, 17)), p_behind->setPosition(ks::Vector(22, 17));
  click(ks::LEFT, 22.9f, 17);
  EXPECT_EQ(VERT_BORDER_TILE, p_border->getTileType());
  EXPECT_EQ(DIRT_TILE, p_behind->getTileType());
  // Near the world's left edge the reach starts at 0 (not at 3.8 - 0.5 - 4 = -0.7), still 9
  // cells wide.
  ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(10, 5), 80, 24));
  p_hero->setPosition(ks::Vector(3.8f, 14.4f));
  click(ks::LEFT, 9, 16);
  click(ks::LEFT, 10, 16);
  EXPECT_EQ(EMPTY_TILE, tiles[9][16]->getTileType());
  EXPECT_EQ(DIRT_TILE, tiles[10][16]->getTileType());
}

TEST_F(GameRules, ArrowsPassTheHeroStopAtWhatIsSolidAndLandTheirHero) {
  new Arrow(ks::Vector(16, 14.4f)); // through the hero
  Tile *p_border = new Tile(VERT_BORDER_TILE);
  p_border->setPosition(ks::Vector(35, 30));
  new Arrow(ks::Vector(30, 30)); // into a border, which stays
  new Arrow(ks::Vector(30, 40));
  (new Arrow(ks::Vector(36, 40)))->setVelocity(ks::Vector(-1, 0)); // two arrows end each other
  (new Monster(nullptr))->setPosition(ks::Vector(40, 45));
  new Arrow(ks::Vector(30, 45));                 // an arrow kills a monster and goes with it
  Arrow *p_out = new Arrow(ks::Vector(297, 48)); // an arrow out of the world stays
  runSteps(12);
  EXPECT_EQ(2, countType("Arrow")); // the one past the hero, the one out of the world
  EXPECT_GT(p_out->getPosition().getX(), 300);
  EXPECT_EQ(0, countType("Monster"));
  EXPECT_EQ(1, logCount(log, "Sound 'monsterDeath' not found"));
  EXPECT_EQ(VERT_BORDER_TILE, p_border->getTileType());
  // A hero's own arrow, fired in a jump, lands it.
  sendKey(ks::UPARROW, ks::KEY_PRESSED);
  runSteps(2);
  ASSERT_EQ(60, p_hero->getJumpCount());
  click(ks::RIGHT, 40, p_hero->getPosition().getY());
  runSteps(1);
  EXPECT_EQ(0, p_hero->getJumpCount());
}

TEST_F(GameRules, OnlyTheHeroWinsAndADeathAfterTheWinStillEndsTheGame) {
  p_hero->setPosition(ks::Vector(40, 14.4f));
  WinCon *p_goal = new WinCon;
  p_goal->setPosition(ks::Vector(50, 14));
  Monster *p_monster = new Monster(nullptr);
  p_monster->setPosition(ks::Vector(45, 14));
  ks::WorldManager::getInstance().moveObject(p_monster, ks::Vector(50, 14));
  new Arrow(ks::Vector(47, 14));
  runSteps(5);
  EXPECT_EQ(0, countType("GameWin"));
  EXPECT_EQ(1, countType("WinCon"));
  if (countType("Monster") > 0)
    ks::WorldManager::getInstance().markForDelete(p_monster);
  runSteps(30, [](int) { sendKey(ks::RIGHTARROW, ks::KEY_DOWN); });
  ASSERT_EQ(1, countType("GameWin"));
  ks::WorldManager::getInstance().markForDelete(p_hero);
  // Both screens are up; the game-over screen (90 steps) runs out first and ends the game.
  EXPECT_EQ(91, runSteps(1000));
  EXPECT_EQ(0, countType("GameOver"));
  EXPECT_EQ(1, countType("GameWin"));
}

namespace {

/// No sprites loaded.
class WithoutSprites : public GameTest {
protected:
  bool loadsResources() const override { return false; }
};

} // namespace

TEST_F(WithoutSprites, EveryObjectWarnsAndTheScreensNeverEnd) {
  new GameStart, new GameOver, new GameWin, new WinCon, new Monster(nullptr);
  for (const char *warning : {"GameStart::GameStart(): Warning! Sprite 'gamestart' not found",
                              "GameOver::GameOver(): Warning! Sprite 'gameover' not found",
                              "GameWin::GameWin(): Warning! Sprite 'gamewin' not found",
                              "WinCon::WinCon(): Warning! Sprite 'win_con' not found",
                              "Monster::Monster(Hero*): Warning! Sprite 'monster' not found"})
    EXPECT_TRUE(logContains(log, warning)) << warning;
  EXPECT_EQ(30, runSteps(30, [](int) { sendKey(ks::P, ks::KEY_PRESSED); }));
  EXPECT_EQ(0, countType("Hero"));
}

TEST(GameMain, AFailedStartOrAMissingMapEndsWithStatusOneAndTheReason) {
  const std::pair<const char *, const char *> cases[] = {
      {"headless:true,frame_time:0,logfile:no/such/folder/kestle.log",
       "Error starting game manager!"},
      {"headless:true,frame_time:0", "Error opening the map file."}};
  for (int i = 0; i < 2; i++) {
    const auto &[config, reason] = cases[i];
    std::string dir = scratchPath("run" + std::to_string(i));
    ASSERT_EQ(0, system(("mkdir -p '" + dir + "'").c_str()));
    writeFile(dir + "/ks-config.txt", config);
    EXPECT_EQ(1, runProgram(dir, {KS_GAME}, {}, 30000)) << config;
    std::string said = readFile(dir + "/stderr.txt") + readFile(dir + "/kestle.log");
    EXPECT_NE(std::string::npos, said.find(reason)) << said;
  }
  // The splash refuses to run before the engine starts.
  std::string log = startLog("log");
  EXPECT_EQ(-1, ks::splash());
  EXPECT_TRUE(
      logContains(log, "splash(): Error! Cannot run splash screen until game manger is started."));
  ks::LogManager::getInstance().shutDown();
}
