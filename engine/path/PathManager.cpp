#include "PathManager.h"

#include <algorithm>

#include "Clock.h"
#include "EventPath.h"
#include "GameManager.h"
#include "LogManager.h"
#include "Object.h"
#include "PathFind.h"

namespace ks {

PathManager::PathManager() : path_finds(), max_time(0) {
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
  Manager::startUp();
  lm.writeLog(1, "PathManager::startUp(): successfully started.");
  return 0;
}

void PathManager::shutDown() {
  Manager::shutDown();
  LogManager::getInstance().writeLog(1, "PathManager::shutDown(): successfully stopped.");
}

int PathManager::findPath(Object *p_o, Vector goal) {
  if (p_o == nullptr)
    return -1;
  Vector pos = p_o->getPosition();
  Cell start{static_cast<int>(pos.getX()), static_cast<int>(pos.getY())};
  Cell end{static_cast<int>(goal.getX()), static_cast<int>(goal.getY())};
  PathFind *p_path_find = new PathFind(p_o, start, end);
  p_o->setPathFind(p_path_find);
  return registerPathFind(p_path_find);
}

int PathManager::registerPathFind(PathFind *p_path_find) {
  if (p_path_find == nullptr)
    return -1;
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

void PathManager::cycle() {
  Clock clock;
  auto elapsed = [&clock]() { return clock.split() / 1000; };
  while (!path_finds.empty() && elapsed() < max_time) {
    size_t position = 0;
    while (position < path_finds.size()) {
      PathFind *p_path_find = path_finds[position];
      PathResult result = p_path_find->cycleOnce();
      if (result == INCOMPLETE) {
        position++;
      } else {
        EventPath path_event;
        path_event.setStatus(result);
        path_event.setPath(p_path_find->getPath());
        p_path_find->getObject()->eventHandler(&path_event);
        // A handler that kept its finished search must not have it cycled forever.
        if (position < path_finds.size() && path_finds[position] == p_path_find)
          position++;
      }
      if (elapsed() > max_time) {
        LogManager::getInstance().writeLog(1, "PathManager::cycle(): cycle time %d exceeded.",
                                           max_time);
        return;
      }
    }
  }
  if (elapsed() > max_time)
    LogManager::getInstance().writeLog(1, "PathManager::cycle(): cycle time %d exceeded.",
                                       max_time);
}

} // namespace ks
