#ifndef KS_GRAPHICS_MANAGER_H
#define KS_GRAPHICS_MANAGER_H

#include <cstdio>
#include <string>

#include <SFML/Graphics.hpp>

#include "Color.h"
#include "Frame.h"
#include "Manager.h"
#include "Screen.h"
#include "TextFrame.h"
#include "Vector.h"

namespace ks {

/// How drawString() places a string relative to its position.
enum Justification {
  LEFT_JUSTIFIED,
  CENTER_JUSTIFIED,
  RIGHT_JUSTIFIED,
};

class Display;
class WindowDisplay;

/// Draws characters in a grid of character cells. A step's drawing calls are recorded as the
/// step's Screen; swapBuffers() hands it to the display chosen by the configuration's
/// "display" key: a window (the default), the terminal the program runs in, or text with no
/// window at all. With "frame_log" set,
/// every presented frame is also written to that file as text, each after a line
/// "frame <number>" (frames count from 0 at start-up).
class GraphicsManager : public Manager {
public:
  /// The one graphics manager, created on first use.
  static GraphicsManager &getInstance();

  /// Closes the display if it is still open.
  ~GraphicsManager() override;

  /// Opens the configured display (for a window: the window and its font). 0 (also when
  /// already started), or -1.
  int startUp() override;

  /// Closes the display.
  void shutDown() override;

  /// Draws `ch` in `color` in the cell at `world_pos`, over a cell of background colour.
  /// 0, or -1 if not started.
  int drawCh(char ch, Color color, Vector world_pos);

  /// Draws `shape` (placed in window pixels) as drawn at `world_pos`; Shape::draw() calls it.
  /// 0, or -1 if not started.
  int drawShape(const ShapeDraw &shape, Vector world_pos);

  /// Draws `str` from, around or up to `world_pos`. 0, or -1 if not started.
  int drawString(Vector world_pos, std::string str, Justification just, Color color);

  /// Draws `frame` cell by cell, skipping `transparent` characters (0: none).
  /// 0, or -1 if not started or the frame is empty.
  int drawFrame(bool centered, Color color, char transparent, Vector world_pos, Frame frame);

  /// Shows the finished frame and starts the next (a window is cleared to the background
  /// colour). 0, or -1.
  int swapBuffers();

  /// The window (owned by the manager; callers must not keep it past shutDown()), or null when
  /// not started or the display has no window. What the step drew so far is put into the
  /// window first, so that whatever the caller draws lands over it.
  sf::RenderWindow *getWindow() const;

  /// The active display (owned by the manager), or null when not started.
  Display *getDisplay() const;

  /// The draws of the current step so far.
  const Screen &getScreen() const;

  /// The last presented frame as text, whatever the display (empty before the first swap).
  TextFrame getLastFrame() const;

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
  void closeDisplay();
  void clearSizes();

  Display *p_display;              ///< the active display (owned), null when not started
  WindowDisplay *p_window_display; ///< p_display when it is a window, else null
  int window_horizontal_pixels;    ///< window width in pixels
  int window_vertical_pixels;      ///< window height in pixels
  int window_horizontal_chars;     ///< window width in cells
  int window_vertical_chars;       ///< window height in cells
  Screen screen;                   ///< the current step's draws
  Screen presented;                ///< the last presented step's draws
  FILE *p_frame_log;               ///< every presented frame as text (owned), or null
  int frames_presented;            ///< frames presented since start-up
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
