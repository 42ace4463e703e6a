#ifndef KS_SCENE_GRAPH_H
#define KS_SCENE_GRAPH_H

#include "Object.h"
#include "ObjectList.h"

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

  /// Copies of the lists: every active object; the active HARD and SOFT ones; the active
  /// visible ones at `altitude`; every inactive object.
  ObjectList activeObjects() const;
  ObjectList solidObjects() const;
  ObjectList visibleObjects(int altitude) const;
  ObjectList inactiveObjects() const;

  /// Called before the object's attribute changes; 0, or -1 (with a log line) if the lists
  /// could not follow, in which case the caller leaves the attribute as it is.
  int updateAltitude(Object *p_o, int new_alt);
  int updateSolidness(Object *p_o, Solidness new_solidness);
  int updateVisible(Object *p_o, bool new_visible);
  int updateActive(Object *p_o, bool new_active);

private:
  ObjectList objects;                           ///< every active object
  ObjectList solid_objects;                     ///< active HARD and SOFT objects
  ObjectList visible_objects[MAX_ALTITUDE + 1]; ///< active visible objects by altitude
  ObjectList inactive_objects;                  ///< every inactive object
};

} // namespace ks

#endif
