// The eight colours, what has none of its own, and the colour names of files.
#include <gtest/gtest.h>

#include "Color.h"
#include "LogManager.h"
#include "TestSupport.h"

TEST(ColorTest, EightLibraryColoursAndWhiteOrUnchangedForTheRest) {
  const sf::Color library[] = {sf::Color::Black,  sf::Color::Red,  sf::Color::Green,
                               sf::Color::Yellow, sf::Color::Blue, sf::Color::Magenta,
                               sf::Color::Cyan,   sf::Color::White};
  const char *names[] = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"};
  for (int c = 0; c < 8; c++) {
    EXPECT_EQ(library[c], ks::colorToSFML(static_cast<ks::Color>(c))) << c;
    unsigned char r = 1, g = 1, b = 1;
    ks::colorToRGB(static_cast<ks::Color>(c), &r, &g, &b);
    EXPECT_EQ(library[c], sf::Color(r, g, b)) << c;
    ks::Color named = ks::CUSTOM;
    EXPECT_EQ(0, ks::colorFromName(names[c], &named));
    EXPECT_EQ(c, named);
  }
  std::string log = kstest::startLog("log");
  ks::LogManager::getInstance().setLogLevel(5);
  for (int other : {static_cast<int>(ks::CUSTOM), -1, 9, -2147483647 - 1}) {
    EXPECT_EQ(sf::Color::White, ks::colorToSFML(static_cast<ks::Color>(other))) << other;
    unsigned char r = 10, g = 20, b = 30;
    ks::colorToRGB(static_cast<ks::Color>(other), &r, &g, &b);
    EXPECT_EQ(sf::Color(10, 20, 30), sf::Color(r, g, b)) << other;
  }
  EXPECT_EQ((std::vector<std::string>{"colorToSFML(): Color is CUSTOM.",
                                      "colorToSFML(): Color -1 not supported.",
                                      "colorToRGB(): Color -1 not supported.",
                                      "colorToSFML(): Color 9 not supported.",
                                      "colorToRGB(): Color 9 not supported.",
                                      "colorToSFML(): Color -2147483648 not supported.",
                                      "colorToRGB(): Color -2147483648 not supported."}),
            kstest::logMessages(log));
  ks::LogManager::getInstance().setLogLevel(0);
  ks::LogManager::getInstance().shutDown();
  for (const char *bad : {"Yellow", "WHITE", "default", "custom", "", " red", "gray"}) {
    ks::Color color = ks::MAGENTA;
    EXPECT_EQ(-1, ks::colorFromName(bad, &color)) << bad;
    EXPECT_EQ(ks::MAGENTA, color) << bad;
  }
}
