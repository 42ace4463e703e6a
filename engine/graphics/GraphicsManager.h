#ifndef KS_GRAPHICS_MANAGER_H
#define KS_GRAPHICS_MANAGER_H

#include <string>

#include <SFML/Graphics.hpp>

#include "Color.h"
#include "Frame.h"
#include "Manager.h"
#include "Vector.h"

namespace ks {

/// How drawString() places a string relative to its position.
enum Justification {
  LEFT_JUSTIFIED,
  CENTER_JUSTIFIED,
  RIGHT_JUSTIFIED,
};

/// Owns the window and draws characters in a grid of character cells.
class GraphicsManager : public Manager {
public:
  /// The one graphics manager, created on first use.
  static GraphicsManager &getInstance();

  /// Releases the font; the window goes with shutDown().
  ~GraphicsManager() override;

  /// Opens the window and loads the font as configured. 0 (also when already started), or -1.
  int startUp() override;

  /// Closes the window.
  void shutDown() override;

  /// Draws `ch` in `color` in the cell at `world_pos`, over a cell of background colour.
  /// 0, or -1 if not started.
  int drawCh(char ch, Color color, Vector world_pos);

  /// Draws `str` from, around or up to `world_pos`. 0, or -1 if not started.
  int drawString(Vector world_pos, std::string str, Justification just, Color color);

  /// Draws `frame` cell by cell, skipping `transparent` characters (0: none).
  /// 0, or -1 if not started or the frame is empty.
  int drawFrame(bool centered, Color color, char transparent, Vector world_pos, Frame frame);

  /// Shows the finished frame and clears the window to the background colour. 0, or -1.
  int swapBuffers();

  /// The window (owned by the manager; callers must not keep it past shutDown()), or null when
  /// not started.
  sf::RenderWindow *getWindow() const;

  /// Window width in character cells (0 when not started).
  int getHorizontal() const;
  /// Window height in character cells (0 when not started).
  int getVertical() const;
  /// Window width in pixels (0 when not started).
  int getHorizontalPixels() const;
  /// Window height in pixels (0 when not started).
  int getVerticalPixels() const;

private:
  GraphicsManager();
  void releaseWindow();
  void logDesktopResolution() const;

  sf::Font font;                   ///< the configured font
  sf::RenderWindow *p_window;      ///< the window (owned), or null
  int window_horizontal_pixels;    ///< window width in pixels
  int window_vertical_pixels;      ///< window height in pixels
  int window_horizontal_chars;     ///< window width in cells
  int window_vertical_chars;       ///< window height in cells
  sf::RectangleShape *p_rectangle; ///< one cell of background drawn under each glyph (owned)
  sf::Color background_color;      ///< the window's background colour
  sf::Text *p_text;                ///< the text reused for every glyph (owned)
};

/// Width of a character cell in pixels.
float charWidth();
/// Height of a character cell in pixels.
float charHeight();
/// Window cells to pixels.
Vector spacesToPixels(Vector spaces);
/// Pixels to window cells (fractional).
Vector pixelsToSpaces(Vector pixels);

} // namespace ks

#endif
