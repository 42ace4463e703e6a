// Display test helpers: a window with the test font, and reading back what was drawn.
#ifndef KS_TEST_WINDOW_SUPPORT_H
#define KS_TEST_WINDOW_SUPPORT_H

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

/// What the window's back buffer holds now: everything drawn since the last swap.
inline sf::Image grabWindow() {
  sf::RenderWindow *p_window = ks::GraphicsManager::getInstance().getWindow();
  sf::Texture texture;
  texture.create(p_window->getSize().x, p_window->getSize().y);
  texture.update(*p_window);
  return texture.copyToImage();
}

/// Pixels of exactly `color` in the whole image.
inline int countColor(const sf::Image &image, sf::Color color) {
  int count = 0;
  for (unsigned y = 0; y < image.getSize().y; y++)
    for (unsigned x = 0; x < image.getSize().x; x++)
      count += image.getPixel(x, y) == color;
  return count;
}

} // namespace kstest

#endif
