#include "Manager.h"

#include "Event.h"
#include "LogManager.h"
#include "Object.h"
#include "ObjectListIterator.h"

namespace ks {

Manager::Manager() : type("Manager"), event_list_count(0), is_started(false) {}

Manager::~Manager() {}

bool Manager::isValid(std::string) const {
  return false;
}

int Manager::startUp() {
  if (is_started)
    LogManager::getInstance().writeLog(1, "Manager::startUp(): Warning! %s already started.",
                                       type.c_str());
  is_started = true;
  return 0;
}

void Manager::shutDown() {
  if (!is_started)
    LogManager::getInstance().writeLog(1, "Manager::shutDown(): Warning! %s not started.",
                                       type.c_str());
  is_started = false;
}

std::string Manager::getType() const {
  return type;
}

void Manager::setType(std::string new_type) {
  type = new_type;
}

bool Manager::isStarted() const {
  return is_started;
}

int Manager::registerInterest(Object *p_o, std::string event_type) {
  if (!isValid(event_type)) {
    LogManager::getInstance().writeLog(
        "Manager(%s)::registerInterest(): Event '%s' not valid for this Manager", type.c_str(),
        event_type.c_str());
    return -1;
  }
  for (int i = 0; i < event_list_count; i++)
    if (event[i] == event_type)
      return obj_list[i].insert(p_o);

  if (event_list_count == MAX_EVENTS)
    return -1;
  event[event_list_count] = event_type;
  obj_list[event_list_count].clear();
  if (obj_list[event_list_count].insert(p_o) != 0)
    return -1;
  event_list_count++;
  return 0;
}

int Manager::unregisterInterest(Object *p_o, std::string event_type) {
  int i = 0;
  while (i < event_list_count && event[i] != event_type)
    i++;
  if (i == event_list_count)
    return -1;
  if (obj_list[i].remove(p_o) != 0)
    return -1;
  if (obj_list[i].isEmpty()) {
    for (int j = i; j < event_list_count - 1; j++) {
      event[j] = event[j + 1];
      obj_list[j] = obj_list[j + 1];
    }
    event_list_count--;
  }
  return 0;
}

int Manager::onEvent(const Event *p_event) const {
  std::string event_type = p_event->getType();
  if (event_type == UNDEFINED_EVENT)
    LogManager::getInstance().writeLog(1, "%s::onEvent(): Warning! Event type is undefined.",
                                       type.c_str());
  int count = 0;
  for (int i = 0; i < event_list_count; i++) {
    if (event[i] != event_type)
      continue;
    // Handlers may register and unregister while we walk: walk a snapshot.
    ObjectList snapshot = obj_list[i];
    ObjectListIterator li(&snapshot);
    for (li.first(); !li.isDone(); li.next()) {
      Object *p_o = li.currentObject();
      if (p_o->isActive()) {
        p_o->eventHandler(p_event);
        count++;
      }
    }
  }
  return count;
}

} // namespace ks
