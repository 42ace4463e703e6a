#include "Object.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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
#include "ResourceManager.h"
#include "Sprite.h"
#include "WorldManager.h"
#include "geometry.h"
#include "match.h"
#include "utility.h"

namespace ks {

namespace {

int next_id = 0; ///< id of the next object created

} // namespace

Object::Object()
    : box(Vector(-0.5f, -0.5f), 0.99f, 0.99f), pos(), direction(), speed(0), acceleration(),
      solidness(HARD), is_active(true), is_visible(true), no_soft(false), is_following_path(false),
      id(next_id++), type("Object"), sprite_name(), p_sprite(nullptr), sprite_center(true),
      sprite_transparency(0), sprite_index(0), sprite_slowdown(1), sprite_slowdown_count(0),
      altitude(2), event_count(0), event_name(), shape(), path(), p_path_find(nullptr) {
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

void Object::setPosition(Vector new_pos) {
  pos = new_pos;
  boundsChanged();
  markModified(POSITION);
}

// Solid objects are indexed by place for collision queries: tell the index.
void Object::boundsChanged() {
  if (isSolid())
    WorldManager::getInstance().getSceneGraph().updateBounds(this);
}

void Object::setBox(Box new_box) {
  box = new_box;
  boundsChanged();
  markModified(BOX);
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
      boundsChanged();
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
  boundsChanged();
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

int Object::setActive(bool active) {
  if (WorldManager::getInstance().getSceneGraph().updateActive(this, active) == -1)
    return -1;
  is_active = active;
  markModified(ACTIVE);
  return 0;
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
  event_name.push_back(event_type);
  event_count++;
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
  event_name.erase(event_name.begin() + i);
  event_count--;
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
  // A path with no node left would aim the object at (0, 0) for ever.
  is_following_path = !path.isDone();
  if (is_following_path)
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
        // Compared before the increment, so that no index can overflow.
        if (sprite_index >= p_sprite->getFrameCount() - 1)
          sprite_index = 0;
        else
          sprite_index++;
      }
      markModified(SPRITE);
    }
  }
  if (shape.getShapeType() != -1)
    shape.draw(pos);
}

} // namespace ks

namespace ks {

namespace {

/// Appends the item "key:text," to `*p_s`.
void addItem(std::string *p_s, const std::string &key, const std::string &text) {
  p_s->append(key).append(":").append(text).append(",");
}

/// The key of the `index`-th event type, "event_name[index]".
std::string eventNameKey(int index) {
  char key[32];
  snprintf(key, sizeof(key), "event_name[%d]", index);
  return key;
}

/// A float with the 9 significant digits that read back as the same float; toString(float)
/// keeps only 6, which would move a restored object.
std::string exactFloat(float f) {
  char text[32];
  snprintf(text, sizeof(text), "%.9g", static_cast<double>(f));
  return text;
}

/// False, with one log line, for a value read for `key` that is infinite or not a number:
/// such a value would spread through every position computed from it.
bool finiteOrRefused(const char *key, float value) {
  if (std::isfinite(value))
    return true;
  LogManager::getInstance().writeLog("Object::deserialize(): %s not finite, so ignoring.", key);
  return false;
}

/// Brings an animation read from a text into range, so that draw() can step it without
/// overflowing: the index within the sprite's frames, the slowdown not negative and the count
/// below the slowdown.
void keepAnimationInRange(Object *p_o) {
  const Sprite *p_sprite = p_o->getSprite();
  int last = p_sprite != nullptr ? std::max(p_sprite->getFrameCount() - 1, 0) : 0;
  p_o->setSpriteIndex(std::clamp(p_o->getSpriteIndex(), 0, last));
  int slowdown = std::max(p_o->getSpriteSlowdown(), 0);
  p_o->setSpriteSlowdown(slowdown);
  p_o->setSpriteSlowdownCount(
      std::clamp(p_o->getSpriteSlowdownCount(), 0, std::max(slowdown - 1, 0)));
}

/// True exactly when the text is "true".
bool textToBool(const std::string &text) {
  return text == "true";
}

/// The whole values of the items "event_name[i]:..." of `s`, i below MAX_OBJ_EVENTS, read as
/// the matcher reads items (white space removed, text cut at a NUL, an item of colons alone
/// ends the list, the first item of a key wins), except that the value runs to the end of the
/// item: the matcher stops at the next colon, which would cut "ks::step" down to "ks".
void readEventNames(const std::string &s, std::string names[MAX_OBJ_EVENTS]) {
  std::string text;
  for (char c : s) {
    if (c == '\0')
      break;
    if (!isspace(static_cast<unsigned char>(c)))
      text += c;
  }
  bool found[MAX_OBJ_EVENTS] = {};
  const std::string prefix = "event_name[";
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string::npos)
      end = text.size();
    size_t key_start = text.find_first_not_of(':', start);
    if (end > start && (key_start == std::string::npos || key_start >= end))
      break; // colons alone
    if (key_start < end) {
      size_t key_end = std::min(text.find(':', key_start), end);
      std::string key = text.substr(key_start, key_end - key_start);
      if (key.compare(0, prefix.size(), prefix) == 0 && key.size() <= prefix.size() + 4) {
        int index = atoi(key.c_str() + prefix.size());
        if (index >= 0 && index < MAX_OBJ_EVENTS && !found[index] && key == eventNameKey(index)) {
          size_t value_start = text.find_first_not_of(':', key_end);
          if (value_start < end)
            names[index] = text.substr(value_start, end - value_start);
          found[index] = true;
        }
      }
    }
    start = end + 1;
  }
}

} // namespace

std::string Object::serialize(bool all) {
  std::string s;
  if (all || modified[ID])
    addItem(&s, "id", toString(id));
  if (all || modified[ACTIVE])
    addItem(&s, "is_active", boolToString(is_active));
  if (all || modified[VISIBLE])
    addItem(&s, "is_visible", boolToString(is_visible));
  if (all || modified[EVENTS]) {
    addItem(&s, "event_count", toString(event_count));
    for (int i = 0; i < event_count; i++)
      addItem(&s, eventNameKey(i), event_name[i]);
  }
  if (all || modified[BOX]) {
    addItem(&s, "box-corner-x", toString(box.getCorner().getX()));
    addItem(&s, "box-corner-y", toString(box.getCorner().getY()));
    addItem(&s, "box-horizontal", toString(box.getHorizontal()));
    addItem(&s, "box-vertical", toString(box.getVertical()));
  }
  if (all || modified[POSITION]) {
    addItem(&s, "pos-x", toString(pos.getX()));
    addItem(&s, "pos-y", toString(pos.getY()));
    // deserialize() restores the position only when the float items are there too.
    addItem(&s, "fpos-x", exactFloat(pos.getX()));
    addItem(&s, "fpos-y", exactFloat(pos.getY()));
  }
  if (all || modified[TYPE])
    addItem(&s, "type", type);
  if (all || modified[SPRITE]) {
    addItem(&s, "sprite_name", sprite_name);
    addItem(&s, "sprite_center", boolToString(sprite_center));
    addItem(&s, "sprite_transparency", toString(sprite_transparency));
    addItem(&s, "sprite_index", toString(sprite_index));
    addItem(&s, "sprite_slowdown", toString(sprite_slowdown));
    addItem(&s, "sprite_slowdown_count", toString(sprite_slowdown_count));
  }
  if (all || modified[ALTITUDE])
    addItem(&s, "altitude", toString(altitude));
  if (all || modified[SOLIDNESS])
    addItem(&s, "solidness", toString(static_cast<int>(solidness)));
  if (all || modified[NO_SOFT])
    addItem(&s, "no_soft", boolToString(no_soft));
  if (all || modified[DIRECTION]) {
    addItem(&s, "x_direction", toString(direction.getX()));
    addItem(&s, "y_direction", toString(direction.getY()));
  }
  if (all || modified[SPEED])
    addItem(&s, "speed", toString(speed));
  if (all || modified[ACCELERATION]) {
    addItem(&s, "x_acceleration", toString(acceleration.getX()));
    addItem(&s, "y_acceleration", toString(acceleration.getY()));
  }
  clearModified();
  return s;
}

int Object::deserialize(std::string s) {
  const LogManager &lm = LogManager::getInstance();
  // The matcher answers an empty text from the previous parse; "," parses to no items.
  match(s.empty() ? "," : s, "");
  std::string text;

  text = match("", "id");
  if (!text.empty()) {
    int new_id = textToInt(text);
    lm.writeLog(10, "Object::deserialize(): id is %d", new_id);
    setId(new_id);
  }

  text = match("", "is_active");
  if (!text.empty()) {
    lm.writeLog(10, "Object::deserialize(): is_active is %s", text.c_str());
    setActive(textToBool(text));
  }

  text = match("", "is_visible");
  if (!text.empty()) {
    lm.writeLog(10, "Object::deserialize(): is_visible is %s", text.c_str());
    setVisible(textToBool(text));
  }

  text = match("", "event_count");
  if (!text.empty()) {
    for (int i = event_count - 1; i >= 0; i--) {
      std::string event_type = event_name[i];
      unregisterInterest(event_type);
    }
    int count = textToInt(text);
    lm.writeLog(10, "Object::deserialize(): event_count is %d", count);
    // The object can't hold more interests than this, so a larger count costs no more look-ups.
    if (count > MAX_OBJ_EVENTS)
      count = MAX_OBJ_EVENTS;
    std::string names[MAX_OBJ_EVENTS];
    if (count > 0)
      readEventNames(s, names);
    for (int i = 0; i < count; i++) {
      if (match("", eventNameKey(i)).empty())
        continue;
      const std::string &event_type = names[i];
      lm.writeLog(10, "Object::deserialize(): event_name[%d] is '%s'", i, event_type.c_str());
      registerInterest(event_type);
    }
  }

  text = match("", "sprite_name");
  if (!text.empty()) {
    lm.writeLog(10, "Object::deserialize(): sprite_name is '%s'", text.c_str());
    Sprite *p_new_sprite = ResourceManager::getInstance().getSprite(text);
    if (p_new_sprite == nullptr)
      lm.writeLog("Object::Match(): Object %d (%s), Sprite '%s' not found", id, type.c_str(),
                  text.c_str());
    else
      setSprite(p_new_sprite, true);
    if (sprite_name != text) {
      sprite_name = text;
      markModified(SPRITE);
    }
  }

  // Box values are traced as integers but read as floats: a box like the default one
  // (corner -0.5, extent 0.99) would otherwise collapse to nothing.
  const char *box_keys[4] = {"box-corner-x", "box-corner-y", "box-horizontal", "box-vertical"};
  float box_values[4] = {0, 0, 0, 0};
  int box_items = 0;
  for (int i = 0; i < 4; i++) {
    text = match("", box_keys[i]);
    if (text.empty())
      continue;
    lm.writeLog(10, "Object::deserialize(): %s is %d", box_keys[i], textToInt(text));
    box_values[i] = textToFloat(text);
    box_items++;
  }
  bool box_complete = box_items == 4;
  Box text_box(Vector(box_values[0], box_values[1]), box_values[2], box_values[3]);
  if (!box_complete) {
    lm.writeLog(10, "Object::deserialize(): box not complete, so ignoring.");
  } else if (!(std::all_of(box_values, box_values + 4, [](float v) { return std::isfinite(v); }) &&
               box_values[2] >= 0 && box_values[3] >= 0)) {
    // The solid grid and the overlap tests need a finite box of non-negative extent.
    lm.writeLog("Object::deserialize(): box negative or not finite, so ignoring.");
    box_complete = false;
  } else {
    setBox(text_box);
  }

  // The integer items are traced; the float ones give the exact position.
  int position_items = 0;
  float fpos[2] = {0, 0};
  const char *pos_keys[2] = {"pos-x", "pos-y"};
  for (int i = 0; i < 2; i++) {
    text = match("", pos_keys[i]);
    if (text.empty())
      continue;
    lm.writeLog(10, "Object::deserialize(): %s is %d", pos_keys[i], textToInt(text));
    position_items++;
  }
  const char *fpos_keys[2] = {"fpos-x", "fpos-y"};
  bool position_refused = false;
  for (int i = 0; i < 2; i++) {
    text = match("", fpos_keys[i]);
    if (text.empty())
      continue;
    fpos[i] = textToFloat(text);
    lm.writeLog(10, "Object::deserialize(): %s is %.2f", fpos_keys[i],
                static_cast<double>(fpos[i]));
    if (finiteOrRefused(fpos_keys[i], fpos[i]))
      position_items++;
    else
      position_refused = true;
  }
  if (position_items == 4)
    setPosition(Vector(fpos[0], fpos[1]));
  else if (!position_refused)
    lm.writeLog(10, "Object::deserialize(): position not complete, so ignoring.");

  text = match("", "type");
  if (!text.empty()) {
    lm.writeLog(10, "Object::deserialize(): type is %s", text.c_str());
    setType(text);
  }

  text = match("", "sprite_center");
  if (!text.empty()) {
    lm.writeLog(10, "Object::deserialize(): sprite_center is %s", text.c_str());
    setSpriteCenter(textToBool(text));
    // setSpriteCenter() refits the box to the sprite; a box given in the text wins.
    if (box_complete)
      setBox(text_box);
  }

  text = match("", "sprite_transparency");
  if (!text.empty()) {
    lm.writeLog(10, "Object::deserialize(): sprite_transparency is '%c'", text[0]);
    // "0" is how toString(char) writes "no transparency".
    setTransparency(text == "0" ? 0 : text[0]);
  }

  bool animation_read = false;
  text = match("", "sprite_index");
  if (!text.empty()) {
    animation_read = true;
    int v = textToInt(text);
    lm.writeLog(10, "Object::deserialize(): sprite_index is %d", v);
    setSpriteIndex(v);
  }

  text = match("", "sprite_slowdown");
  if (!text.empty()) {
    animation_read = true;
    int v = textToInt(text);
    lm.writeLog(10, "Object::deserialize(): sprite_slowdown is %d", v);
    setSpriteSlowdown(v);
  }

  text = match("", "sprite_slowdown_count");
  if (!text.empty()) {
    animation_read = true;
    int v = textToInt(text);
    lm.writeLog(10, "Object::deserialize(): sprite_slowdown_count is %d", v);
    setSpriteSlowdownCount(v);
  }
  if (animation_read)
    keepAnimationInRange(this);

  text = match("", "altitude");
  if (!text.empty()) {
    int v = textToInt(text);
    lm.writeLog(10, "Object::deserialize(): altitude is %d", v);
    setAltitude(v);
  }

  text = match("", "solidness");
  if (!text.empty()) {
    int v = textToInt(text);
    lm.writeLog(10, "Object::deserialize(): solidness is %d", v);
    setSolidness(static_cast<Solidness>(v));
  }

  text = match("", "no_soft");
  if (!text.empty()) {
    lm.writeLog(10, "Object::deserialize(): no_soft is %s", text.c_str());
    setNoSoft(textToBool(text));
  }

  text = match("", "x_direction");
  if (!text.empty()) {
    float v = textToFloat(text);
    lm.writeLog(10, "Object::deserialize(): x_direction is %.2f", static_cast<double>(v));
    if (finiteOrRefused("x_direction", v))
      direction.setX(v);
  }

  text = match("", "y_direction");
  if (!text.empty()) {
    float v = textToFloat(text);
    lm.writeLog(10, "Object::deserialize(): y_direction is %.2f", static_cast<double>(v));
    if (finiteOrRefused("y_direction", v))
      setVelocity(Vector(direction.getX(), v));
  }

  text = match("", "speed");
  if (!text.empty()) {
    float v = textToFloat(text);
    lm.writeLog(10, "Object::deserialize(): speed is %.2f", static_cast<double>(v));
    if (finiteOrRefused("speed", v)) {
      speed = v;
      markModified(SPEED);
    }
  }

  text = match("", "x_acceleration");
  if (!text.empty()) {
    float v = textToFloat(text);
    lm.writeLog(10, "Object::deserialize(): x_acceleration is %.2f", static_cast<double>(v));
    if (finiteOrRefused("x_acceleration", v)) {
      acceleration.setX(v);
      markModified(ACCELERATION);
    }
  }

  text = match("", "y_acceleration");
  if (!text.empty()) {
    float v = textToFloat(text);
    lm.writeLog(10, "Object::deserialize(): y_acceleration is %.2f", static_cast<double>(v));
    if (finiteOrRefused("y_acceleration", v)) {
      acceleration.setY(v);
      markModified(ACCELERATION);
    }
  }

  return 0;
}

} // namespace ks
