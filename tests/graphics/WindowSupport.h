// Display test helpers: a window configuration with the test font on a server that stays up.
#ifndef KS_TEST_WINDOW_SUPPORT_H
#define KS_TEST_WINDOW_SUPPORT_H

#include <SFML/Graphics.hpp>
#include <X11/Xlib.h>

#include "Configuration.h"
#include "GraphicsManager.h"

namespace kstest {

/// Puts the configuration back to its defaults, with the test font and `log_file`. Returns the
/// test program's own connection to the X server, open until the program ends: a bare server
/// resets when its last client leaves and refuses connections during the reset (the window
/// library then aborts), so windows opened one after another need a client that stays.
inline Display *configureWindow(const std::string &log_file) {
  static Display *p_display = XOpenDisplay(nullptr);
  ks::Configuration &config = ks::Configuration::getInstance();
  config.reset();
  config.setLogFile(log_file);
  config.setFontFile("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
  config.setFrameTime(0);
  return p_display;
}

} // namespace kstest

#endif
