// The window display: start-up and its failures, and the batched drawing on its background
// compared pixel for pixel with drawing every character on its own.
#include <functional>

#include <gtest/gtest.h>

#include "../../bench/PerCellDraw.h"
#include "Shape.h"
#include "TestSupport.h"
#include "ViewObject.h"
#include "WindowSupport.h"
#include "WorldManager.h"

using namespace kstest;

namespace {

class WindowDisplay : public testing::Test {
protected:
  void SetUp() override {
    log = startLog("log");
    configureWindow(log);
    ks::WorldManager::getInstance().startUp();
    ks::WorldManager::getInstance().setView(ks::Box(ks::Vector(0, 0), 80, 24));
  }
  void TearDown() override {
    ks::WorldManager::getInstance().shutDown();
    ks::GraphicsManager::getInstance().shutDown();
  }
  std::string log;
};

} // namespace

TEST_F(WindowDisplay, StartsOnceAtItsSizeAndRefusesAbsurdSizesAndBadFonts) {
  ks::Configuration &config = ks::Configuration::getInstance();
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  std::string bad_font = scratchPath("bad-font.ttf"), no_font = scratchPath("no-such-font.ttf");
  writeFile(bad_font, "not a font at all\n");
  const std::string no_window = "GraphicsLayer::startUp(): Unable to alloate window!",
                    font = "GraphicsManager::startUp(): Unable to load font from file '";
  const std::string display = getenv("DISPLAY");
  // Sides past what X and GL can hold hang or crash the process: refused too.
  const std::pair<std::function<void()>, std::string> bad[] = {
      {[] { unsetenv("DISPLAY"); },
       "WindowDisplay::open(): No X display to open a window on (DISPLAY is not set)."},
      {[&] { config.setWindowHorizontalPixels(0); }, no_window},
      {[&] { config.setWindowHorizontalPixels(16385); }, no_window},
      {[&] { config.setWindowVerticalPixels(-1000); }, no_window},
      {[&] { config.setWindowVerticalPixels(70000); }, no_window},
      {[&] { config.setWindowHorizontalChars(0); }, no_window},
      {[&] { config.setWindowVerticalChars(-1000); }, no_window},
      {[&] { config.setFontFile(no_font); }, font + no_font + "'."},
      {[&] { config.setFontFile(bad_font); }, font + bad_font + "'."},
  };
  for (const auto &[change, message] : bad) {
    configureWindow(log);
    change();
    EXPECT_EQ(-1, gm.startUp()) << message;
    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_TRUE(logContains(log, message)) << message;
    EXPECT_EQ(nullptr, gm.getWindow()) << message;
    EXPECT_EQ(0, gm.getHorizontal()); // no size is left behind from a refused start-up
  }
  // Nothing was left half started: the next start-up really starts, once, at its size.
  configureWindow(log);
  ASSERT_EQ(0, gm.startUp());
  sf::RenderWindow *p_window = gm.getWindow();
  ASSERT_NE(nullptr, p_window);
  EXPECT_EQ(sf::Vector2u(1024, 768), p_window->getSize());
  EXPECT_EQ(0, gm.startUp());
  EXPECT_EQ(p_window, gm.getWindow());
  EXPECT_EQ(1, logCount(log, "GraphicsManager::startUp(): Already started."));
  gm.shutDown();
  EXPECT_EQ(nullptr, gm.getWindow());
}

namespace {

struct Scene {
  const char *name;
  std::function<void()> draw;
};

void drawCh(char ch, int color, float x, float y) {
  ks::GraphicsManager::getInstance().drawCh(ch, static_cast<ks::Color>(color), ks::Vector(x, y));
}

void drawShape(int type, int color, float x, float y, unsigned char alpha = 255) {
  ks::Shape shape;
  shape.setShapeType(type);
  shape.setColor(static_cast<ks::Color>(color));
  shape.setRGB(30, 200, 90);
  shape.setAlpha(alpha);
  shape.draw(ks::Vector(x, y));
}

const Scene SCENES[] = {
    {"every printable character in every colour",
     [] {
       for (int i = 0; i < 95 * 8; i++)
         drawCh(static_cast<char>(' ' + i % 95), i / 95, static_cast<float>(i % 80),
                static_cast<float>(i / 80));
     }},
    {"characters outside printable ASCII",
     [] {
       for (int c = 0; c < 256; c++)
         if (c < ' ' || c > '~')
           drawCh(static_cast<char>(c), ks::GREEN, static_cast<float>(c % 80), c / 80 * 2.0f);
     }},
    {"fractional positions",
     [] {
       const float fractions[] = {0, 0.1f, 0.25f, 0.33f, 0.5f, 0.66f, 0.75f, 0.9f, 0.999f};
       for (int i = 0; i < 9; i++)
         for (int j = 0; j < 9; j++)
           drawCh(static_cast<char>('A' + (i + j) % 26), 1 + (i + j) % 7, 3.0f * i + fractions[j],
                  2.0f * j + fractions[i]);
     }},
    {"overlapping characters and one cell drawn twice",
     [] {
       for (int i = 0; i < 40; i++)
         drawCh(static_cast<char>('a' + i % 26), 1 + i % 7, 5 + 0.5f * i, 3 + 0.25f * (i % 4));
       drawCh('#', ks::RED, 10, 10);
       drawCh('x', ks::BLUE, 10, 10);
       drawCh('@', ks::YELLOW, 12, 10);
       drawCh(' ', ks::YELLOW, 12, 10);
     }},
    {"shapes between characters",
     [] {
       ks::GraphicsManager::getInstance().drawString(ks::Vector(15, 5), "under the shapes",
                                                     ks::LEFT_JUSTIFIED, ks::CYAN);
       drawShape(ks::CIRCLE, ks::RED, 20, 5);
       drawCh('O', ks::GREEN, 20, 5);
       drawShape(ks::TRIANGLE, ks::CUSTOM, 25, 5, 128);
       drawShape(ks::SQUARE, ks::YELLOW, 30, 5);
       drawCh('#', ks::WHITE, 30.5f, 5);
       drawShape(ks::CIRCLE, ks::BLUE, 35, 5); // turned by the square before it
     }},
    {"transparent sprite frames",
     [] {
       ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
       gm.drawFrame(false, ks::RED, 0, ks::Vector(5, 3), ks::Frame(6, 2, "######%%%%%%"));
       gm.drawFrame(true, ks::GREEN, ' ', ks::Vector(7, 4), ks::Frame(4, 3, " /\\ |  |\\__/"));
       gm.drawFrame(false, ks::MAGENTA, 0, ks::Vector(8.5f, 3.5f), ks::Frame(2, 1, " o"));
     }},
    {"view objects with borders",
     [] {
       auto *p_view = new ks::ViewObject; // the world manager's from now on
       p_view->setViewString("Score");
       p_view->setValue(1234);
       p_view->setColor(ks::YELLOW);
       p_view->draw();
       p_view->setLocation(ks::BOTTOM_RIGHT);
       p_view->setBorder(false);
       p_view->draw();
     }},
    {"scattered positions",
     [] {
       unsigned seed = 12345;
       auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8 & 0xffff; };
       for (int i = 0; i < 600; i++)
         drawCh(static_cast<char>('!' + next() % 94), next() % 8, next() / 65536.0f * 82 - 1,
                next() / 65536.0f * 26 - 1);
     }},
    {"a frame bigger than the window",
     [] {
       std::string text;
       for (int i = 0; i < 100 * 30; i++)
         text += static_cast<char>('0' + i % 43);
       ks::GraphicsManager::getInstance().drawFrame(false, ks::WHITE, '5', ks::Vector(-5, -3),
                                                    ks::Frame(100, 30, text));
     }},
};

/// Font scale, background colour (and its pixels) and size of a window.
struct Look {
  float font_scale;
  int background;
  sf::Color pixel;
  int width, height;
};

class PixelIdentity : public WindowDisplay, public testing::WithParamInterface<Look> {};

/// What the window's back buffer holds now: everything drawn since the last swap.
sf::Image grabWindow() {
  sf::RenderWindow *p_window = ks::GraphicsManager::getInstance().getWindow();
  sf::Texture texture;
  texture.create(p_window->getSize().x, p_window->getSize().y);
  texture.update(*p_window);
  return texture.copyToImage();
}

/// "equal", or how many pixels differ and where the first one is.
std::string compareImages(const sf::Image &batched, const sf::Image &reference) {
  std::string first;
  int differing = 0;
  for (unsigned y = 0; y < reference.getSize().y; y++)
    for (unsigned x = 0; x < reference.getSize().x; x++)
      if (batched.getPixel(x, y) != reference.getPixel(x, y) && differing++ == 0)
        first =
            " pixels differ, the first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
  return differing == 0 ? "equal" : std::to_string(differing) + first;
}

} // namespace

TEST_P(PixelIdentity, BatchedFrameEqualsDrawingEachCharacter) {
  ks::Configuration::getInstance().setFontScale(GetParam().font_scale);
  ks::Configuration::getInstance().setWindowBackgroundColor(GetParam().background);
  ks::Configuration::getInstance().setWindowHorizontalPixels(GetParam().width);
  ks::Configuration::getInstance().setWindowVerticalPixels(GetParam().height);
  ks::GraphicsManager &gm = ks::GraphicsManager::getInstance();
  ASSERT_EQ(0, gm.startUp());
  auto &display = *dynamic_cast<ks::WindowDisplay *>(gm.getDisplay());
  sf::RenderWindow &window = *gm.getWindow();
  sf::Image blank;
  blank.create(GetParam().width, GetParam().height, GetParam().pixel);
  // Frames start from the background, and a blank cell is background.
  EXPECT_EQ("equal", compareImages(grabWindow(), blank));
  gm.drawCh(' ', ks::RED, ks::Vector(1, 1));
  EXPECT_EQ("equal", compareImages(grabWindow(), blank));
  // The batched frame against the same frame drawn again by `reference` on a cleared window.
  auto expectSame = [&](const std::string &name, const std::function<void()> &reference) {
    sf::Image batched = grabWindow();
    window.clear(display.getBackgroundColor());
    reference();
    EXPECT_EQ("equal", compareImages(batched, grabWindow())) << name;
  };
  for (const Scene &scene : SCENES) {
    scene.draw();
    ks::Screen draws = gm.getScreen();
    expectSame(scene.name, [&] { ksbench::drawPerCell(window, draws, display); });
    gm.swapBuffers();
  }
  // Whatever the game draws straight into the window lands between the characters drawn
  // before and after it.
  sf::RectangleShape patch(sf::Vector2f(100, 40));
  patch.setPosition(60, 80);
  patch.setFillColor(sf::Color(200, 100, 50));
  ks::Screen parts[2];
  for (int part = 0; part < 2; part++) {
    for (int i = 0; i < 12; i++) {
      ks::Vector at(3 + 3 * part + i * 0.75f, 2.5f);
      gm.drawCh(static_cast<char>('a' + part), ks::GREEN, at);
      parts[part].addCharacter(static_cast<char>('a' + part), ks::GREEN, at);
    }
    if (part == 0)
      gm.getWindow()->draw(patch); // through the manager, which flushes what came before
  }
  expectSame("a rectangle drawn into the window", [&] {
    ksbench::drawPerCell(window, parts[0], display);
    window.draw(patch);
    ksbench::drawPerCell(window, parts[1], display);
  });
}

INSTANTIATE_TEST_SUITE_P(TwoFontScales, PixelIdentity,
                         testing::Values(Look{2.0f, ks::BLACK, sf::Color::Black, 1024, 768},
                                         Look{1.3f, 42, sf::Color::White, 1000, 700}), // no colour
                         [](const testing::TestParamInfo<Look> &look) {
                           return "Window" + std::to_string(look.param.width) + "x" +
                                  std::to_string(look.param.height);
                         });
