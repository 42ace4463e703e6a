#include "geometry.h"

#include "Object.h"
#include "WorldManager.h"

namespace ks {

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
