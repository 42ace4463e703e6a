#include <gtest/gtest.h>

#include "EventKeyboard.h"
#include "EventStep.h"
#include "GameManager.h"
#include "GameTestSupport.h"
#include "LogManager.h"
#include "Splash.h"
#include "SplashKestle.h"
#include "Sprite.h"
#include "TestSupport.h"
#include "WorldManager.h"

using gametest::countType;
using gametest::findType;

namespace {

/// The splash runs in an 80 x 24 view, as in a window of the default size.
class SplashTest : public gametest::GameTest {
protected:
  bool loadsResources() const override { return false; }
  void SetUp() override {
    GameTest::SetUp();
    ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(0, 0), 80, 24));
    ks::LogManager::getInstance().setLogLevel(10);
  }
};

/// Records where the splash objects are at every step event (it is created before them, so
/// it sees each step before they move in the next one).
class Watcher : public ks::Object {
public:
  Watcher() {
    setSolidness(ks::SPECTRAL);
    registerInterest(ks::STEP_EVENT);
  }
  int eventHandler(const ks::Event *p_e) override {
    if (p_e->getType() == ks::STEP_EVENT) {
      steps++;
      if (on_step)
        on_step(static_cast<const ks::EventStep *>(p_e)->getStepCount());
    }
    return 0;
  }
  int steps = 0;
  std::function<void(int)> on_step;
};

TEST_F(SplashTest, RunsNinetyStepsAndCleansUp) {
  Watcher *p_watcher = new Watcher;
  EXPECT_EQ(ks::splash(), 0);
  EXPECT_EQ(ks::GameManager::getInstance().getStepCount(), 90);
  EXPECT_EQ(p_watcher->steps, 90);
  EXPECT_TRUE(kstest::logContains(log, "splash(): Started."));
  EXPECT_TRUE(kstest::logContains(log, "splash(): Finished."));
  // Both objects are marked in the last step and go at the next update.
  ks::WorldManager::getInstance().update();
  EXPECT_EQ(countType("Splash"), 0);
  EXPECT_EQ(countType("SplashKestle"), 0);
}

TEST_F(SplashTest, NameSlidesInAndFigureRisesUnderIt) {
  Watcher *p_watcher = new Watcher;
  std::vector<ks::Vector> name_at, figure_at;
  int name_frame = -1, figure_width = 0;
  p_watcher->on_step = [&](int step) {
    name_at.push_back(findType("Splash")->getPosition());
    ks::Object *p_figure = findType("SplashKestle");
    if (step < 15) {
      EXPECT_EQ(p_figure, nullptr) << step;
    }
    if (step == 15)
      name_frame = findType("Splash")->getSpriteIndex();
    if (p_figure != nullptr)
      figure_at.push_back(p_figure->getPosition());
    if (step == 60 && p_figure != nullptr)
      figure_width = p_figure->getSprite()->getWidth();
  };
  ks::splash();
  // The watcher sees each step after the update's moves, before the splash objects' handlers.
  ASSERT_EQ(name_at.size(), 90u);
  EXPECT_FLOAT_EQ(name_at[0].getX(), 103.5f - 4.2f);
  EXPECT_NEAR(name_at[14].getX(), 40.5f, 1e-3);
  EXPECT_FLOAT_EQ(name_at[14].getY(), 12);
  EXPECT_NEAR(name_at[89].getX(), 40.5f, 1e-3);
  EXPECT_EQ(name_frame, 1);
  // The figure starts at (64.5, 30) and rises 17 rows in 30 steps, then stops.
  ASSERT_EQ(figure_at.size(), 75u);
  EXPECT_FLOAT_EQ(figure_at[0].getX(), 64.5f);
  EXPECT_NEAR(figure_at[0].getY(), 30 - 17.0f / 30, 1e-4);
  EXPECT_NEAR(figure_at[29].getY(), 13, 1e-3);
  EXPECT_NEAR(figure_at[44].getY(), 13, 0.6);
  EXPECT_EQ(figure_at[44].getY(), figure_at[40].getY());
  // The small figure, one column further left so that it stays centred.
  EXPECT_NEAR(figure_at.back().getX(), 63.5f, 1e-3);
  EXPECT_EQ(figure_width, 9);
}

TEST_F(SplashTest, NameStartsJustBeyondTheRightEdge) {
  ks::Splash *p_name = new ks::Splash;
  EXPECT_FLOAT_EQ(p_name->getPosition().getX(), 103.5f);
  EXPECT_FLOAT_EQ(p_name->getPosition().getY(), 12);
  EXPECT_FLOAT_EQ(p_name->getVelocity().getX(), -4.2f);
  EXPECT_EQ(p_name->getSprite()->getWidth(), 47);
  EXPECT_EQ(p_name->getSprite()->getHeight(), 8);
  EXPECT_EQ(p_name->getSprite()->getFrameCount(), 2);
  EXPECT_EQ(p_name->getSprite()->getColor(), ks::GREEN);
  EXPECT_EQ(p_name->getSolidness(), ks::SPECTRAL);

  ks::SplashKestle *p_figure = new ks::SplashKestle(ks::Vector(64.5f, 13));
  EXPECT_FLOAT_EQ(p_figure->getPosition().getX(), 64.5f);
  EXPECT_FLOAT_EQ(p_figure->getPosition().getY(), 30);
  EXPECT_EQ(p_figure->getSprite()->getWidth(), 11);
  EXPECT_EQ(p_figure->getSprite()->getHeight(), 7);
  EXPECT_EQ(p_figure->getSprite()->getColor(), ks::BLUE);
  EXPECT_EQ(p_figure->getSpriteSlowdown(), 2);
}

TEST_F(SplashTest, KeyDuringSlideInEndsAfterThatStep) {
  Watcher *p_watcher = new Watcher;
  p_watcher->on_step = [](int step) {
    if (step == 4)
      gametest::sendKey(ks::SPACE, ks::KEY_PRESSED);
  };
  EXPECT_EQ(ks::splash(), 0);
  EXPECT_EQ(ks::GameManager::getInstance().getStepCount(), 5);
  EXPECT_EQ(countType("SplashKestle"), 0);
}

TEST_F(SplashTest, KeyAfterTheFigureAppearsEndsToo) {
  Watcher *p_watcher = new Watcher;
  p_watcher->on_step = [](int step) {
    if (step == 30)
      gametest::sendKey(ks::A, ks::KEY_RELEASED);
  };
  EXPECT_EQ(ks::splash(), 0);
  EXPECT_EQ(ks::GameManager::getInstance().getStepCount(), 31);
  ks::WorldManager::getInstance().update();
  EXPECT_EQ(countType("Splash"), 0);
  EXPECT_EQ(countType("SplashKestle"), 0);
}

TEST_F(SplashTest, RefusesToRunBeforeTheEngineStarts) {
  ks::GameManager::getInstance().shutDown();
  kstest::startLog("log2");
  std::string log2 = kstest::scratchPath("log2");
  EXPECT_EQ(ks::splash(), -1);
  EXPECT_TRUE(kstest::logContains(
      log2, "splash(): Error! Cannot run splash screen until game manger is started."));
  EXPECT_EQ(countType("Splash"), 0);
}

} // namespace
