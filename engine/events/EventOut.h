#ifndef KS_EVENT_OUT_H
#define KS_EVENT_OUT_H

#include "Event.h"

namespace ks {

/// Type of EventOut; objects get it without registering.
const std::string OUT_EVENT = "ks::out";

/// Sent by the world manager to an object that has just left the world boundary.
class EventOut : public Event {
public:
  EventOut();
};

} // namespace ks

#endif
