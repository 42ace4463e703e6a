#include "SceneGraph.h"

#include "LogManager.h"
#include "geometry.h"

namespace ks {

namespace {

bool altitudeInRange(int altitude) {
  return valueInRange(static_cast<float>(altitude), 0, MAX_ALTITUDE);
}

bool solid(Solidness s) {
  return s == HARD || s == SOFT;
}

} // namespace

SceneGraph::SceneGraph() : solid_sequence(0) {}

SceneGraph::~SceneGraph() {}

int SceneGraph::insertObject(Object *p_o) {
  const LogManager &lm = LogManager::getInstance();
  if (!p_o->isActive())
    return inactive_objects.insert(p_o);

  if (objects.insert(p_o) != 0) {
    lm.writeLog("SceneGraph::insertObject(): unable to insert object");
    return -1;
  }
  if (p_o->isSolid() && addSolid(p_o) != 0) {
    lm.writeLog("SceneGraph::insertObject(): unable to insert solid object");
    return -1;
  }
  if (!p_o->isVisible())
    return 0;
  int altitude = p_o->getAltitude();
  if (!altitudeInRange(altitude)) {
    lm.writeLog("SceneGraph::insertObject(): Altitude %d not in [%d,%d]!", altitude, 0,
                MAX_ALTITUDE);
    return -1;
  }
  if (visible_objects[altitude].insert(p_o) != 0) {
    lm.writeLog("SceneGraph::insertObject(): unable to insert visible object");
    return -1;
  }
  return 0;
}

// Each list holds an object at most once, so removals search from the end, where the objects
// that come and go most (new ones) stand.
int SceneGraph::removeObject(Object *p_o) {
  bool failed = false;
  if (!p_o->isActive()) {
    failed = inactive_objects.removeLast(p_o) != 0;
  } else {
    failed = objects.removeLast(p_o) != 0;
    if (p_o->isVisible()) {
      int altitude = p_o->getAltitude();
      failed =
          (!altitudeInRange(altitude) || visible_objects[altitude].removeLast(p_o) != 0) || failed;
    }
    if (p_o->isSolid())
      failed = removeSolid(p_o) != 0 || failed;
  }
  if (failed) {
    LogManager::getInstance().writeLog(
        "SceneGraph::removeObject(): error removing object!  Pointer is %p.\n",
        static_cast<void *>(p_o));
    return -1;
  }
  return 0;
}

void SceneGraph::clear() {
  objects.clear();
  solid_objects.clear();
  for (ObjectList &layer : visible_objects)
    layer.clear();
  inactive_objects.clear();
  solid_grid.clear();
}

ObjectList SceneGraph::activeObjects() const {
  return objects;
}

ObjectList SceneGraph::solidObjects() const {
  return solid_objects;
}

ObjectList SceneGraph::inactiveObjects() const {
  return inactive_objects;
}

ObjectList SceneGraph::visibleObjects(int altitude) const {
  if (!altitudeInRange(altitude)) {
    LogManager::getInstance().writeLog("SceneGraph::visibleObjects(): Altitude %d not in [%d,%d]!",
                                       altitude, 0, MAX_ALTITUDE);
    return ObjectList();
  }
  return visible_objects[altitude];
}

int SceneGraph::updateAltitude(Object *p_o, int new_alt) {
  const LogManager &lm = LogManager::getInstance();
  if (!p_o->isActive())
    return 0;
  if (!altitudeInRange(new_alt)) {
    lm.writeLog("SceneGraph::updateAltitude(): New altitude %d not in [%d,%d]!  No update.",
                new_alt, 0, MAX_ALTITUDE);
    return -1;
  }
  int old_alt = p_o->getAltitude();
  if (!altitudeInRange(old_alt)) {
    lm.writeLog("SceneGraph::updateAltitude(): Old altitude %d not in [%d,%d]!  This is "
                "unxepected.  No update.",
                old_alt, 0, MAX_ALTITUDE);
    return -1;
  }
  if (!p_o->isVisible())
    return 0;
  if (visible_objects[old_alt].removeLast(p_o) != 0) {
    lm.writeLog("SceneGraph::updateAltitude(): remove from old altitude (%d) failed!", old_alt);
    return -1;
  }
  if (visible_objects[new_alt].insert(p_o) != 0) {
    lm.writeLog("SceneGraph::updateAltitude()): insert visible object at altitude %d failed!",
                new_alt);
    return -1;
  }
  return 0;
}

int SceneGraph::updateSolidness(Object *p_o, Solidness new_solidness) {
  const LogManager &lm = LogManager::getInstance();
  if (!p_o->isActive())
    return 0;
  if (p_o->isSolid() && removeSolid(p_o) != 0)
    lm.writeLog("SceneGraph::updateSolidness(): unable to remove solid object (%s)",
                p_o->getType().c_str());
  if (solid(new_solidness) && addSolid(p_o) != 0) {
    lm.writeLog("SceneGraph::updateSolidness(): unable to insert solid object");
    return -1;
  }
  return 0;
}

int SceneGraph::updateVisible(Object *p_o, bool new_visible) {
  const LogManager &lm = LogManager::getInstance();
  if (!p_o->isActive() || p_o->isVisible() == new_visible)
    return 0;
  int altitude = p_o->getAltitude();
  if (!altitudeInRange(altitude))
    return -1;
  if (!new_visible && visible_objects[altitude].removeLast(p_o) != 0) {
    lm.writeLog("SceneGraph::updateVisible(): unable to remove visible object (%s)",
                p_o->getType().c_str());
    return -1;
  }
  if (new_visible && visible_objects[altitude].insert(p_o) != 0) {
    lm.writeLog("SceneGraph::updateVisible(): unable to add visible object (%s)",
                p_o->getType().c_str());
    return -1;
  }
  return 0;
}

int SceneGraph::updateActive(Object *p_o, bool new_active) {
  if (p_o->isActive() == new_active)
    return 0;
  const LogManager &lm = LogManager::getInstance();
  const char *type = nullptr;
  std::string type_str = p_o->getType();
  type = type_str.c_str();
  int altitude = p_o->getAltitude();
  bool visible = p_o->isVisible() && altitudeInRange(altitude);
  int result = 0;
  if (!new_active) {
    if (objects.removeLast(p_o) != 0) {
      lm.writeLog("SceneGraph::updateActive(): remove object (%s) failed for objects!", type);
      result = -1;
    }
    if (visible && visible_objects[altitude].removeLast(p_o) != 0) {
      lm.writeLog("SceneGraph::updateActive(): remove visible object (%s) failed for "
                  "visible_objects!",
                  type);
      result = -1;
    }
    if (p_o->isSolid() && removeSolid(p_o) != 0) {
      lm.writeLog("SceneGraph::updateActive(): remove object (%s) failed for solid_objects!", type);
      result = -1;
    }
    if (inactive_objects.insert(p_o) != 0) {
      lm.writeLog("SceneGraph::updateActive(): insert object (%s) failed for inactive_objects!",
                  type);
      result = -1;
    }
    return result;
  }
  if (objects.insert(p_o) != 0) {
    lm.writeLog("SceneGraph::updateActive(): insert object (%s) failed for objects!", type);
    result = -1;
  }
  if (visible && visible_objects[altitude].insert(p_o) != 0) {
    lm.writeLog("SceneGraph::updateActive(): insert object (%s) failed for visible_objects!", type);
    result = -1;
  }
  if (p_o->isSolid() && addSolid(p_o) != 0) {
    lm.writeLog("SceneGraph::updateActive(): insert object (%s) failed for solid_objects!", type);
    result = -1;
  }
  if (inactive_objects.removeLast(p_o) != 0) {
    lm.writeLog("SceneGraph::updateActive(): remove object (%s) failed for inactive_objects!",
                type);
    result = -1;
  }
  return result;
}

// The solid list and the grid always hold the same objects; the sequence numbers keep the
// grid's answers in solid-list order.
int SceneGraph::addSolid(Object *p_o) {
  if (solid_objects.insert(p_o) != 0)
    return -1;
  solid_grid.insert(p_o, getWorldBox(p_o), solid_sequence++);
  return 0;
}

int SceneGraph::removeSolid(Object *p_o) {
  solid_grid.remove(p_o);
  return solid_objects.removeLast(p_o);
}

void SceneGraph::updateBounds(const Object *p_o) {
  solid_grid.move(p_o, getWorldBox(p_o));
}

std::vector<Object *> SceneGraph::solidCandidates(Box b) const {
  return solid_grid.candidates(b);
}

void SceneGraph::setArea(Box area) {
  solid_grid.setArea(area);
}

} // namespace ks
