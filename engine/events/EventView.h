#ifndef KS_EVENT_VIEW_H
#define KS_EVENT_VIEW_H

#include "Event.h"

namespace ks {

const std::string VIEW_EVENT = "ks::view";

/// Changes the value of the view objects whose label is `tag`.
class EventView : public Event {
public:
  /// `delta` true adds `value` to the view objects' value; false sets it.
  explicit EventView(std::string tag = "", int value = 0, bool delta = false);

  void setTag(std::string new_tag);
  std::string getTag() const;
  void setValue(int new_value);
  int getValue() const;
  void setDelta(bool new_delta);
  bool getDelta() const;

private:
  std::string tag; ///< label of the view objects addressed
  int value;       ///< the value, or the amount added
  bool delta;      ///< true: add; false: set
};

} // namespace ks

#endif
