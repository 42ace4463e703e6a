#ifndef KS_EVENT_H
#define KS_EVENT_H

#include <string>

namespace ks {

/// Type string of an event whose type was never set.
const std::string UNDEFINED_EVENT = "ks::undefined";

/// Base of every event: a value identified by its type string. Events are built on the
/// sender's stack and live for one dispatch.
class Event {
public:
  /// An event of type "ks::undefined".
  Event();
  virtual ~Event();

  /// Sets the type string; set only the string that belongs to the event's own class.
  void setType(std::string new_type);

  /// The type string.
  std::string getType() const;

private:
  std::string event_type; ///< the event's type string
};

} // namespace ks

#endif
