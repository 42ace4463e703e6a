// Display test helpers: a window with the test font, and reading back what was drawn.
#ifndef KS_TEST_SCREEN_H
#define KS_TEST_SCREEN_H

#include <string>

#include <SFML/Graphics.hpp>
#include <X11/Xlib.h>

#include "Configuration.h"
#include "GraphicsManager.h"

namespace kstest {

/// The font the display tests draw with.
inline const char *testFont() {
  return "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
}

/// Keeps one connection to the X server open for the rest of the test program. A bare X
/// server resets when its last client leaves, and a connection opened during the reset is
/// refused (the window library then aborts): tests that open and close windows one after
/// another must not let the client count drop to zero.
inline void holdDisplay() {
  static Display *p_display = XOpenDisplay(nullptr);
  (void)p_display;
}

/// Puts the configuration back to its defaults, with the test font and `log_file`.
inline void configureWindow(const std::string &log_file) {
  ks::Configuration &config = ks::Configuration::getInstance();
  holdDisplay();
  config.reset();
  config.setLogFile(log_file);
  config.setFontFile(testFont());
  config.setFrameTime(0);
}

/// What the window's back buffer holds now (what has been drawn since the last swap).
inline sf::Image grabWindow() {
  sf::RenderWindow *p_window = ks::GraphicsManager::getInstance().getWindow();
  sf::Texture texture;
  texture.create(p_window->getSize().x, p_window->getSize().y);
  texture.update(*p_window);
  return texture.copyToImage();
}

/// Pixels of exactly `color` within the rectangle [x0, x1) x [y0, y1) of `image`.
inline int countColor(const sf::Image &image, sf::Color color, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = std::max(y0, 0); y < std::min(y1, static_cast<int>(image.getSize().y)); y++)
    for (int x = std::max(x0, 0); x < std::min(x1, static_cast<int>(image.getSize().x)); x++)
      count += image.getPixel(x, y) == color;
  return count;
}

/// Pixels of exactly `color` in the whole image.
inline int countColor(const sf::Image &image, sf::Color color) {
  return countColor(image, color, 0, 0, image.getSize().x, image.getSize().y);
}

/// Pixels of `color` in the middle of window cell (`cx`, `cy`), where that cell's own glyph
/// draws and its neighbours' glyphs don't reach.
inline int cellInk(const sf::Image &image, int cx, int cy, sf::Color color) {
  int x = static_cast<int>(cx * ks::charWidth()), y = static_cast<int>(cy * ks::charHeight());
  return countColor(image, color, x + 4, y + 4, x + 9, y + static_cast<int>(ks::charHeight()));
}

} // namespace kstest

#endif
