#include "PathManager.h"

#include <algorithm>
#include <cmath>

#include "Clock.h"
#include "Configuration.h"
#include "EventPath.h"
#include "GameManager.h"
#include "LogManager.h"
#include "Object.h"
#include "PathFind.h"

namespace ks {

PathManager::PathManager() : path_finds(), max_time(0), plies(0) {
  setType("PathManager");
}

PathManager::~PathManager() {}

PathManager &PathManager::getInstance() {
  static PathManager path_manager;
  return path_manager;
}

int PathManager::startUp() {
  const LogManager &lm = LogManager::getInstance();
  if (isStarted()) {
    lm.writeLog("PathManager::startup(): Warning! PathManager already started.");
    return -1;
  }
  max_time = GameManager::getInstance().getFrameTime() / 2;
  const Configuration &config = Configuration::getInstance();
  bool repeatable = !config.getRecordFile().empty() || !config.getReplayFile().empty();
  plies = repeatable ? config.getPathPlies() : 0;
  Manager::startUp();
  lm.writeLog(1, "PathManager::startUp(): successfully started.");
  return 0;
}

void PathManager::shutDown() {
  Manager::shutDown();
  LogManager::getInstance().writeLog(1, "PathManager::shutDown(): successfully stopped.");
}

namespace {

// An object's box is centred on its position, so the cell it stands on is the nearest one.
Cell nearestCell(Vector v) {
  return Cell{static_cast<int>(std::floor(v.getX() + 0.5f)),
              static_cast<int>(std::floor(v.getY() + 0.5f))};
}

} // namespace

int PathManager::findPath(Object *p_o, Vector goal) {
  if (p_o == nullptr) {
    LogManager::getInstance().writeLog("PathManager::findPath(): Error! Object is NULL.");
    return -1;
  }
  PathFind *p_path_find = new PathFind(p_o, nearestCell(p_o->getPosition()), nearestCell(goal));
  // The object owns the search from here on; an older one is unregistered and deleted.
  p_o->setPathFind(p_path_find);
  return registerPathFind(p_path_find);
}

int PathManager::registerPathFind(PathFind *p_path_find) {
  if (p_path_find == nullptr || p_path_find->getObject() == nullptr) {
    // A search without an object would have nobody to deliver its result to.
    LogManager::getInstance().writeLog(
        "PathManager::registerPathFind(): Error! Search or its object is NULL.");
    return -1;
  }
  path_finds.push_back(p_path_find);
  return 0;
}

int PathManager::unregisterPathFind(PathFind *p_path_find) {
  const LogManager &lm = LogManager::getInstance();
  lm.writeLog("PathManager::unregisterPathFind(): p_path_find is %p",
              static_cast<void *>(p_path_find));
  if (p_path_find == nullptr)
    return -1;
  auto it = std::remove(path_finds.begin(), path_finds.end(), p_path_find);
  if (it == path_finds.end())
    return -1;
  path_finds.erase(it, path_finds.end());
  lm.writeLog("PathManager::unregisterPathFind(): finder is %d",
              static_cast<int>(path_finds.size()));
  return 0;
}

int PathManager::getPathFindCount() const {
  return static_cast<int>(path_finds.size());
}

int PathManager::getMaxTime() const {
  return max_time;
}

int PathManager::getPlies() const {
  return plies;
}

void PathManager::cycle() {
  Clock clock;
  int plies_left = plies;
  // Counted in plies the budget is spent when none is left; in time, when it has run out.
  auto spent = [&]() { return plies > 0 ? plies_left <= 0 : clock.split() / 1000 > max_time; };
  auto elapsed = [&clock]() { return clock.split() / 1000; };
  while (!path_finds.empty() && (plies > 0 ? plies_left > 0 : elapsed() < max_time)) {
    size_t position = 0;
    while (position < path_finds.size()) {
      PathFind *p_path_find = path_finds[position];
      PathResult result = p_path_find->cycleOnce();
      plies_left--;
      if (result == INCOMPLETE) {
        position++;
      } else {
        EventPath path_event;
        path_event.setStatus(result);
        path_event.setPath(p_path_find->getPath());
        p_path_find->getObject()->eventHandler(&path_event);
        // The handler normally unregisters the search, moving the next one into this place.
        // One that keeps it registered would otherwise have it cycled again right here until
        // the budget runs out, starving the searches behind it.
        if (position < path_finds.size() && path_finds[position] == p_path_find)
          position++;
      }
      if (spent()) {
        if (plies == 0)
          LogManager::getInstance().writeLog(1, "PathManager::cycle(): cycle time %d exceeded.",
                                             max_time);
        return;
      }
    }
  }
  if (plies == 0 && elapsed() > max_time)
    LogManager::getInstance().writeLog(1, "PathManager::cycle(): cycle time %d exceeded.",
                                       max_time);
}

} // namespace ks
