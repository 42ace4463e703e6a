#ifndef KS_WORLD_MANAGER_H
#define KS_WORLD_MANAGER_H

#include <unordered_map>
#include <vector>

#include "Box.h"
#include "Manager.h"
#include "ObjectList.h"
#include "SceneGraph.h"
#include "Vector.h"

namespace ks {

/// Owns the game world: every object (through the scene graph), deferred deletion, the world's
/// boundary, the view on screen and the object the view follows. Moves objects with
/// collisions once per step and draws them layer by layer.
class WorldManager : public Manager {
public:
  /// The one world manager, created on first use.
  static WorldManager &getInstance();

  ~WorldManager() override;

  /// Empties the deletion list, resets boundary, view and slack. 0.
  int startUp() override;

  /// Deletes every object, active ones first.
  void shutDown() override;

  /// True for game-defined event types; engine events go elsewhere or straight to objects.
  bool isValid(std::string event_type) const override;

  /// Files `p_o` in the scene graph (its constructor calls this). 0, or -1.
  int insertObject(Object *p_o);
  /// Takes `p_o` out of the scene graph (its destructor calls this). 0, or -1.
  int removeObject(Object *p_o);

  /// Deletes `p_o` at the end of the current step (once, however often it is marked), after
  /// the objects marked before it. 0, or -1 for null.
  int markForDelete(Object *p_o);

  /// The active objects, then (with `inactive`) the inactive ones.
  ObjectList getAllObjects(bool inactive = false) const;

  /// The active objects whose world box intersects `b`, in list order.
  ObjectList objectsInBox(Box b) const;

  /// The solid objects that `p_o` would touch at `where`.
  ObjectList getCollisions(const Object *p_o, Vector where) const;

  /// Moves `p_o` to `where`, sending collision and out-of-world events; the view follows when
  /// `p_o` is the followed object. 0, or -1 if a HARD object (or SOFT one, for no_soft
  /// movers) refused the move.
  int moveObject(Object *p_o, Vector where);

  /// One step: moves every active object, follows paths, applies accelerations, then deletes
  /// the objects marked for deletion.
  void update();

  /// Draws the visible objects in the view, altitude 0 first.
  void draw();

  /// Centres the view on `p_new` and keeps following it; null stops following. 0, or -1 if
  /// `p_new` is not an active object. The world manager doesn't own the object.
  int setViewFollowing(Object *p_new);
  /// The followed object (not owned), or null.
  Object *getViewFollowing() const;

  /// Sets the world's extent: leaving it sends "ks::out"; solid queries cover it.
  void setBoundary(Box new_boundary);
  /// The world's extent.
  Box getBoundary() const;
  /// Sets the part of the world shown in the window.
  void setView(Box new_view);
  /// The part of the world shown in the window.
  Box getView() const;
  /// Fractions of the view's width and height, centred, in which the followed object moves
  /// without scrolling the view.
  void setViewSlack(Vector new_view_slack);
  /// Fractions of the view in which the followed object moves without scrolling.
  Vector getViewSlack() const;

  /// The scene graph (for the object setters).
  SceneGraph &getSceneGraph();

private:
  WorldManager();
  void clampView(Vector *p_corner) const;
  void followObject();
  void applyAcceleration(Object *p_o);
  void deleteMarked();

  SceneGraph scene_graph; ///< every object, by activity, solidness and altitude
  /// Objects deleted at the end of the step, in order of marking (not owned until then); a
  /// null entry is an object deleted some other way while marked.
  std::vector<Object *> deletions;
  /// Each marked object's index in `deletions`: the same objects as its non-null entries.
  std::unordered_map<const Object *, size_t> deletion_index;
  Object *p_view_following; ///< the object the view follows (not owned), or null
  Box boundary;             ///< extent of the world
  Box view;                 ///< the part of the world on screen
  Vector view_slack;        ///< centred fraction of the view without scrolling
  bool is_clearing;         ///< true while shutDown() deletes everything (the scene graph is empty)
};

} // namespace ks

#endif
