// Inclusive overlap and containment tests, shared by collisions, culling and path following.
#ifndef KS_GEOMETRY_H
#define KS_GEOMETRY_H

#include "Box.h"
#include "Vector.h"

namespace ks {

class Object;

/// min <= value <= max.
inline bool valueInRange(float value, float min, float max) {
  return min <= value && value <= max;
}

/// True if the boxes overlap; boxes that only share an edge or a corner count.
inline bool boxIntersectsBox(Box a, Box b) {
  float ax = a.getCorner().getX(), ay = a.getCorner().getY();
  float bx = b.getCorner().getX(), by = b.getCorner().getY();
  bool x_overlap =
      valueInRange(bx, ax, ax + a.getHorizontal()) || valueInRange(ax, bx, bx + b.getHorizontal());
  bool y_overlap =
      valueInRange(by, ay, ay + a.getVertical()) || valueInRange(ay, by, by + b.getVertical());
  return x_overlap && y_overlap;
}

/// True if `p` lies in `b`, edges included.
bool boxContainsPosition(Box b, Vector p);

/// The object's box moved to the object's position.
Box getWorldBox(const Object *p_o);

/// The object's box as if the object stood at `where`.
Box getWorldBox(const Object *p_o, Vector where);

/// A window-cell position plus the corner of the world manager's view.
Vector viewToWorld(Vector view_pos);

} // namespace ks

#endif
