#ifndef KS_EVENT_VIEW_H
#define KS_EVENT_VIEW_H

#include "Event.h"

namespace ks {

/// Type of EventView, sent to the objects registered for it.
const std::string VIEW_EVENT = "ks::view";

/// Changes the value of the view objects whose label is `tag`.
class EventView : public Event {
public:
  /// `delta` true adds `value` to the view objects' value; false sets it.
  explicit EventView(std::string tag = "", int value = 0, bool delta = false);

  /// Sets the label of the view objects addressed.
  void setTag(std::string new_tag);
  /// Label of the view objects addressed.
  std::string getTag() const;
  /// Sets the value, or the amount added.
  void setValue(int new_value);
  /// The value, or the amount added.
  int getValue() const;
  /// True: add the value; false: set it.
  void setDelta(bool new_delta);
  /// True if the value is added, false if it is set.
  bool getDelta() const;

private:
  std::string tag; ///< label of the view objects addressed
  int value;       ///< the value, or the amount added
  bool delta;      ///< true: add; false: set
};

} // namespace ks

#endif
