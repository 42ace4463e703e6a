#ifndef KS_SHAPE_H
#define KS_SHAPE_H

#include "Color.h"
#include "Vector.h"

namespace ks {

/// Kinds of shape.
enum ShapeType {
  NO_SHAPE = -1, ///< what objects use for "no shape"
  CIRCLE,
  SQUARE,
  TRIANGLE,
};

/// A filled circle, square or triangle drawn at an object's position. All shapes share one
/// outline; a square's 45-degree rotation stays on it for every later shape.
class Shape {
public:
  /// A white, opaque circle sized to the character cell and font scale.
  Shape();

  /// Draws the shape at a world position in cells.
  void draw(Vector world_pos);

  /// Fill colour; CUSTOM fills with the components of setRGB().
  void setColor(Color new_color);
  /// Fill colour.
  Color getColor() const;
  /// Components used when the colour is CUSTOM.
  void setRGB(unsigned char new_r, unsigned char new_g, unsigned char new_b);
  /// The components last used or set, through the pointers (the caller's variables).
  void getRGB(unsigned char *p_r, unsigned char *p_g, unsigned char *p_b) const;
  /// A ShapeType (or -1 for none).
  void setShapeType(int new_shape_type);
  /// A ShapeType (or -1 for none).
  int getShapeType() const;
  /// Size in pixels.
  void setSize(float new_size);
  /// Size in pixels.
  float getSize() const;
  /// Fill opacity, 255 opaque.
  void setAlpha(unsigned char new_alpha);
  /// Fill opacity, 255 opaque.
  unsigned char getAlpha() const;

private:
  Color color;         ///< fill colour; CUSTOM uses r, g, b as they stand
  unsigned char r;     ///< red (CUSTOM)
  unsigned char g;     ///< green (CUSTOM)
  unsigned char b;     ///< blue (CUSTOM)
  int shape_type;      ///< a ShapeType, -1 for none
  float size;          ///< pixels
  unsigned char alpha; ///< fill opacity
};

} // namespace ks

#endif
