#ifndef KS_BOX_H
#define KS_BOX_H

#include "Vector.h"

namespace ks {

/// An axis-aligned rectangle: the closed ranges [corner.x, corner.x + horizontal] and
/// [corner.y, corner.y + vertical].
class Box {
public:
  /// Corner (0, 0), 0 x 0.
  Box();
  Box(Vector init_corner, float init_horizontal, float init_vertical);

  void setCorner(Vector new_corner);
  Vector getCorner() const;
  void setHorizontal(float new_horizontal);
  float getHorizontal() const;
  void setVertical(float new_vertical);
  float getVertical() const;

private:
  Vector corner;    ///< top-left corner
  float horizontal; ///< extent in x
  float vertical;   ///< extent in y
};

} // namespace ks

#endif
