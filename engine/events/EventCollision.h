#ifndef KS_EVENT_COLLISION_H
#define KS_EVENT_COLLISION_H

#include "Event.h"
#include "Vector.h"

namespace ks {

class Object;

/// Type of EventCollision; objects get it without registering.
const std::string COLLISION_EVENT = "ks::collision";

/// Sent by the world manager to both objects of a collision, the mover first.
class EventCollision : public Event {
public:
  /// A collision with no objects at (0, 0).
  EventCollision();

  /// `p_o1` moved to `p` and touched `p_o2`.
  EventCollision(Object *p_o1, Object *p_o2, Vector p);

  /// Sets the object that moved (not owned).
  void setObject1(Object *p_new_o1);
  /// The object that moved; valid during the dispatch only, not owned.
  Object *getObject1() const;
  /// Sets the object it touched (not owned).
  void setObject2(Object *p_new_o2);
  /// The object it touched; valid during the dispatch only, not owned.
  Object *getObject2() const;
  /// Sets where the collision happens.
  void setPosition(Vector new_pos);
  /// Where the collision happens.
  Vector getPosition() const;

private:
  Vector pos;     ///< where the collision happens
  Object *p_obj1; ///< the object that moved (not owned)
  Object *p_obj2; ///< the object it touched (not owned)
};

} // namespace ks

#endif
