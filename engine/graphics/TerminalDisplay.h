// Frames shown in the terminal the program runs in, through curses.
#ifndef KS_TERMINAL_DISPLAY_H
#define KS_TERMINAL_DISPLAY_H

#include <string>

#include "Display.h"
#include "TextFrame.h"

namespace ks {

/// Shows frames in the terminal on standard output: each frame as the TextFrame of its draws,
/// one character per terminal cell from the top left corner, in the terminal's own colours on
/// its default background, with no cursor. Only the cells that changed since the last frame
/// are handed to curses, which writes only what differs on the terminal.
///
/// The terminal is the player's: open() takes it over (alternate screen, no echo, mouse
/// reporting with every motion, the kitty keyboard protocol where the terminal speaks it) and
/// close() gives it back as it was, and so do SIGINT, SIGTERM (which then end the program as
/// they would have) and SIGTSTP (the game goes on when continued). A terminal smaller than
/// the view shows one line asking for a bigger one, and present() waits until it is.
///
/// One terminal display can be open at a time.
class TerminalDisplay : public Display {
public:
  /// A display not open yet.
  TerminalDisplay();
  /// Closes the display if it is open.
  ~TerminalDisplay() override;

  /// Takes over the terminal for frames of `horizontal` x `vertical` cells (the pixel sizes
  /// mean nothing here). 0, or -1 with one log line when standard output is not a terminal,
  /// its type is unknown, or another terminal display is open; the terminal is left as it was.
  int open(int horizontal, int vertical, float cell_width, float cell_height) override;
  /// Shows `screen`, first waiting while the terminal is smaller than the view. 0, or -1 when
  /// not open.
  int present(const Screen &screen) override;
  /// Gives the terminal back as open() found it.
  void close() override;
  /// "terminal".
  std::string getName() const override;

  /// Appends what the player typed (and the terminal reported) since the last call, as the
  /// bytes the terminal sent.
  void readInput(std::string &bytes);
  /// True when the terminal reports key releases (it speaks the kitty keyboard protocol); else
  /// keys come as presses and auto-repeats only.
  bool reportsKeyReleases() const;
  /// True while the display is open.
  bool isOpen() const;

private:
  void answerQueries();
  void waitForSize(int rows, int columns);
  void keepInput(int ch);
  void drawChangedCells();

  bool is_open;            ///< open() succeeded and close() hasn't run since
  bool key_releases;       ///< the kitty keyboard protocol was pushed
  int horizontal;          ///< view width in cells
  int vertical;            ///< view height in cells
  int rows;                ///< terminal height when the last frame was drawn, 0: draw every cell
  int columns;             ///< terminal width when the last frame was drawn
  TextFrame frame;         ///< the frame being presented
  TextFrame shown;         ///< what the terminal shows in the view's cells
  std::string typed_ahead; ///< input read while waiting, not yet taken by readInput()
};

} // namespace ks

#endif
