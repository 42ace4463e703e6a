// A test object that remembers the events it was sent.
#ifndef KS_RECORDING_OBJECT_H
#define KS_RECORDING_OBJECT_H

#include <functional>
#include <string>
#include <vector>

#include "EventCollision.h"
#include "EventStep.h"
#include "Object.h"

namespace kstest {

class RecordingObject : public ks::Object {
public:
  explicit RecordingObject(std::string kind = "Recording") { setType(kind); }

  int eventHandler(const ks::Event *p_e) override {
    types.push_back(p_e->getType());
    if (p_e->getType() == ks::COLLISION_EVENT) {
      const auto *p_c = static_cast<const ks::EventCollision *>(p_e);
      collided_with.push_back(p_c->getObject1() == this ? p_c->getObject2() : p_c->getObject1());
    }
    if (p_e->getType() == ks::STEP_EVENT)
      steps.push_back(static_cast<const ks::EventStep *>(p_e)->getStepCount());
    if (on_event)
      on_event(p_e);
    return 1;
  }

  /// Number of events of `event_type` received.
  int count(const std::string &event_type) const {
    int n = 0;
    for (const std::string &t : types)
      n += t == event_type;
    return n;
  }

  std::vector<std::string> types;          ///< every event type received, in order
  std::vector<ks::Object *> collided_with; ///< the other object of each collision (not owned)
  std::vector<int> steps;                  ///< step counts of the step events
  std::function<void(const ks::Event *)> on_event; ///< extra behaviour, if set
};

} // namespace kstest

#endif
