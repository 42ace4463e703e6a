#include "WorldManager.h"

#include "EventCollision.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "EventOut.h"
#include "EventStep.h"
#include "LogManager.h"
#include "ObjectListIterator.h"
#include "ViewObject.h"
#include "geometry.h"

namespace ks {

WorldManager::WorldManager()
    : scene_graph(), deletions(), deletion_index(), p_view_following(nullptr), boundary(), view(),
      view_slack(), is_clearing(false) {
  setType("WorldManager");
}

WorldManager::~WorldManager() {}

WorldManager &WorldManager::getInstance() {
  static WorldManager world_manager;
  return world_manager;
}

int WorldManager::startUp() {
  deletions.clear();
  deletion_index.clear();
  p_view_following = nullptr;
  setBoundary(Box());
  view = Box();
  view_slack = Vector();
  Manager::startUp();
  LogManager::getInstance().writeLog(5, "WorldManager::startUp(): successfully started.");
  return 0;
}

void WorldManager::shutDown() {
  Manager::shutDown();
  ObjectList all = getAllObjects(true);
  // Everything goes, so the scene graph is emptied at once: taken out one by one, each object
  // would move the rest of its lists down, which is quadratic for a level of tiles.
  scene_graph.clear();
  is_clearing = true;
  ObjectListIterator li(&all);
  for (li.first(); !li.isDone(); li.next())
    delete li.currentObject();
  is_clearing = false;
  deletions.clear();
  deletion_index.clear();
  p_view_following = nullptr;
}

bool WorldManager::isValid(std::string event_type) const {
  const LogManager &lm = LogManager::getInstance();
  if (event_type == KEYBOARD_EVENT || event_type == MOUSE_EVENT || event_type == STEP_EVENT) {
    lm.writeLog("WorldManager::isValid(): WorldManager does not handle %s", event_type.c_str());
    return false;
  }
  if (event_type == OUT_EVENT || event_type == COLLISION_EVENT) {
    lm.writeLog("WorldManager::isValid(): Event %s handled automatically.", event_type.c_str());
    return false;
  }
  return true;
}

int WorldManager::insertObject(Object *p_o) {
  return scene_graph.insertObject(p_o);
}

int WorldManager::removeObject(Object *p_o) {
  // Nothing may keep a pointer to a deleted object.
  if (p_o == p_view_following)
    p_view_following = nullptr;
  auto marked = deletion_index.find(p_o);
  if (marked != deletion_index.end()) {
    deletions[marked->second] = nullptr;
    deletion_index.erase(marked);
  }
  return is_clearing ? 0 : scene_graph.removeObject(p_o);
}

int WorldManager::markForDelete(Object *p_o) {
  if (p_o == nullptr) {
    LogManager::getInstance().writeLog(
        "WorldManager::markForDelete(): unable to add object %p to deletions list",
        static_cast<void *>(p_o));
    return -1;
  }
  // The index answers "already marked?" at once: marking thousands of objects in one step
  // stays linear.
  if (deletion_index.emplace(p_o, deletions.size()).second)
    deletions.push_back(p_o);
  return 0;
}

ObjectList WorldManager::getAllObjects(bool inactive) const {
  if (inactive)
    return scene_graph.activeObjects() + scene_graph.inactiveObjects();
  return scene_graph.activeObjects();
}

ObjectList WorldManager::objectsInBox(Box b) const {
  ObjectList result;
  ObjectList active = scene_graph.activeObjects();
  ObjectListIterator li(&active);
  for (li.first(); !li.isDone(); li.next())
    if (boxIntersectsBox(getWorldBox(li.currentObject()), b))
      result.insert(li.currentObject());
  return result;
}

ObjectList WorldManager::getCollisions(const Object *p_o, Vector where) const {
  ObjectList result;
  Box b = getWorldBox(p_o, where);
  // The grid narrows the solid list down to the objects near b, still in solid-list order.
  for (Object *p_q : scene_graph.solidCandidates(b))
    if (p_q != p_o && p_q->isSolid() && boxIntersectsBox(b, getWorldBox(p_q)))
      result.insert(p_q);
  return result;
}

int WorldManager::moveObject(Object *p_o, Vector where) {
  if (p_o->isSolid()) {
    ObjectList list = getCollisions(p_o, where);
    bool allowed = true;
    ObjectListIterator li(&list);
    for (li.first(); !li.isDone(); li.next()) {
      Object *p_q = li.currentObject();
      EventCollision c(p_o, p_q, where);
      p_o->eventHandler(&c);
      p_q->eventHandler(&c);
      if (p_o->getSolidness() == HARD && p_q->getSolidness() == HARD)
        allowed = false;
      if (p_o->getNoSoft() && p_q->getSolidness() == SOFT)
        allowed = false;
    }
    if (!allowed)
      return -1;
  }
  Box old_box = getWorldBox(p_o);
  p_o->setPosition(where);
  Box new_box = getWorldBox(p_o);
  if (boxIntersectsBox(old_box, boundary) && !boxIntersectsBox(new_box, boundary)) {
    EventOut ov;
    p_o->eventHandler(&ov);
  }
  if (p_o == p_view_following)
    followObject();
  return 0;
}

void WorldManager::clampView(Vector *p_corner) const {
  float x = p_corner->getX(), y = p_corner->getY();
  if (x + view.getHorizontal() > boundary.getHorizontal())
    x = boundary.getHorizontal() - view.getHorizontal();
  if (x < 0)
    x = 0;
  if (y + view.getVertical() > boundary.getVertical())
    y = boundary.getVertical() - view.getVertical();
  if (y < 0)
    y = 0;
  p_corner->setXY(x, y);
}

void WorldManager::followObject() {
  float half_h = view.getHorizontal() / 2, half_v = view.getVertical() / 2;
  float cx = view.getCorner().getX() + half_h;
  float cy = view.getCorner().getY() + half_v;
  float sx = view_slack.getX() * view.getHorizontal() / 2;
  float sy = view_slack.getY() * view.getVertical() / 2;
  Vector p = p_view_following->getPosition();
  if (p.getX() < cx - sx)
    cx -= (cx - sx) - p.getX();
  else if (p.getX() > cx + sx)
    cx += p.getX() - (cx + sx);
  if (p.getY() < cy - sy)
    cy -= (cy - sy) - p.getY();
  else if (p.getY() > cy + sy)
    cy += p.getY() - (cy + sy);
  Vector corner(cx - half_h, cy - half_v);
  clampView(&corner);
  view.setCorner(corner);
}

int WorldManager::setViewFollowing(Object *p_new) {
  if (p_new == nullptr) {
    p_view_following = nullptr;
    return 0;
  }
  bool found = false;
  ObjectList active = scene_graph.activeObjects();
  ObjectListIterator li(&active);
  for (li.first(); !li.isDone() && !found; li.next())
    found = li.currentObject() == p_new;
  if (!found)
    return -1;
  p_view_following = p_new;
  Vector p = p_new->getPosition();
  Vector corner(p.getX() - view.getHorizontal() / 2, p.getY() - view.getVertical() / 2);
  clampView(&corner);
  view.setCorner(corner);
  return 0;
}

Object *WorldManager::getViewFollowing() const {
  return p_view_following;
}

void WorldManager::applyAcceleration(Object *p_o) {
  Vector a = p_o->getAcceleration();
  if (a.getX() == 0 && a.getY() == 0)
    return;
  p_o->setVelocity(p_o->getVelocity() + a);
}

void WorldManager::deleteMarked() {
  // Destructors may mark more objects; those go in this same walk. removeObject() blanks the
  // entry of each object deleted.
  for (size_t i = 0; i < deletions.size(); i++)
    delete deletions[i];
  deletions.clear();
  deletion_index.clear();
}

void WorldManager::update() {
  ObjectList active = scene_graph.activeObjects();
  ObjectListIterator li(&active);
  for (li.first(); !li.isDone(); li.next()) {
    Object *p_o = li.currentObject();
    Vector new_pos = p_o->getPosition() + p_o->getVelocity();
    if (new_pos != p_o->getPosition())
      moveObject(p_o, new_pos);
    p_o->doPathFollowing();
    applyAcceleration(p_o);
  }
  deleteMarked();
}

void WorldManager::draw() {
  for (int altitude = 0; altitude <= MAX_ALTITUDE; altitude++) {
    ObjectList layer = scene_graph.visibleObjects(altitude);
    ObjectListIterator li(&layer);
    for (li.first(); !li.isDone(); li.next()) {
      Object *p_o = li.currentObject();
      if (boxIntersectsBox(getWorldBox(p_o), view) || dynamic_cast<ViewObject *>(p_o) != nullptr)
        p_o->draw();
    }
  }
}

void WorldManager::setBoundary(Box new_boundary) {
  boundary = new_boundary;
  scene_graph.setArea(boundary);
}
Box WorldManager::getBoundary() const {
  return boundary;
}
void WorldManager::setView(Box new_view) {
  view = new_view;
}
Box WorldManager::getView() const {
  return view;
}
void WorldManager::setViewSlack(Vector new_view_slack) {
  view_slack = new_view_slack;
}
Vector WorldManager::getViewSlack() const {
  return view_slack;
}
SceneGraph &WorldManager::getSceneGraph() {
  return scene_graph;
}

} // namespace ks
