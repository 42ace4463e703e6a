#include "Object.h"

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "EventPath.h"
#include "EventStep.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "PathFind.h"
#include "PathManager.h"
#include "Sprite.h"
#include "WorldManager.h"
#include "geometry.h"

namespace ks {

namespace {

int next_id = 0; ///< id of the next object created

} // namespace

Object::Object()
    : id(next_id++), type("Object"), is_active(true), is_visible(true),
      box(Vector(-0.5f, -0.5f), 0.99f, 0.99f), pos(), direction(), speed(0), acceleration(),
      sprite_name(), p_sprite(nullptr), sprite_center(true), sprite_transparency(0),
      sprite_index(0), sprite_slowdown(1), sprite_slowdown_count(0), altitude(2), solidness(HARD),
      no_soft(false), event_count(0), shape(), is_following_path(false), path(),
      p_path_find(nullptr) {
  for (bool &flag : modified)
    flag = true;
  shape.setShapeType(-1);
  WorldManager &world_manager = WorldManager::getInstance();
  if (world_manager.isStarted()) {
    world_manager.insertObject(this);
  } else {
    const LogManager &lm = LogManager::getInstance();
    lm.writeLog(2, "WorldManager::insertObject(): Not adding Object %d", id);
    lm.writeLog(2, "                              because WorldManager not started.");
  }
}

Object::~Object() {
  for (int i = event_count - 1; i >= 0; i--) {
    std::string event_type = event_name[i];
    unregisterInterest(event_type);
  }
  dropPathFind();
  WorldManager::getInstance().removeObject(this);
}

void Object::markModified(ObjectAttribute attribute) {
  modified[attribute] = true;
}

void Object::clearModified() {
  for (bool &flag : modified)
    flag = false;
}

bool Object::isModified() const {
  const LogManager &lm = LogManager::getInstance();
  for (int i = 0; i < ATTRIBUTE_COUNT; i++) {
    if (modified[i]) {
      lm.writeLog(10, "Object::isModified(): %d is true", i);
      return true;
    }
    lm.writeLog(10, "Object::isModified(): %d is false", i);
  }
  return false;
}

bool Object::isModified(ObjectAttribute attribute) const {
  if (attribute < 0 || attribute >= ATTRIBUTE_COUNT)
    return false;
  return modified[attribute];
}

int Object::getId() const {
  return id;
}

void Object::setId(int new_id) {
  id = new_id;
  markModified(ID);
}

std::string Object::getType() const {
  return type;
}

void Object::setType(std::string new_type) {
  type = new_type;
  markModified(TYPE);
}

Vector Object::getPosition() const {
  return pos;
}

void Object::setPosition(Vector new_pos) {
  pos = new_pos;
  markModified(POSITION);
}

Box Object::getBox() const {
  return box;
}

void Object::setBox(Box new_box) {
  box = new_box;
  markModified(BOX);
}

Vector Object::getDirection() const {
  return direction;
}

float Object::getSpeed() const {
  return speed;
}

Vector Object::getVelocity() const {
  Vector velocity = direction;
  velocity.scale(speed);
  return velocity;
}

void Object::setVelocity(Vector v) {
  speed = v.getMagnitude();
  direction = v;
  direction.normalize();
  markModified(SPEED);
  markModified(DIRECTION);
}

Vector Object::getAcceleration() const {
  return acceleration;
}

void Object::setAcceleration(Vector new_acceleration) {
  acceleration = new_acceleration;
  markModified(ACCELERATION);
}

void Object::moveTo(Vector target) {
  const LogManager &lm = LogManager::getInstance();
  lm.writeLog("Object::moveTo(before): (%.2f, %.2f), speed %.2f, dir (%.2f, %.2f)", target.getX(),
              target.getY(), speed, direction.getX(), direction.getY());
  Vector v = target - pos;
  lm.writeLog("\t pos (%.2f, %.2f), v (%.2f, %.2f)", pos.getX(), pos.getY(), v.getX(), v.getY());
  v.normalize();
  lm.writeLog("\t normalized (%.2f, %.2f)", v.getX(), v.getY());
  direction = v;
  lm.writeLog("Object::moveTo(after): (%.2f, %.2f), speed %.2f, dir (%.2f, %.2f)", target.getX(),
              target.getY(), speed, direction.getX(), direction.getY());
}

Sprite *Object::getSprite() const {
  return p_sprite;
}

void Object::setSprite(Sprite *p_new_sprite, bool set_box) {
  if (p_new_sprite != nullptr) {
    if (set_box) {
      float w = static_cast<float>(p_new_sprite->getWidth());
      float h = static_cast<float>(p_new_sprite->getHeight());
      box = Box(Vector(-w / 2, -h / 2), w, h);
    }
    if (sprite_name != p_new_sprite->getLabel())
      sprite_name = p_new_sprite->getLabel();
  }
  p_sprite = p_new_sprite;
  sprite_index = 0;
  markModified(SPRITE);
}

std::string Object::getSpriteName() const {
  return sprite_name;
}

bool Object::getSpriteCenter() const {
  return sprite_center;
}

void Object::setSpriteCenter(bool centered) {
  sprite_center = centered;
  markModified(SPRITE);
  if (p_sprite == nullptr)
    return;
  float w = static_cast<float>(p_sprite->getWidth());
  float h = static_cast<float>(p_sprite->getHeight());
  Vector corner = centered ? Vector(-w / 2, -h / 2) : Vector(0, 0);
  box = Box(corner, w - 1, h - 1);
}

char Object::getSpriteTransparency() const {
  return sprite_transparency;
}

void Object::setTransparency(char transparent) {
  sprite_transparency = transparent;
  markModified(SPRITE);
}

int Object::getSpriteIndex() const {
  return sprite_index;
}

void Object::setSpriteIndex(int new_sprite_index) {
  sprite_index = new_sprite_index;
  markModified(SPRITE);
}

int Object::getSpriteSlowdown() const {
  return sprite_slowdown;
}

void Object::setSpriteSlowdown(int new_sprite_slowdown) {
  sprite_slowdown = new_sprite_slowdown;
  markModified(SPRITE);
}

int Object::getSpriteSlowdownCount() const {
  return sprite_slowdown_count;
}

void Object::setSpriteSlowdownCount(int new_sprite_slowdown_count) {
  sprite_slowdown_count = new_sprite_slowdown_count;
  markModified(SPRITE);
}

int Object::getAltitude() const {
  return altitude;
}

int Object::setAltitude(int new_altitude) {
  if (!valueInRange(static_cast<float>(new_altitude), 0, MAX_ALTITUDE)) {
    LogManager::getInstance().writeLog(
        "Object::setAltitude(): Altitude %d not in range [%d,%d].  Ignored.", new_altitude, 0,
        MAX_ALTITUDE);
    return -1;
  }
  if (WorldManager::getInstance().getSceneGraph().updateAltitude(this, new_altitude) == -1)
    return -1;
  altitude = new_altitude;
  markModified(ALTITUDE);
  return 0;
}

Solidness Object::getSolidness() const {
  return solidness;
}

bool Object::isSolid() const {
  return solidness == HARD || solidness == SOFT;
}

int Object::setSolidness(Solidness new_solid) {
  if (new_solid != HARD && new_solid != SOFT && new_solid != SPECTRAL) {
    LogManager::getInstance().writeLog(
        "Object::setSolidness(): Solidness %d not one of HARD, SOFT or SPECTRAL.",
        static_cast<int>(new_solid));
    return -1;
  }
  if (WorldManager::getInstance().getSceneGraph().updateSolidness(this, new_solid) == -1)
    return -1;
  solidness = new_solid;
  markModified(SOLIDNESS);
  return 0;
}

bool Object::getNoSoft() const {
  return no_soft;
}

void Object::setNoSoft(bool new_no_soft) {
  no_soft = new_no_soft;
  markModified(NO_SOFT);
}

bool Object::isActive() const {
  return is_active;
}

int Object::setActive(bool active) {
  if (WorldManager::getInstance().getSceneGraph().updateActive(this, active) == -1)
    return -1;
  is_active = active;
  markModified(ACTIVE);
  return 0;
}

bool Object::isVisible() const {
  return is_visible;
}

int Object::setVisible(bool visible) {
  if (WorldManager::getInstance().getSceneGraph().updateVisible(this, visible) == -1)
    return -1;
  is_visible = visible;
  markModified(VISIBLE);
  return 0;
}

int Object::routeInterest(std::string event_type, bool do_register) {
  Manager *p_manager = &WorldManager::getInstance();
  if (event_type == KEYBOARD_EVENT || event_type == MOUSE_EVENT)
    p_manager = &InputManager::getInstance();
  else if (event_type == STEP_EVENT)
    p_manager = &GameManager::getInstance();
  return do_register ? p_manager->registerInterest(this, event_type)
                     : p_manager->unregisterInterest(this, event_type);
}

int Object::registerInterest(std::string event_type) {
  if (event_count == MAX_OBJ_EVENTS) {
    LogManager::getInstance().writeLog(
        "Object::registerInterest(): maximum (%d) reached, cannot register for event '%s'",
        MAX_OBJ_EVENTS, event_type.c_str());
    return -1;
  }
  if (routeInterest(event_type, true) == -1)
    return -1;
  event_name[event_count++] = event_type;
  markModified(EVENTS);
  return 0;
}

int Object::unregisterInterest(std::string event_type) {
  int i = 0;
  while (i < event_count && event_name[i] != event_type)
    i++;
  if (i == event_count) {
    LogManager::getInstance().writeLog(
        "Object::unregisterInterest(): event '%s' not previously registered", event_type.c_str());
    return -1;
  }
  if (routeInterest(event_type, false) == -1)
    return -1;
  for (int j = i; j < event_count - 1; j++)
    event_name[j] = event_name[j + 1];
  event_count--;
  event_name[event_count].clear();
  markModified(EVENTS);
  return 0;
}

int Object::getEventCount() const {
  return event_count;
}

std::string Object::getEventName(int index) const {
  if (index < 0 || index >= event_count)
    return "";
  return event_name[index];
}

Shape &Object::getShape() {
  return shape;
}

int Object::eventHandler(const Event *p_e) {
  if (p_e->getType() != PATH_EVENT)
    return 0;
  LogManager::getInstance().writeLog("Object::eventHandler(): Object %d (%s) got path event.", id,
                                     type.c_str());
  const EventPath *p_path_event = static_cast<const EventPath *>(p_e);
  if (p_path_event->getStatus() == FOUND)
    setPath(p_path_event->getPath());
  dropPathFind();
  return 1;
}

void Object::dropPathFind() {
  if (p_path_find == nullptr)
    return;
  PathManager::getInstance().unregisterPathFind(p_path_find);
  delete p_path_find;
  p_path_find = nullptr;
}

bool Object::isFollowingPath() const {
  return is_following_path;
}

Path Object::getPath() const {
  return path;
}

void Object::setPath(Path new_path) {
  path = new_path;
  is_following_path = true;
  moveTo(path.currentNode());
}

PathFind *Object::getPathFind() const {
  return p_path_find;
}

void Object::setPathFind(PathFind *p_new_path_find) {
  if (p_new_path_find == p_path_find)
    return;
  dropPathFind();
  p_path_find = p_new_path_find;
}

void Object::doPathFollowing() {
  if (!is_following_path)
    return;
  const LogManager &lm = LogManager::getInstance();
  Vector node = path.currentNode();
  lm.writeLog("Object::doPathFollowing(): %s, next node (%.0f,%.0f), speed %.2f, dir (%.2f,%.2f)",
              type.c_str(), node.getX(), node.getY(), speed, direction.getX(), direction.getY());
  Box world_box = getWorldBox(this);
  lm.writeLog("\tBox: (%.2f, %.2f), h %.2f, v %.2f", world_box.getCorner().getX(),
              world_box.getCorner().getY(), world_box.getHorizontal(), world_box.getVertical());
  moveTo(node);
  if (!boxContainsPosition(world_box, node))
    return;
  path.next();
  if (path.isDone()) {
    lm.writeLog("\tAt next node. End of path.");
    direction = Vector(0, 0);
    is_following_path = false;
    return;
  }
  Vector next_node = path.currentNode();
  lm.writeLog("\tAt next node. On to (%.0f, %.0f)", next_node.getX(), next_node.getY());
  moveTo(next_node);
  lm.writeLog("\tdir (%.2f, %.2f), speed %.2f", direction.getX(), direction.getY(), speed);
}

void Object::draw() {
  if (p_sprite != nullptr) {
    GraphicsManager::getInstance().drawFrame(sprite_center, p_sprite->getColor(),
                                             sprite_transparency, pos,
                                             p_sprite->getFrame(sprite_index));
    if (sprite_slowdown != 0) {
      sprite_slowdown_count++;
      if (sprite_slowdown_count == sprite_slowdown) {
        sprite_slowdown_count = 0;
        sprite_index++;
        if (sprite_index >= p_sprite->getFrameCount())
          sprite_index = 0;
      }
      markModified(SPRITE);
    }
  }
  if (shape.getShapeType() != -1)
    shape.draw(pos);
}

} // namespace ks

namespace ks {

std::string Object::serialize(bool) {
  clearModified();
  return "";
}

int Object::deserialize(std::string) {
  return 0;
}

} // namespace ks
