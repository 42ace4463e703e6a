// A presented frame as text: one character and one colour per cell of the view.
#ifndef KS_TEXT_FRAME_H
#define KS_TEXT_FRAME_H

#include <string>
#include <vector>

#include "Color.h"
#include "Screen.h"

namespace ks {

/// One cell of the view as it was last drawn.
struct TextCell {
  char ch;      ///< printable ASCII; ' ' where nothing was drawn
  int8_t color; ///< a Color from BLACK to CUSTOM, or UNDEFINED_COLOR where nothing was drawn
};

/// A frame as a grid of the view's cells. Each draw lands in its nearest cell, later draws
/// winning; a draw whose nearest cell is outside the view changes nothing. Characters outside
/// printable ASCII show as REPLACEMENT_CHAR and every shape as SHAPE_CHAR.
///
/// The file form, meant to read well in a diff:
///
///     kestle-frame 1
///     size <columns> <rows>
///     text
///     |<one row of characters>|      (rows lines)
///     colors
///     |<one row of colour codes>|    (rows lines: '0' black ... '7' white, '8' custom,
///                                      '.' nothing drawn)
///     end
class TextFrame {
public:
  /// What a character outside printable ASCII shows as.
  static const char REPLACEMENT_CHAR = '?';
  /// What a shape shows as.
  static const char SHAPE_CHAR = '*';

  /// A frame of `horizontal` x `vertical` empty cells (negative sizes count as 0).
  explicit TextFrame(int horizontal = 0, int vertical = 0);

  /// The frame that `screen` shows: its size, cleared, then every draw placed in call order.
  static TextFrame fromScreen(const Screen &screen);

  /// Empties every cell, keeping the size.
  void clear();
  /// Places every draw of `screen` in call order over what the frame holds.
  void place(const Screen &screen);
  /// Places one character drawn at window cell position (x, y).
  void placeCharacter(char ch, Color color, float x, float y);

  /// Width in cells.
  int getHorizontal() const;
  /// Height in cells.
  int getVertical() const;
  /// The cell at column `x`, row `y` (an empty cell outside the frame).
  TextCell getCell(int x, int y) const;

  /// The characters, one string per row.
  std::vector<std::string> getLines() const;
  /// The colour codes ('0' to '8', '.' for nothing drawn), one string per row.
  std::vector<std::string> getColorLines() const;
  /// The file form (see the class comment).
  std::string toText() const;
  /// Reads the file form. 0, or -1 (with one log line naming the line) if it isn't one; the
  /// frame is unchanged then.
  int fromText(const std::string &text);

  /// Writes the file form to `filename`. 0, or -1 with one log line.
  int writeFile(const std::string &filename) const;
  /// Reads the file form from `filename`. 0, or -1 with one log line.
  int readFile(const std::string &filename);

  /// Same size and the same character and colour in every cell.
  bool operator==(const TextFrame &other) const;
  /// Not ==.
  bool operator!=(const TextFrame &other) const { return !(*this == other); }

private:
  void put(char ch, int8_t color, float x, float y);

  int horizontal;              ///< columns, >= 0
  int vertical;                ///< rows, >= 0
  std::vector<TextCell> cells; ///< horizontal * vertical cells, row by row
};

} // namespace ks

#endif
