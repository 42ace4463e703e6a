#ifndef KS_OBJECT_H
#define KS_OBJECT_H

#include <string>
#include <vector>

#include "Box.h"
#include "Event.h"
#include "Path.h"
#include "Shape.h"
#include "Vector.h"

namespace ks {

class PathFind;
class Sprite;

/// Highest drawing altitude; altitudes run from 0 (drawn first) to MAX_ALTITUDE (drawn last).
const int MAX_ALTITUDE = 4;

/// Most event types one object can be registered for.
const int MAX_OBJ_EVENTS = 100;

/// Collision class of an object. Fixed to int so that any int read from text is a valid value
/// for the range test of setSolidness().
enum Solidness : int {
  HARD,     ///< collides; blocks and is blocked by other HARD objects
  SOFT,     ///< collides, never blocks
  SPECTRAL, ///< never collides
};

/// Index of an attribute's modified flag.
enum ObjectAttribute {
  ID,
  ACTIVE,
  VISIBLE,
  EVENTS,
  BOX,
  POSITION,
  TYPE,
  SPRITE,
  ALTITUDE,
  SOLIDNESS,
  NO_SOFT,
  SPEED,
  DIRECTION,
  ACCELERATION,
  ATTRIBUTE_COUNT, ///< number of flags
};

/// Base of everything in the world. Construction puts the object into the world manager's
/// scene graph (while the world manager is started); the world manager owns and deletes it.
class Object {
public:
  /// A new object with the next id, at (0, 0), active, visible, HARD, altitude 2.
  Object();

  /// Withdraws the object's event interests, drops its path search and removes it from the
  /// world. Only the world manager deletes objects.
  virtual ~Object();

  /// Moves the object (no collision test) and marks POSITION.
  virtual void setPosition(Vector new_pos);

  /// Handles an event; non-zero if handled. The base follows paths from "ks::path" events.
  virtual int eventHandler(const Event *p_e);

  /// Draws the current sprite frame (and steps its animation) and the shape, if any.
  virtual void draw();

  /// The modified attributes (or all) as "key:value," items; clears the modified flags.
  virtual std::string serialize(bool all = false);

  /// Applies the key:value items of `s` through the setters. 0.
  virtual int deserialize(std::string s);

  /// True if any attribute changed since the last serialize().
  virtual bool isModified() const;

  /// True if `attribute` changed since the last serialize().
  virtual bool isModified(ObjectAttribute attribute) const;

  /// The object's id; each new object gets the next number.
  int getId() const;
  /// Sets the id (deserialization) and marks ID.
  void setId(int new_id);

  /// The object's kind, as set by its class.
  std::string getType() const;
  /// Sets the object's kind and marks TYPE.
  void setType(std::string new_type);

  /// World position in cells.
  Vector getPosition() const { return pos; }

  /// Bounding box relative to the position.
  Box getBox() const { return box; }
  /// Sets the bounding box, relative to the position, and marks BOX.
  void setBox(Box new_box);

  /// Unit direction of motion, or (0, 0).
  Vector getDirection() const { return direction; }
  /// Cells per step along the direction.
  float getSpeed() const { return speed; }
  /// Direction x speed.
  Vector getVelocity() const;
  /// Speed = length of `v`; direction = `v` normalized (or zero).
  void setVelocity(Vector v);
  /// Added to the velocity once per step.
  Vector getAcceleration() const { return acceleration; }
  /// Sets what is added to the velocity once per step; marks ACCELERATION.
  void setAcceleration(Vector new_acceleration);

  /// Points the direction at `target`, keeping the speed.
  void moveTo(Vector target);

  /// The current sprite, owned by the resource manager; null when none.
  Sprite *getSprite() const;
  /// Shows `p_new_sprite` from frame 0; with `set_box` the box becomes the sprite's size,
  /// centred. The object doesn't own the sprite.
  void setSprite(Sprite *p_new_sprite, bool set_box = true);
  /// Label of the current sprite ("" when none).
  std::string getSpriteName() const;
  /// True if the sprite is drawn centred on the position.
  bool getSpriteCenter() const;
  /// Draws the sprite centred on the position (or with its top left there) and fits the box.
  void setSpriteCenter(bool centered);
  /// The sprite character that is not drawn; 0 when every one is.
  char getSpriteTransparency() const;
  /// The sprite character that is not drawn; 0 draws every character.
  void setTransparency(char transparent);
  /// The sprite frame drawn next.
  int getSpriteIndex() const;
  /// Sets the sprite frame drawn next.
  void setSpriteIndex(int new_sprite_index);
  /// Draws per animation frame; 0 when the animation is stopped.
  int getSpriteSlowdown() const;
  /// Draws per animation frame; 0 stops the animation.
  void setSpriteSlowdown(int new_sprite_slowdown);
  /// Draws so far in the current animation frame.
  int getSpriteSlowdownCount() const;
  /// Sets the draws so far in the current animation frame.
  void setSpriteSlowdownCount(int new_sprite_slowdown_count);

  /// Drawing altitude, 0 .. MAX_ALTITUDE (higher is drawn later).
  int getAltitude() const;
  /// 0, or -1 if `new_altitude` is outside 0 .. MAX_ALTITUDE or the scene graph refused.
  int setAltitude(int new_altitude);

  /// The collision class.
  Solidness getSolidness() const { return solidness; }
  /// True for HARD and SOFT.
  bool isSolid() const { return solidness == HARD || solidness == SOFT; }
  /// 0, or -1 for a value other than HARD, SOFT and SPECTRAL or a scene-graph refusal.
  int setSolidness(Solidness new_solid);

  /// True if the object may not move onto SOFT objects.
  bool getNoSoft() const;
  /// When true the object may not move onto SOFT objects.
  void setNoSoft(bool new_no_soft = true);

  /// True if the object is moved, drawn and sent events.
  bool isActive() const { return is_active; }
  /// Inactive objects are neither moved, drawn nor sent events. 0, or -1.
  int setActive(bool active = true);

  /// True if the object is drawn.
  bool isVisible() const { return is_visible; }
  /// Invisible objects are not drawn. 0, or -1.
  int setVisible(bool visible = true);

  /// Asks for events of `event_type`. 0, or -1.
  int registerInterest(std::string event_type);
  /// Withdraws the interest in `event_type`. 0, or -1 if there was none.
  int unregisterInterest(std::string event_type);
  /// Number of event types registered for.
  int getEventCount() const;
  /// The event type registered `index`-th, or "" outside 0 .. count-1.
  std::string getEventName(int index) const;

  /// The shape drawn at the position (shape type -1: none).
  Shape &getShape();

  /// Follows the path, if any: re-aims at its current node and moves on at each node reached.
  /// Called by the world manager once per step, after the move.
  void doPathFollowing();
  /// True from a found path's arrival until its last node is reached.
  bool isFollowingPath() const;
  /// The path being (or last) followed, with the index of its next node.
  Path getPath() const;
  /// Starts following `new_path` from its index and aims at its current node; a path with
  /// no node left ends the following instead.
  void setPath(Path new_path);
  /// The object's running path search (owned), or null.
  PathFind *getPathFind() const;
  /// Takes ownership of `p_new_path_find`; the previous search, if any, is unregistered from
  /// the path manager and deleted.
  void setPathFind(PathFind *p_new_path_find);

protected:
  /// Sets the modified flag of `attribute`.
  void markModified(ObjectAttribute attribute);
  /// Clears every modified flag.
  void clearModified();

private:
  Object(const Object &) = delete;
  Object &operator=(const Object &) = delete;
  int routeInterest(std::string event_type, bool do_register);
  void dropPathFind();
  void boundsChanged();

  // What movement, collisions and drawing read every step comes first, so that it shares
  // one cache line: a step touches every object of the world.
  Box box;                   ///< bounding box relative to pos
  Vector pos;                ///< world position in cells
  Vector direction;          ///< unit direction of motion, or (0, 0)
  float speed;               ///< cells per step along direction
  Vector acceleration;       ///< added to the velocity once per step
  Solidness solidness;       ///< collision class
  bool is_active;            ///< inactive objects are not moved, drawn or sent events
  bool is_visible;           ///< invisible objects are not drawn
  bool no_soft;              ///< may not move onto SOFT objects
  bool is_following_path;    ///< a found path is being followed
  int id;                    ///< unique, never reused
  std::string type;          ///< the object's kind
  std::string sprite_name;   ///< label of the current sprite
  Sprite *p_sprite;          ///< current sprite; owned by the resource manager, not this object
  bool sprite_center;        ///< draw the sprite centred on pos
  char sprite_transparency;  ///< sprite character not drawn; 0 draws all
  int sprite_index;          ///< current frame
  int sprite_slowdown;       ///< draws per frame; 0 stops the animation
  int sprite_slowdown_count; ///< draws so far in the current frame
  int altitude;              ///< 0 .. MAX_ALTITUDE
  int event_count;           ///< event_name.size(); 0 <= event_count <= MAX_OBJ_EVENTS
  std::vector<std::string> event_name; ///< registered event types, in registration order
  bool modified[ATTRIBUTE_COUNT];      ///< attribute changed since the last serialize()
  Shape shape;                         ///< optional figure; shape type -1 means none
  Path path;                           ///< the path being followed
  PathFind *p_path_find;               ///< running path search (owned), or null
};

} // namespace ks

#endif
