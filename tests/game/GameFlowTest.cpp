// Start screen, end screens, win condition and the game's flow between them.
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "Arrow.h"
#include "EventKeyboard.h"
#include "GameManager.h"
#include "GameOver.h"
#include "GameStart.h"
#include "GameTestSupport.h"
#include "GameWin.h"
#include "Hero.h"
#include "Monster.h"
#include "ResourceManager.h"
#include "TestSupport.h"
#include "WinCon.h"
#include "WorldManager.h"

using gametest::countType;
using gametest::runSteps;
using gametest::sendKey;

namespace {

using GameFlowTest = gametest::GameTest;

TEST_F(GameFlowTest, PressingPStartsOnePlayWithTheViewOnTheHero) {
  GameStart *p_start = new GameStart;
  EXPECT_EQ(p_start->getLocation(), ks::CENTER_CENTER);
  runSteps(6, [](int step) {
    if (step == 0)
      sendKey(ks::P, ks::KEY_PRESSED);
    if (step >= 1 && step <= 3)
      sendKey(ks::P, ks::KEY_DOWN);
    if (step == 4)
      sendKey(ks::P, ks::KEY_RELEASED);
  });
  EXPECT_EQ(countType("Hero"), 1);
  EXPECT_EQ(countType("WinCon"), 1);
  EXPECT_EQ(countType("Reticle"), 1);
  EXPECT_FALSE(p_start->isActive());
  ks::Object *p_hero = gametest::findType("Hero");
  EXPECT_EQ(ks::WorldManager::getInstance().getViewFollowing(), p_hero);
  EXPECT_EQ(gametest::findType("WinCon")->getPosition(), ks::Vector(293, 14));
}

TEST_F(GameFlowTest, PressingQOnTheStartScreenEndsBeforeAnyHero) {
  new GameStart;
  int steps = runSteps(100, [](int step) {
    if (step == 2)
      sendKey(ks::Q, ks::KEY_PRESSED);
  });
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(countType("Hero"), 0);
}

TEST_F(GameFlowTest, OtherKeysOnTheStartScreenDoNothing) {
  new GameStart;
  int steps = runSteps(5, [](int step) {
    sendKey(ks::SPACE, ks::KEY_PRESSED);
    sendKey(ks::UPARROW, step % 2 == 0 ? ks::KEY_DOWN : ks::KEY_RELEASED);
  });
  EXPECT_EQ(steps, 5);
  EXPECT_EQ(countType("Hero"), 0);
}

TEST_F(GameFlowTest, HoldingQDuringPlayEndsTheGame) {
  gametest::dirtRow(0, 20, 16);
  new Hero;
  int steps = runSteps(50, [](int step) {
    // A press alone does nothing in play; holding does.
    if (step == 3)
      sendKey(ks::Q, ks::KEY_PRESSED);
    if (step == 9)
      sendKey(ks::Q, ks::KEY_DOWN);
  });
  EXPECT_EQ(steps, 10);
  EXPECT_EQ(countType("Hero"), 1);
}

TEST_F(GameFlowTest, GameOverScreenLastsOnePassOfItsSprite) {
  GameOver *p_over = new GameOver;
  ASSERT_EQ(p_over->getSprite()->getFrameCount(), 6);
  EXPECT_EQ(p_over->getTimeToLive(), 90);
  EXPECT_EQ(p_over->getLocation(), ks::CENTER_CENTER);
  EXPECT_EQ(p_over->getSpriteTransparency(), '#');
  EXPECT_TRUE(kstest::logContains(log, "ResourceManager::getMusic(): Music 'endMusic' not found"));
  // Marked at the 90th step event, deleted (which ends the game) in the next step.
  EXPECT_EQ(runSteps(1000), 91);
  EXPECT_EQ(countType("GameOver"), 0);
}

TEST_F(GameFlowTest, WinScreenLastsOnePassWithoutMusic) {
  GameWin *p_win = new GameWin;
  int frames = p_win->getSprite()->getFrameCount();
  EXPECT_EQ(p_win->getTimeToLive(), frames * 15);
  EXPECT_FALSE(kstest::logContains(log, "endMusic"));
  EXPECT_EQ(runSteps(1000), frames * 15 + 1);
}

TEST_F(GameFlowTest, ScreensStayInTheMiddleOfTheWindowWhenTheViewScrolls) {
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  wm.setView(ks::Box(ks::Vector(220, 26), 80, 24));
  GameWin *p_win = new GameWin;
  // View coordinates, whatever the scroll.
  EXPECT_EQ(p_win->getPosition(), ks::Vector(40, 12));
}

TEST_F(GameFlowTest, ScreensAnimateAtTheirSlowdownWhenDrawn) {
  // Only objects in the view are drawn: give the world an 80 x 24 view.
  ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(0, 0), 80, 24));
  GameStart *p_start = new GameStart;
  ASSERT_EQ(p_start->getSprite()->getFrameCount(), 2);
  EXPECT_EQ(p_start->getSpriteSlowdown(), 15);
  runSteps(14);
  EXPECT_EQ(p_start->getSpriteIndex(), 0);
  runSteps(1);
  EXPECT_EQ(p_start->getSpriteIndex(), 1);
  runSteps(15);
  EXPECT_EQ(p_start->getSpriteIndex(), 0);
}

TEST_F(GameFlowTest, HeroTouchingTheGoalWins) {
  gametest::dirtRow(280, 298, 16);
  Hero *p_hero = new Hero;
  p_hero->setPosition(ks::Vector(286, 14));
  new WinCon;
  int steps = runSteps(400, [](int step) {
    if (step > 10 && countType("WinCon") > 0)
      sendKey(ks::RIGHTARROW, ks::KEY_DOWN);
  });
  EXPECT_EQ(countType("WinCon"), 0);
  EXPECT_EQ(countType("GameOver"), 0);
  EXPECT_LT(steps, 400);
  // The win screen ended the game after its time and is gone.
  EXPECT_EQ(countType("GameWin"), 0);
  EXPECT_EQ(countType("Hero"), 1);
}

TEST_F(GameFlowTest, OnlyTheHeroWins) {
  WinCon *p_goal = new WinCon;
  EXPECT_EQ(p_goal->getSolidness(), ks::SOFT);
  ks::WorldManager &wm = ks::WorldManager::getInstance();
  Monster *p_monster = new Monster(nullptr);
  p_monster->setPosition(ks::Vector(280, 14));
  EXPECT_EQ(wm.moveObject(p_monster, ks::Vector(290, 14)), 0);
  Arrow *p_arrow = new Arrow(ks::Vector(285, 14));
  runSteps(10);
  // The arrow stopped at the goal; the goal stays.
  EXPECT_EQ(countType("Arrow"), 0);
  EXPECT_EQ(countType("WinCon"), 1);
  (void)p_arrow;
  EXPECT_EQ(countType("GameWin"), 0);
}

TEST_F(GameFlowTest, DeathAfterTheWinBringsTheGameOverScreenToo) {
  gametest::dirtRow(280, 298, 16);
  Hero *p_hero = new Hero;
  p_hero->setPosition(ks::Vector(290, 14));
  new WinCon;
  runSteps(10, [](int) { sendKey(ks::RIGHTARROW, ks::KEY_DOWN); });
  ASSERT_EQ(countType("GameWin"), 1);
  ks::WorldManager::getInstance().markForDelete(gametest::findType("Hero"));
  int steps = runSteps(1000);
  EXPECT_EQ(countType("Hero"), 0);
  EXPECT_TRUE(kstest::logContains(log, "Music 'endMusic' not found"));
  // Both screens were up; the game-over screen (90 steps) ran out before the win screen.
  EXPECT_EQ(steps, 91);
  EXPECT_EQ(countType("GameOver"), 0);
  EXPECT_EQ(countType("GameWin"), 1);
}

/// No sprites loaded: the screens warn and stay inert.
class BareGameFlowTest : public gametest::GameTest {
protected:
  bool loadsResources() const override { return false; }
};

TEST_F(BareGameFlowTest, ScreensWithoutSpritesWarnAndNeverEnd) {
  GameStart *p_start = new GameStart;
  new GameOver;
  new GameWin;
  new WinCon;
  EXPECT_TRUE(
      kstest::logContains(log, "GameStart::GameStart(): Warning! Sprite 'gamestart' not found"));
  EXPECT_TRUE(
      kstest::logContains(log, "GameOver::GameOver(): Warning! Sprite 'gameover' not found"));
  EXPECT_TRUE(kstest::logContains(log, "GameWin::GameWin(): Warning! Sprite 'gamewin' not found"));
  EXPECT_TRUE(kstest::logContains(log, "WinCon::WinCon(): Warning! Sprite 'win_con' not found"));
  EXPECT_EQ(p_start->getEventCount(), 1); // "ks::view" only
  int steps = runSteps(30, [](int) { sendKey(ks::P, ks::KEY_PRESSED); });
  EXPECT_EQ(steps, 30);
  EXPECT_EQ(countType("Hero"), 0);
}

TEST_F(BareGameFlowTest, ScreenWithFourFramesLastsSixtySteps) {
  std::string sprite =
      "frames 4\nwidth 1\nheight 1\ncolor red\na\nend\nb\nend\nc\nend\nd\nend\neof\n";
  std::string path = kstest::scratchPath("over.txt");
  kstest::writeFile(path, sprite);
  ASSERT_EQ(ks::ResourceManager::getInstance().loadSprite(path, "gameover"), 0);
  GameOver *p_over = new GameOver;
  EXPECT_EQ(p_over->getTimeToLive(), 60);
  EXPECT_EQ(runSteps(1000), 61);
}

// The program itself, run headless in an empty folder: it tells a failure by its exit status,
// after writing the reason.
TEST(GameMainTest, AFailedStartOrAMissingMapEndsWithStatusOne) {
  struct Case {
    const char *config;
    const char *reason;
  } cases[] = {{"headless:true,frame_time:0,logfile:no/such/folder/kestle.log",
                "Error starting game manager!"},
               {"headless:true,frame_time:0", "Error opening the map file."}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.config);
    std::string dir = kstest::scratchPath("run" + std::to_string(&c - cases));
    ASSERT_EQ(mkdir(dir.c_str(), 0755), 0);
    kstest::writeFile(dir + "/ks-config.txt", c.config);
    std::string command = "cd '" + dir + "' && '" + KS_GAME + "' >output 2>&1";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::string said = kstest::readFile(dir + "/output") + kstest::readFile(dir + "/kestle.log");
    EXPECT_NE(said.find(c.reason), std::string::npos) << said;
  }
}

} // namespace
