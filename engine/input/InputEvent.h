// One input event as a source delivers it, before it becomes an engine event.
#ifndef KS_INPUT_EVENT_H
#define KS_INPUT_EVENT_H

#include "Vector.h"

namespace ks {

/// A key, a mouse event or a request to close, in engine terms.
struct InputEvent {
  /// What kind of input.
  enum Kind {
    KEYBOARD, ///< an EventKeyboard: key and action
    MOUSE,    ///< an EventMouse: action, button and position
    CLOSE,    ///< the player asked to end the game (the window was closed)
  };

  Kind kind;       ///< what kind of input
  int action;      ///< an EventKeyboardAction or EventMouseAction
  int key;         ///< a Key value, or another key code (keyboard only)
  int button;      ///< an EventMouseButton, -1 for none (mouse only)
  Vector position; ///< the pointer in window cells (mouse only)

  /// A keyboard event.
  static InputEvent keyboard(int action, int key);
  /// A mouse event.
  static InputEvent mouse(int action, int button, Vector position);
  /// A request to close.
  static InputEvent close();
};

} // namespace ks

#endif
