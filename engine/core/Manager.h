#ifndef KS_MANAGER_H
#define KS_MANAGER_H

#include <string>

#include "ObjectList.h"

namespace ks {

class Event;
class Object;

/// Most event types one manager keeps interest lists for.
const int MAX_EVENTS = 100;

/// Base of every engine manager: a type name, a started flag and an event-interest table
/// that dispatches events to the objects registered for them.
class Manager {
public:
  Manager();

  /// True if objects may register with this manager for `event_type`. The base accepts none.
  virtual bool isValid(std::string event_type) const;

  virtual ~Manager();

  /// Marks the manager started (warning at level 1 if it already was). 0.
  virtual int startUp();

  /// Marks the manager stopped (warning at level 1 if it was not started).
  virtual void shutDown();

  /// The manager's name, as used in log messages.
  std::string getType() const;

  /// True between startUp() and shutDown().
  bool isStarted() const;

  /// Adds `p_o` to the objects sent events of `event_type`. 0, or -1 if the type is not valid
  /// here, the table is full or memory ran out. The manager doesn't own the object.
  int registerInterest(Object *p_o, std::string event_type);

  /// Withdraws one registration of `p_o` for `event_type`. 0, or -1 if there was none.
  int unregisterInterest(Object *p_o, std::string event_type);

  /// Sends `p_event` to every active object registered for its type, in registration order.
  /// Returns the number of handlers called.
  int onEvent(const Event *p_event) const;

protected:
  /// Sets the manager's name (subclass constructors).
  void setType(std::string new_type);

private:
  Manager(const Manager &) = delete;
  Manager &operator=(const Manager &) = delete;

  std::string type;                ///< the manager's name
  int event_list_count;            ///< 0 <= event_list_count <= MAX_EVENTS
  std::string event[MAX_EVENTS];   ///< event types with interest, in order of first interest
  ObjectList obj_list[MAX_EVENTS]; ///< obj_list[i] holds the objects interested in event[i];
                                   ///< non-empty for every i < event_list_count
  bool is_started;                 ///< set by startUp(), cleared by shutDown()
};

} // namespace ks

#endif
