// The graphics manager in a real window: start-up and its failures, and what each drawing
// call leaves in the window.
#include <gtest/gtest.h>

#include "GraphicsManager.h"
#include "LogManager.h"
#include "Screen.h"
#include "TestSupport.h"
#include "WorldManager.h"

using namespace kstest;

namespace {

const sf::Color RED_PIXEL(255, 0, 0), GREEN_PIXEL(0, 255, 0), BLUE_PIXEL(0, 0, 255);

class Graphics : public testing::Test {
protected:
  void SetUp() override {
    log = startLog("log");
    configureWindow(log);
    ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(0, 0), 80, 24));
  }
  void TearDown() override {
    ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
    if (gm.getWindow() != nullptr)
      gm.shutDown();
    ks::LogManager::getInstance().setLogLevel(0);
  }
  /// Starts the window and begins a fresh frame.
  void startWindow() {
    ASSERT_EQ(0, ks::GraphicsManager::getInstance().startUp());
    ks::GraphicsManager::getInstance().swapBuffers();
  }
  std::string log;
};

} // namespace

TEST_F(Graphics, StartsWithTheConfiguredGrid) {
  ks::LogManager::getInstance().setLogLevel(5);
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  ASSERT_EQ(0, gm.startUp());
  ASSERT_NE(nullptr, gm.getWindow());
  EXPECT_TRUE(gm.isStarted());
  EXPECT_EQ(1024u, gm.getWindow()->getSize().x);
  EXPECT_EQ(768u, gm.getWindow()->getSize().y);
  EXPECT_EQ(80, gm.getHorizontal());
  EXPECT_EQ(24, gm.getVertical());
  EXPECT_EQ(1024, gm.getHorizontalPixels());
  EXPECT_EQ(768, gm.getVerticalPixels());
  EXPECT_FLOAT_EQ(12.8f, ks::charWidth());
  EXPECT_FLOAT_EQ(32.0f, ks::charHeight());
  ks::Vector pixels = ks::spacesToPixels(ks::Vector(1, 1));
  EXPECT_FLOAT_EQ(12.8f, pixels.getX());
  EXPECT_FLOAT_EQ(32.0f, pixels.getY());
  ks::Vector spaces = ks::pixelsToSpaces(ks::Vector(64, 64));
  EXPECT_FLOAT_EQ(5.0f, spaces.getX());
  EXPECT_FLOAT_EQ(2.0f, spaces.getY());
  // The desktop's resolution, not the window's (the test screen is 1280 x 1024).
  EXPECT_TRUE(logContains(log, "GraphicsManager::startUp(): Window resolution (1280, 1024) "
                               "pixels"));
  EXPECT_TRUE(logContains(log, "GraphicsManager::startUp(): successfully started."));

  sf::RenderWindow *p_window = gm.getWindow();
  EXPECT_EQ(0, gm.startUp());
  EXPECT_EQ(p_window, gm.getWindow());
  EXPECT_EQ(1, logCount(log, "GraphicsManager::startUp(): Already started."));

  gm.shutDown();
  EXPECT_EQ(nullptr, gm.getWindow());
  EXPECT_FALSE(gm.isStarted());
  EXPECT_TRUE(logContains(log, "GraphicsManager::shutDown(): successfully stopped."));
}

TEST_F(Graphics, CharacterLandsInItsCellInItsColour) {
  startWindow();
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  ASSERT_EQ(0, gm.drawCh('#', ks::RED, ks::Vector(5, 3)));
  sf::Image image = grabWindow();
  EXPECT_GT(cellInk(image, 5, 3, RED_PIXEL), 10);
  // Nothing red outside the cell and the few pixels a bold glyph reaches past it.
  int total = countColor(image, RED_PIXEL);
  EXPECT_EQ(total, countColor(image, RED_PIXEL, 64 - 2, 96, 77 + 5, 128 + 2));

  // Every colour of the table, at its own cell.
  gm.swapBuffers();
  const sf::Color pixels[] = {sf::Color::Red,  sf::Color::Green,   sf::Color::Yellow,
                              sf::Color::Blue, sf::Color::Magenta, sf::Color::Cyan,
                              sf::Color::White};
  for (int c = ks::RED; c <= ks::WHITE; c++)
    gm.drawCh('#', static_cast<ks::Color>(c), ks::Vector(static_cast<float>(2 * c), 10));
  image = grabWindow();
  for (int c = ks::RED; c <= ks::WHITE; c++) {
    EXPECT_GT(cellInk(image, 2 * c, 10, pixels[c - 1]), 10) << "colour " << c;
    EXPECT_EQ(0, cellInk(image, 2 * c + 1, 10, pixels[c - 1])) << "colour " << c;
  }
}

TEST_F(Graphics, CharactersFollowTheView) {
  startWindow();
  ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(10, 2), 80, 24));
  ks::GraphicsManager::getInstance().drawCh('@', ks::GREEN, ks::Vector(15, 3));
  sf::Image image = grabWindow();
  EXPECT_GT(cellInk(image, 5, 1, GREEN_PIXEL), 10);
  EXPECT_EQ(0, cellInk(image, 15, 3, GREEN_PIXEL));
}

TEST_F(Graphics, EachCharacterErasesItsCellFirst) {
  startWindow();
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  gm.drawCh('#', ks::RED, ks::Vector(5, 3));
  gm.drawCh(' ', ks::GREEN, ks::Vector(5, 3));
  EXPECT_EQ(0, cellInk(grabWindow(), 5, 3, RED_PIXEL));
}

TEST_F(Graphics, TransparentCellKeepsWhatWasDrawnUnderIt) {
  startWindow();
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  ASSERT_EQ(0, gm.drawFrame(false, ks::RED, 0, ks::Vector(5, 3), ks::Frame(3, 1, "###")));
  ASSERT_EQ(0, gm.drawFrame(false, ks::GREEN, '.', ks::Vector(5, 3), ks::Frame(3, 1, "X.X")));
  sf::Image image = grabWindow();
  EXPECT_GT(cellInk(image, 5, 3, GREEN_PIXEL), 10);
  EXPECT_EQ(0, cellInk(image, 5, 3, RED_PIXEL));
  EXPECT_GT(cellInk(image, 6, 3, RED_PIXEL), 10); // untouched
  EXPECT_EQ(0, cellInk(image, 6, 3, GREEN_PIXEL));
  EXPECT_GT(cellInk(image, 7, 3, GREEN_PIXEL), 10);

  // Without a transparent character the blank is drawn: its cell is erased.
  gm.swapBuffers();
  gm.drawFrame(false, ks::RED, 0, ks::Vector(5, 3), ks::Frame(3, 1, "###"));
  gm.drawFrame(false, ks::GREEN, 0, ks::Vector(5, 3), ks::Frame(3, 1, "X X"));
  image = grabWindow();
  EXPECT_EQ(0, cellInk(image, 6, 3, RED_PIXEL));
  EXPECT_EQ(0, cellInk(image, 6, 3, GREEN_PIXEL));
}

TEST_F(Graphics, SwapBuffersClearsToTheBackgroundColour) {
  ks::Configuration::getInstance().setWindowBackgroundColor(ks::BLUE);
  startWindow();
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  gm.drawString(ks::Vector(10, 10), "some text", ks::LEFT_JUSTIFIED, ks::RED);
  ASSERT_GT(countColor(grabWindow(), RED_PIXEL), 0);
  ASSERT_EQ(0, gm.swapBuffers());
  sf::Image image = grabWindow();
  EXPECT_EQ(1024 * 768, countColor(image, BLUE_PIXEL));
  // A blank cell is background colour too.
  gm.drawCh(' ', ks::RED, ks::Vector(1, 1));
  EXPECT_EQ(1024 * 768, countColor(grabWindow(), BLUE_PIXEL));
}

TEST_F(Graphics, StringJustification) {
  startWindow();
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  struct Case {
    ks::Justification just;
    int first;
  } cases[] = {{ks::LEFT_JUSTIFIED, 10}, {ks::CENTER_JUSTIFIED, 8}, {ks::RIGHT_JUSTIFIED, 5}};
  for (const Case &c : cases) {
    gm.swapBuffers();
    ASSERT_EQ(0, gm.drawString(ks::Vector(10, 4), "#####", c.just, ks::RED));
    sf::Image image = grabWindow();
    EXPECT_EQ(0, cellInk(image, c.first - 1, 4, RED_PIXEL)) << c.just;
    for (int x = c.first; x < c.first + 5; x++)
      EXPECT_GT(cellInk(image, x, 4, RED_PIXEL), 10) << c.just << " cell " << x;
    EXPECT_EQ(0, cellInk(image, c.first + 5, 4, RED_PIXEL)) << c.just;
  }
  gm.swapBuffers();
  EXPECT_EQ(0, gm.drawString(ks::Vector(10, 4), "", ks::CENTER_JUSTIFIED, ks::RED));
  EXPECT_EQ(0, countColor(grabWindow(), RED_PIXEL));
}

TEST_F(Graphics, CentredFramesStartHalfTheirSizeUpAndLeft) {
  startWindow();
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  ASSERT_EQ(0, gm.drawFrame(true, ks::RED, 0, ks::Vector(10, 5), ks::Frame(3, 3, "#########")));
  sf::Image image = grabWindow();
  for (int y = 3; y <= 7; y++)
    for (int x = 8; x <= 12; x++) {
      bool inside = x >= 9 && x <= 11 && y >= 4 && y <= 6;
      EXPECT_EQ(inside, cellInk(image, x, y, RED_PIXEL) > 10) << x << "," << y;
    }
  gm.swapBuffers();
  gm.drawFrame(true, ks::RED, 0, ks::Vector(10, 5), ks::Frame(4, 2, "########"));
  image = grabWindow();
  EXPECT_EQ(0, cellInk(image, 7, 4, RED_PIXEL));
  EXPECT_GT(cellInk(image, 8, 4, RED_PIXEL), 10);
  EXPECT_GT(cellInk(image, 11, 5, RED_PIXEL), 10);
  EXPECT_EQ(0, cellInk(image, 12, 5, RED_PIXEL));
  EXPECT_EQ(0, cellInk(image, 8, 6, RED_PIXEL));
}

TEST_F(Graphics, EmptyOrShortFramesAreSafe) {
  startWindow();
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  EXPECT_EQ(-1, gm.drawFrame(false, ks::RED, 0, ks::Vector(1, 1), ks::Frame()));
  // A frame whose text is shorter than its size draws what it has.
  EXPECT_EQ(0, gm.drawFrame(false, ks::RED, 0, ks::Vector(1, 1), ks::Frame(5, 5, "##")));
  sf::Image image = grabWindow();
  EXPECT_GT(cellInk(image, 2, 1, RED_PIXEL), 10);
  EXPECT_EQ(0, cellInk(image, 3, 1, RED_PIXEL));
}

TEST_F(Graphics, CustomColourDrawsWhite) {
  startWindow();
  ks::GraphicsManager::getInstance().drawCh('#', ks::CUSTOM, ks::Vector(3, 3));
  ks::GraphicsManager::getInstance().drawCh('#', static_cast<ks::Color>(9), ks::Vector(5, 3));
  sf::Image image = grabWindow();
  EXPECT_GT(cellInk(image, 3, 3, sf::Color::White), 10);
  EXPECT_GT(cellInk(image, 5, 3, sf::Color::White), 10);
}

TEST_F(Graphics, BackgroundOutsideTheColoursIsWhite) {
  ks::Configuration::getInstance().setWindowBackgroundColor(42);
  startWindow();
  EXPECT_EQ(1024 * 768, countColor(grabWindow(), sf::Color::White));
}

TEST_F(Graphics, DrawingWithoutStartUpFails) {
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  EXPECT_EQ(-1, gm.drawCh('a', ks::RED, ks::Vector(1, 1)));
  EXPECT_EQ(-1, gm.drawString(ks::Vector(1, 1), "ab", ks::LEFT_JUSTIFIED, ks::RED));
  EXPECT_EQ(-1, gm.drawFrame(false, ks::RED, 0, ks::Vector(1, 1), ks::Frame(1, 1, "a")));
  EXPECT_EQ(-1, gm.swapBuffers());
  EXPECT_EQ(4, logCount(log, "GraphicsManager not started!"));
}

TEST_F(Graphics, ShutDownWithoutStartUpWarns) {
  ks::LogManager::getInstance().setLogLevel(1);
  ks::GraphicsManager::getInstance().shutDown();
  EXPECT_EQ((std::vector<std::string>{"Manager::shutDown(): Warning! GraphicsManager not started.",
                                      "GraphicsManager::shutDown(): successfully stopped."}),
            logMessages(log));
}

TEST_F(Graphics, WindowOfNoOrAbsurdSizeIsRefused) {
  ks::Configuration &config = ks::Configuration::getInstance();
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  void (ks::Configuration::*setters[])(int) = {
      &ks::Configuration::setWindowHorizontalPixels, &ks::Configuration::setWindowVerticalPixels,
      &ks::Configuration::setWindowHorizontalChars, &ks::Configuration::setWindowVerticalChars};
  int refusals = 0;
  for (auto setter : setters) {
    for (int bad : {0, -1, -1000}) {
      configureWindow(log);
      (config.*setter)(bad);
      EXPECT_EQ(-1, gm.startUp()) << bad;
      EXPECT_EQ(nullptr, gm.getWindow());
      EXPECT_FALSE(gm.isStarted());
      refusals++;
    }
  }
  // Sides past what X and GL can hold hang or crash the process: refused too.
  for (auto setter : {setters[0], setters[1]}) {
    for (int huge : {16385, 40000, 70000}) {
      configureWindow(log);
      (config.*setter)(huge);
      EXPECT_EQ(-1, gm.startUp()) << huge;
      EXPECT_EQ(nullptr, gm.getWindow());
      refusals++;
    }
  }
  EXPECT_EQ(refusals, logCount(log, "GraphicsLayer::startUp(): Unable to alloate window!"));
  EXPECT_EQ(0, gm.getHorizontal()); // no size is left behind from a refused start-up
  EXPECT_EQ(0, gm.getHorizontalPixels());
  // The process lives on, and a sound configuration still opens the window.
  configureWindow(log);
  EXPECT_EQ(0, gm.startUp());
}

TEST_F(Graphics, MissingOrBadFontClosesTheWindowAgain) {
  ks::Configuration &config = ks::Configuration::getInstance();
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  std::string missing = scratchPath("no-such-font.ttf");
  config.setFontFile(missing);
  EXPECT_EQ(-1, gm.startUp());
  EXPECT_TRUE(logContains(log, "GraphicsManager::startUp(): Unable to load font from file '" +
                                   missing + "'."));
  EXPECT_EQ(nullptr, gm.getWindow());
  EXPECT_FALSE(gm.isStarted());

  std::string bad = scratchPath("bad-font.ttf");
  writeFile(bad, "not a font at all\n");
  config.setFontFile(bad);
  EXPECT_EQ(-1, gm.startUp());
  EXPECT_TRUE(
      logContains(log, "GraphicsManager::startUp(): Unable to load font from file '" + bad + "'."));
  EXPECT_EQ(nullptr, gm.getWindow());

  // Nothing was left half started: the next start-up really starts.
  config.setFontFile(testFont());
  EXPECT_EQ(0, gm.startUp());
  EXPECT_TRUE(gm.isStarted());
  EXPECT_EQ(0, logCount(log, "Already started."));
}
