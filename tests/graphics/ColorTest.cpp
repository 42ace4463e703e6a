#include <string>

#include <gtest/gtest.h>

#include "Color.h"
#include "LogManager.h"
#include "TestSupport.h"

namespace {

class ColorTest : public testing::Test {
protected:
  void SetUp() override { log_path = kstest::startLog("log"); }
  void TearDown() override {
    ks::LogManager::getInstance().setLogLevel(0);
    ks::LogManager::getInstance().shutDown();
  }
  std::string log_path;
};

const sf::Color LIBRARY_COLORS[] = {sf::Color::Black,  sf::Color::Red,  sf::Color::Green,
                                    sf::Color::Yellow, sf::Color::Blue, sf::Color::Magenta,
                                    sf::Color::Cyan,   sf::Color::White};

TEST_F(ColorTest, TableColoursAreTheLibrarysOwn) {
  for (int c = 0; c < 8; c++) {
    sf::Color sfml = ks::colorToSFML(static_cast<ks::Color>(c));
    EXPECT_EQ(sfml, LIBRARY_COLORS[c]) << c;
    EXPECT_EQ(sfml.a, 255) << c;
    unsigned char r = 1, g = 1, b = 1;
    ks::colorToRGB(static_cast<ks::Color>(c), &r, &g, &b);
    EXPECT_EQ(r, LIBRARY_COLORS[c].r) << c;
    EXPECT_EQ(g, LIBRARY_COLORS[c].g) << c;
    EXPECT_EQ(b, LIBRARY_COLORS[c].b) << c;
  }
  unsigned char r = 0, g = 0, b = 0;
  ks::colorToRGB(ks::YELLOW, &r, &g, &b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 255);
  EXPECT_EQ(b, 0);
}

TEST_F(ColorTest, SfmlFallsBackToWhite) {
  ks::LogManager::getInstance().setLogLevel(5);
  EXPECT_EQ(ks::colorToSFML(ks::CUSTOM), sf::Color::White);
  EXPECT_EQ(ks::colorToSFML(static_cast<ks::Color>(-1)), sf::Color::White);
  EXPECT_EQ(ks::colorToSFML(static_cast<ks::Color>(9)), sf::Color::White);
  EXPECT_EQ(ks::colorToSFML(static_cast<ks::Color>(-2147483647 - 1)), sf::Color::White);
  EXPECT_EQ(kstest::logMessages(log_path),
            (std::vector<std::string>{"colorToSFML(): Color is CUSTOM.",
                                      "colorToSFML(): Color -1 not supported.",
                                      "colorToSFML(): Color 9 not supported.",
                                      "colorToSFML(): Color -2147483648 not supported."}));
}

TEST_F(ColorTest, RgbLeavesComponentsForCustomAndUnknown) {
  ks::LogManager::getInstance().setLogLevel(5);
  unsigned char r = 10, g = 20, b = 30;
  ks::colorToRGB(ks::CUSTOM, &r, &g, &b);
  EXPECT_TRUE(kstest::logMessages(log_path).empty());
  ks::colorToRGB(static_cast<ks::Color>(-1), &r, &g, &b);
  ks::colorToRGB(static_cast<ks::Color>(9), &r, &g, &b);
  EXPECT_EQ(r, 10);
  EXPECT_EQ(g, 20);
  EXPECT_EQ(b, 30);
  EXPECT_EQ(kstest::logMessages(log_path),
            (std::vector<std::string>{"colorToRGB(): Color -1 not supported.",
                                      "colorToRGB(): Color 9 not supported."}));
}

TEST_F(ColorTest, MessagesAreLevelFive) {
  ks::LogManager::getInstance().setLogLevel(4);
  unsigned char r = 0, g = 0, b = 0;
  ks::colorToSFML(ks::CUSTOM);
  ks::colorToSFML(static_cast<ks::Color>(12));
  ks::colorToRGB(static_cast<ks::Color>(12), &r, &g, &b);
  EXPECT_TRUE(kstest::logMessages(log_path).empty());
}

TEST_F(ColorTest, NamesAreExactLowerCase) {
  const char *names[] = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"};
  for (int c = 0; c < 8; c++) {
    ks::Color color = ks::CUSTOM;
    EXPECT_EQ(ks::colorFromName(names[c], &color), 0) << names[c];
    EXPECT_EQ(color, c);
  }
  const char *bad[] = {"Yellow", "WHITE", "default", "custom", "", " red", "red ", "gray"};
  for (const char *name : bad) {
    ks::Color color = ks::MAGENTA;
    EXPECT_EQ(ks::colorFromName(name, &color), -1) << name;
    EXPECT_EQ(color, ks::MAGENTA) << name;
  }
}

} // namespace
