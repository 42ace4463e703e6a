// The drawing of one step, kept as data until a display shows it.
#ifndef KS_SCREEN_H
#define KS_SCREEN_H

#include <cstdint>
#include <vector>

#include "Color.h"
#include "Vector.h"

namespace ks {

/// A filled shape as it is to be drawn: the outline of a regular polygon (SFML-style circle of
/// `point_count` points) in window pixels, and the cell it was drawn at.
struct ShapeDraw {
  int point_count; ///< corners of the polygon, at least 3
  float radius;    ///< pixels
  float rotation;  ///< degrees, about the top left corner of the bounding box
  float left;      ///< window pixels of the unrotated bounding box's top left corner
  float top;       ///< window pixels of the unrotated bounding box's top left corner
  unsigned char r; ///< fill red
  unsigned char g; ///< fill green
  unsigned char b; ///< fill blue
  unsigned char a; ///< fill opacity, 255 opaque
  Color color;     ///< the shape's colour (CUSTOM when r, g, b are its own)
};

/// One drawing call: a character or a shape, at a position in window cells.
struct Draw {
  float x;              ///< window cells from the left edge (fractional, not rounded)
  float y;              ///< window cells from the top edge (fractional, not rounded)
  char ch;              ///< the character (characters only)
  int8_t color;         ///< a Color from BLACK to WHITE (characters only)
  bool is_shape;        ///< true: a shape, described by Screen::getShape(shape_index)
  uint32_t shape_index; ///< index into the screen's shapes (shapes only)
};

/// The draws of one step, in call order. The graphics manager records into one screen while a
/// step draws and hands it to the display when the step is presented; the storage is reused
/// from step to step.
class Screen {
public:
  /// An empty screen of no size.
  Screen();

  /// Size of the view in cells; draws are kept whatever their position.
  void setSize(int new_horizontal, int new_vertical);
  /// View width in cells.
  int getHorizontal() const;
  /// View height in cells.
  int getVertical() const;

  /// Records `ch` in `color` at window cell position `view_pos`. Colours without components of
  /// their own (CUSTOM, values outside the enumeration) are recorded as WHITE, as they show.
  void addCharacter(char ch, Color color, Vector view_pos);
  /// Records a shape drawn at window cell position `view_pos`.
  void addShape(const ShapeDraw &shape, Vector view_pos);

  /// Every draw of the step, in call order.
  const std::vector<Draw> &getDraws() const;
  /// The shape of a draw whose `is_shape` is true.
  const ShapeDraw &getShape(uint32_t shape_index) const;

  /// Forgets the draws, keeping the storage for the next step.
  void clear();

  /// Exchanges contents and storage with `other` in constant time.
  void swap(Screen &other);

private:
  int horizontal;                ///< view width in cells, >= 0
  int vertical;                  ///< view height in cells, >= 0
  std::vector<Draw> draws;       ///< in call order
  std::vector<ShapeDraw> shapes; ///< the shapes that draws refer to, in call order
};

} // namespace ks

#endif
