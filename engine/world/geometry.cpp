#include "geometry.h"

#include "Object.h"
#include "WorldManager.h"

namespace ks {

bool valueInRange(float value, float min, float max) {
  return min <= value && value <= max;
}

bool boxIntersectsBox(Box a, Box b) {
  float ax = a.getCorner().getX(), ay = a.getCorner().getY();
  float bx = b.getCorner().getX(), by = b.getCorner().getY();
  bool x_overlap =
      valueInRange(bx, ax, ax + a.getHorizontal()) || valueInRange(ax, bx, bx + b.getHorizontal());
  bool y_overlap =
      valueInRange(by, ay, ay + a.getVertical()) || valueInRange(ay, by, by + b.getVertical());
  return x_overlap && y_overlap;
}

bool boxContainsPosition(Box b, Vector p) {
  float x = b.getCorner().getX(), y = b.getCorner().getY();
  return valueInRange(p.getX(), x, x + b.getHorizontal()) &&
         valueInRange(p.getY(), y, y + b.getVertical());
}

Box getWorldBox(const Object *p_o) {
  return getWorldBox(p_o, p_o->getPosition());
}

Box getWorldBox(const Object *p_o, Vector where) {
  Box box = p_o->getBox();
  box.setCorner(box.getCorner() + where);
  return box;
}

Vector viewToWorld(Vector view_pos) {
  return view_pos + WorldManager::getInstance().getView().getCorner();
}

} // namespace ks
