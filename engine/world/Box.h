#ifndef KS_BOX_H
#define KS_BOX_H

#include "Vector.h"

namespace ks {

/// An axis-aligned rectangle: the closed ranges [corner.x, corner.x + horizontal] and
/// [corner.y, corner.y + vertical].
class Box {
public:
  /// Corner (0, 0), 0 x 0.
  Box() : corner(), horizontal(0), vertical(0) {}
  /// Top-left corner `init_corner`, `init_horizontal` x `init_vertical`.
  Box(Vector init_corner, float init_horizontal, float init_vertical)
      : corner(init_corner), horizontal(init_horizontal), vertical(init_vertical) {}

  /// Sets the top-left corner.
  void setCorner(Vector new_corner) { corner = new_corner; }
  /// The top-left corner.
  Vector getCorner() const { return corner; }
  /// Sets the extent in x.
  void setHorizontal(float new_horizontal) { horizontal = new_horizontal; }
  /// Extent in x.
  float getHorizontal() const { return horizontal; }
  /// Sets the extent in y.
  void setVertical(float new_vertical) { vertical = new_vertical; }
  /// Extent in y.
  float getVertical() const { return vertical; }

private:
  Vector corner;    ///< top-left corner
  float horizontal; ///< extent in x
  float vertical;   ///< extent in y
};

} // namespace ks

#endif
