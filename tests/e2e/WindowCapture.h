// Reads what an X window shows, as the player sees it.
#ifndef KS_E2E_WINDOW_CAPTURE_H
#define KS_E2E_WINDOW_CAPTURE_H

#include <SFML/Graphics/Image.hpp>

namespace kse2e {

/// A connection to the X display named by DISPLAY, used to copy a window's pixels.
class WindowCapture {
public:
  /// Opens the display; see isOpen().
  WindowCapture();

  /// Closes the display.
  ~WindowCapture();

  WindowCapture(const WindowCapture &) = delete;
  WindowCapture &operator=(const WindowCapture &) = delete;

  /// True if the display could be opened.
  bool isOpen() const { return p_display != nullptr; }

  /// Copies the contents of `window` into `image` (opaque RGBA). False if the window is gone,
  /// unmapped or the copy failed; `image` is then unchanged.
  bool grab(unsigned long window, sf::Image &image);

private:
  void *p_display; ///< the Xlib Display, owned; null if it could not be opened
};

} // namespace kse2e

#endif
