#ifndef KS_EVENT_MOUSE_H
#define KS_EVENT_MOUSE_H

#include "Event.h"
#include "Vector.h"

namespace ks {

/// Type of EventMouse, sent to the objects registered for it.
const std::string MOUSE_EVENT = "ks::mouse";

/// What the mouse did.
enum EventMouseAction {
  UNDEFINED_MOUSE_ACTION = -1,
  CLICKED, ///< a button went down
  PRESSED, ///< a button is held (one event per step)
  MOVED,   ///< the pointer moved
};

/// Mouse buttons.
enum EventMouseButton {
  UNDEFINED_MOUSE_BUTTON = -1,
  LEFT,
  RIGHT,
  MIDDLE,
};

/// A pointer move, a click or a held button, with the pointer in window cells.
class EventMouse : public Event {
public:
  /// Action and button undefined (-1), position (0, 0).
  EventMouse();

  /// An EventMouseAction.
  void setMouseAction(int new_action);
  /// An EventMouseAction, or -1 when undefined.
  int getMouseAction() const;
  /// An EventMouseButton.
  void setMouseButton(int new_button);
  /// An EventMouseButton, or -1 when undefined.
  int getMouseButton() const;
  /// The pointer in window cells (fractional, from the window's top left corner).
  void setMousePosition(Vector new_position);
  /// The pointer in window cells.
  Vector getMousePosition() const;

private:
  int mouse_action; ///< an EventMouseAction, -1 when undefined
  int mouse_button; ///< an EventMouseButton, -1 when undefined
  Vector mouse_xy;  ///< pointer position in window cells
};

} // namespace ks

#endif
