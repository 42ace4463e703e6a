#ifndef KS_SCENE_GRAPH_H
#define KS_SCENE_GRAPH_H

#include "Object.h"
#include "ObjectList.h"
#include "SolidGrid.h"

namespace ks {

/// The world manager's index of all objects: each object is in exactly the lists that match
/// its attributes. None of the lists owns its objects.
class SceneGraph {
public:
  SceneGraph();
  ~SceneGraph();

  /// Files a new object by its attributes. 0, or -1 (with a log line).
  int insertObject(Object *p_o);
  /// Removes an object from every list it is in. 0, or -1 (with a log line).
  int removeObject(Object *p_o);

  /// Empties every list at once (the objects are not deleted).
  void clear();

  /// A copy of the list of every active object.
  ObjectList activeObjects() const;
  /// A copy of the list of the active HARD and SOFT objects.
  ObjectList solidObjects() const;
  /// A copy of the list of the active visible objects at `altitude`.
  ObjectList visibleObjects(int altitude) const;
  /// A copy of the list of every inactive object.
  ObjectList inactiveObjects() const;

  /// Called before the object's altitude changes; 0, or -1 (with a log line) if the lists
  /// could not follow, in which case the caller leaves the altitude as it is. The other
  /// update operations below work the same way for their attribute.
  int updateAltitude(Object *p_o, int new_alt);
  /// Called before the object's solidness changes; 0, or -1 as updateAltitude().
  int updateSolidness(Object *p_o, Solidness new_solidness);
  /// Called before the object's visibility changes; 0, or -1 as updateAltitude().
  int updateVisible(Object *p_o, bool new_visible);
  /// Called before the object's activity changes; 0, or -1 as updateAltitude().
  int updateActive(Object *p_o, bool new_active);

  /// Called after the object's position or box changed, so that queries see its new place.
  void updateBounds(const Object *p_o);

  /// The active HARD and SOFT objects whose world boxes may touch `b`, in solid-list order.
  std::vector<Object *> solidCandidates(Box b) const;

  /// The area over which solid objects are indexed (the world's boundary).
  void setArea(Box area);

private:
  int addSolid(Object *p_o);
  int removeSolid(Object *p_o);

  ObjectList objects;                           ///< every active object
  ObjectList solid_objects;                     ///< active HARD and SOFT objects
  ObjectList visible_objects[MAX_ALTITUDE + 1]; ///< active visible objects by altitude
  ObjectList inactive_objects;                  ///< every inactive object
  SolidGrid solid_grid;    ///< the solid objects by place; the same objects as solid_objects
  uint64_t solid_sequence; ///< sequence number of the next object appended to solid_objects
};

} // namespace ks

#endif
